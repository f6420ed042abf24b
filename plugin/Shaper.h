#pragma once

#include "StereoSample.h"

#include <algorithm>
#include <cmath>

// The saturation curve: an odd, inverting function tabulated at 200 points
// of input magnitude 0 .. ~1.4 and linearly interpolated in between.
struct ShaperTable {
    static constexpr int kCount = 200;
    static constexpr int kLast = kCount - 1;
    // Table positions per unit of input magnitude (199 / 1.4), held in
    // single precision as the curve was measured with it.
    static constexpr float kScale = 142.143f;
    static const float kValues[kCount];

    static double At(int i) { return kValues[i]; }
};

// About -0.725 x for small x, saturating at magnitude 0.8333206 from
// |x| >= 1.4. NaN and magnitudes of ~1.5e7 and beyond (table positions of
// 2^31 and more) map to zero; the result always has the sign of -x.
inline double ShapeSample(double x) {
    const double q = std::fabs(x) * static_cast<double>(ShaperTable::kScale);
    double c = ShaperTable::At(0);
    if (q < 0x1p31) {  // also false for NaN; keeps the conversion to int defined
        const int i = static_cast<int>(q);
        if (i < ShaperTable::kLast) {
            const double frac = q - i;
            c = ShaperTable::At(i) * (1.0 - frac) + ShaperTable::At(i + 1) * frac;
        } else {
            c = ShaperTable::At(ShaperTable::kLast);
        }
    }
    return std::copysign(c, -x);
}

// Both lanes at once, with the same result as the scalar curve in each.
// Positions from 199 on are clamped to 199 and interpolated from entry 198
// with weight 1 on entry 199, which yields that entry exactly.
inline StereoSample ShapeSample(StereoSample x) {
    const StereoSample q =
        _mm_mul_pd(_mm_andnot_pd(SignBits(), x), Broadcast(ShaperTable::kScale));
    const StereoSample inRange = _mm_cmplt_pd(q, Broadcast(0x1p31));
    const StereoSample clamped = _mm_min_pd(q, Broadcast(ShaperTable::kLast));  // NaN -> 199
    const __m128i whole = _mm_cvttpd_epi32(clamped);
    const int i0 = std::min(_mm_cvtsi128_si32(whole), ShaperTable::kLast - 1);
    const int i1 = std::min(_mm_cvtsi128_si32(_mm_srli_si128(whole, 4)), ShaperTable::kLast - 1);
    const StereoSample frac = clamped - StereoSample{double(i0), double(i1)};
    const StereoSample below{ShaperTable::At(i0), ShaperTable::At(i1)};
    const StereoSample above{ShaperTable::At(i0 + 1), ShaperTable::At(i1 + 1)};
    const StereoSample c = _mm_and_pd(below * (1.0 - frac) + above * frac, inRange);
    return _mm_or_pd(c, _mm_andnot_pd(x, SignBits()));
}
