#pragma once

#include "StereoSample.h"

#include <cfloat>
#include <cmath>

// The saturation stage's anti-alias filter: a 10th-order Bessel low-pass
// turned into an all-pole recursion by mapping its poles with z = e^(sT).

constexpr int kAllPoleOrder = 10;

// c[0] is the input gain, c[1..10] weigh the previous ten outputs.
struct AllPoleCoeffs {
    double c[kAllPoleOrder + 1] = {};
};

// Fills coeffs for the cutoff fc, a fraction of the filter's own rate,
// with unity gain at DC.
void DesignAllPole(AllPoleCoeffs& coeffs, double fc);

// Outputs below 2^-54 in magnitude, infinities and NaNs are stored as 0.0:
// the recursion then never enters subnormal arithmetic when the input
// falls silent, and a non-finite input cannot stick in the history.
constexpr double kAllPoleFlushBelow = 0x1p-54;

inline double FlushAllPoleOutput(double y) {
    const double m = std::fabs(y);
    return (m >= kAllPoleFlushBelow && m <= DBL_MAX) ? y : 0.0;
}

inline StereoSample FlushAllPoleOutput(StereoSample y) {
    const StereoSample m = _mm_andnot_pd(SignBits(), y);
    const StereoSample keep = _mm_and_pd(_mm_cmpge_pd(m, Broadcast(kAllPoleFlushBelow)),
                                         _mm_cmple_pd(m, Broadcast(DBL_MAX)));
    return _mm_and_pd(y, keep);
}

// Sample is double for one channel or StereoSample for a channel pair.
// The ten previous outputs live twice in a ring, so the window starting at
// `newest` is always contiguous and a tick moves no history.
template <class Sample>
struct AllPoleFilterOf {
    Sample ring[2 * kAllPoleOrder] = {};
    int newest = 0;

    // The output `ticksAgo` + 1 ticks back; Output(0) is the last result.
    Sample Output(int ticksAgo) const { return ring[newest + ticksAgo]; }

    Sample Tick(Sample x, const AllPoleCoeffs& k) {
        const Sample* h = ring + newest;  // h[j] is the output j + 1 ticks ago
        Sample y = k.c[0] * x;
        for (int j = 0; j < kAllPoleOrder; ++j) y += k.c[j + 1] * h[j];
        newest = newest == 0 ? kAllPoleOrder - 1 : newest - 1;
        ring[newest] = ring[newest + kAllPoleOrder] = FlushAllPoleOutput(y);
        return ring[newest];
    }

    void Clear() {
        for (Sample& v : ring) v = Sample{};
    }
};

using AllPoleFilter = AllPoleFilterOf<double>;
