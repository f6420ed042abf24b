#pragma once

#include "AllPoleFilter.h"

// The saturation stage's histories: the ten most recent outputs of the two
// channels' up-sampling and down-sampling filters. Row k holds the outputs
// k + 1 ticks back, in four lanes: up left, up right, down left, down right.
// Between calls of a kernel every lane is at the same input frame boundary.
struct SaturationHistory {
    static constexpr int kUp = 0;    // + channel: the up-sampling filter's lanes
    static constexpr int kDown = 2;  // + channel: the down-sampling filter's lanes
    double rows[kAllPoleOrder][4] = {};
};

// The stage's arithmetic for one instruction set. Each set lives in a
// translation unit of its own, compiled for that set, and is reached only
// through this table.
struct SaturationKernels {
    // Runs `frames` input frames of both channels through the stage at
    // `factor` (4 or 16) and writes each frame's decimated values to `wet`.
    // Both arrays hold a frame as two doubles, left then right.
    void (*run)(SaturationHistory& history, const AllPoleCoeffs& coeffs, int factor, const double* dry,
                double* wet, int frames);
    // The saturation curve (Shaper.h) on `count` values, a multiple of 4.
    void (*shape)(const double* in, double* out, int count);
};

extern const SaturationKernels kSse2SaturationKernels;    // any x86-64 processor
extern const SaturationKernels kAvx2SaturationKernels;    // processors with AVX2
extern const SaturationKernels kAvx512SaturationKernels;  // processors with AVX-512F and VL
