#include "SaturationStage.h"

SaturationStage::SaturationStage() : path(FastestSaturationPath()), kernels(&KernelsOf(path)) {}

bool SaturationStage::SelectPath(SaturationPath wanted) {
    if (!SaturationPathRuns(wanted)) return false;
    path = wanted;
    kernels = &KernelsOf(path);
    return true;
}

void SaturationStage::Design(int newFactor) {
    if (newFactor == factor) return;
    DesignAllPole(coeffs, 0.2 / newFactor);
    factor = newFactor;
}
