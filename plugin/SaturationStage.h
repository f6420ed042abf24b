#pragma once

#include "AllPoleFilter.h"
#include "SaturationKernels.h"
#include "SaturationPath.h"

// Produces the low-level harmonic signal that the signal path mixes into the
// dry input, for both channels: zero-stuffed upsampling by the factor (4 or
// 16), anti-alias filter, saturation curve, anti-alias filter again, and
// decimation that keeps the first sub-sample of each input frame. The
// arithmetic runs on the fastest instruction set the processor has.
class SaturationStage {
public:
    SaturationStage();

    // For tests: runs the stage on `path` from now on. False, with nothing
    // changed, when this processor cannot run it.
    bool SelectPath(SaturationPath path);
    SaturationPath Path() const { return path; }

    // The cutoff 0.2 / factor of the oversampled rate puts the filters' -3 dB
    // point near 0.2 fs for every factor. Redesigns only when the factor changes.
    void Design(int factor);
    int Factor() const { return factor; }

    // One decimated value per input frame and channel; a frame is two
    // doubles, left then right.
    void Process(const double* dry, double* wet, int frames) {
        kernels->run(history, coeffs, factor, dry, wet, frames);
    }

    // Zeroes both filters' histories.
    void Clear() { history = SaturationHistory{}; }

    // The up- or down-sampling filter's output `ticksAgo` + 1 ticks back
    // (0 to 9), channel 0 left, 1 right.
    double UpOutput(int channel, int ticksAgo) const {
        return history.rows[ticksAgo][SaturationHistory::kUp + channel];
    }
    double DownOutput(int channel, int ticksAgo) const {
        return history.rows[ticksAgo][SaturationHistory::kDown + channel];
    }

private:
    SaturationPath path;
    const SaturationKernels* kernels;
    AllPoleCoeffs coeffs;
    int factor = 0;
    SaturationHistory history;
};
