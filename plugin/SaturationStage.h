#pragma once

#include "AllPoleFilter.h"
#include "Shaper.h"

// Produces the low-level harmonic signal that the signal path mixes into
// the dry input: zero-stuffed upsampling by `factor`, anti-alias filter,
// saturation curve, anti-alias filter again, and decimation that keeps the
// first sub-sample of each input sample.
// Sample is double for one channel or StereoSample for a channel pair.
template <class Sample>
struct SaturationStageOf {
    AllPoleCoeffs coeffs;
    AllPoleFilterOf<Sample> up;
    AllPoleFilterOf<Sample> down;
    Sample last{};  // the most recent decimated value

    // Once per block: the cutoff 0.2 / factor of the oversampled rate puts
    // the filters' -3 dB point near 0.2 fs for every factor.
    void Design(int factor) { DesignAllPole(coeffs, 0.2 / factor); }

    Sample Step(Sample x, int factor) {
        const double gain = factor;  // restores the level lost to zero-stuffing
        last = down.Tick(ShapeSample(gain * up.Tick(x, coeffs)), coeffs);
        for (int j = 1; j < factor; ++j)
            down.Tick(ShapeSample(gain * up.Tick(Sample{}, coeffs)), coeffs);
        return last;
    }

    void Clear() {
        up.Clear();
        down.Clear();
    }
};

using SaturationStage = SaturationStageOf<double>;
using StereoSaturationStage = SaturationStageOf<StereoSample>;
