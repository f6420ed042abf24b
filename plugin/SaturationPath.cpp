#include "SaturationPath.h"

bool SaturationPathRuns(SaturationPath path) {
    if (path == SaturationPath::kSse2) return true;  // part of x86-64
    // Also false when the operating system does not save the 256-bit registers.
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
}

SaturationPath FastestSaturationPath() {
    return SaturationPathRuns(SaturationPath::kAvx2) ? SaturationPath::kAvx2 : SaturationPath::kSse2;
}

const SaturationKernels& KernelsOf(SaturationPath path) {
    return path == SaturationPath::kAvx2 ? kAvx2SaturationKernels : kSse2SaturationKernels;
}
