#pragma once

// The saturation stage's four lanes in one 256-bit register, for the kernel
// units compiled for AVX2 or more. Its types sit in an unnamed namespace on
// purpose: each including unit gets its own copy, compiled for its own
// instruction set, which no other unit can pick up.
#include "SaturationLoop.h"
#include "Shaper.h"

#include <immintrin.h>

#include <cfloat>

namespace {

struct Quad;
using Pair = SaturationPair<Quad>;

// Entries i and i + 1 of the table, as two floats.
__m128i Neighbours(int i) { return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(ShaperTable::kValues + i)); }

struct Quad {
    __m256d v;

    static Quad Broadcast(double x) { return {_mm256_set1_pd(x)}; }
    static Quad Load(const double* p) { return {_mm256_loadu_pd(p)}; }
    void Store(double* p) const { _mm256_storeu_pd(p, v); }
    static Quad Join(Pair low, Pair high) { return {_mm256_insertf128_pd(_mm256_castpd128_pd256(low.v), high.v, 1)}; }
    Pair Low() const { return {_mm256_castpd256_pd128(v)}; }
    Pair High() const { return {_mm256_extractf128_pd(v, 1)}; }
    static Quad Lows(Quad a, Quad b) { return {_mm256_permute2f128_pd(a.v, b.v, 0x20)}; }
    friend Quad operator+(Quad a, Quad b) { return {_mm256_add_pd(a.v, b.v)}; }
    friend Quad operator*(Quad a, Quad b) { return {_mm256_mul_pd(a.v, b.v)}; }
    static Quad KeepLow(Quad fresh, Quad old) { return {_mm256_blend_pd(fresh.v, old.v, 0b1100)}; }
    static Quad KeepHigh(Quad fresh, Quad old) { return {_mm256_blend_pd(fresh.v, old.v, 0b0011)}; }

    Quad Flushed() const {
        const __m256d magnitude = _mm256_andnot_pd(_mm256_set1_pd(-0.0), v);
        const __m256d keep = _mm256_and_pd(_mm256_cmp_pd(magnitude, _mm256_set1_pd(kAllPoleFlushBelow), _CMP_GE_OQ),
                                           _mm256_cmp_pd(magnitude, _mm256_set1_pd(DBL_MAX), _CMP_LE_OQ));
        return {_mm256_and_pd(v, keep)};
    }

    // Positions from 199 on are clamped to 199 and interpolated from entry 198
    // with weight 1 on entry 199, which yields that entry exactly; NaN clamps
    // to 199 too and is then dropped with the positions out of range.
    Quad Shaped() const {
        const __m256d sign = _mm256_set1_pd(-0.0);
        const __m256d q = _mm256_mul_pd(_mm256_andnot_pd(sign, v), _mm256_set1_pd(ShaperTable::kScale));
        const __m256d inRange = _mm256_cmp_pd(q, _mm256_set1_pd(ShaperTable::kOutOfRange), _CMP_LT_OQ);
        const __m256d clamped = _mm256_min_pd(q, _mm256_set1_pd(ShaperTable::kLast));
        const __m128i whole = _mm_min_epi32(_mm256_cvttpd_epi32(clamped), _mm_set1_epi32(ShaperTable::kLast - 1));
        const __m256d frac = _mm256_sub_pd(clamped, _mm256_cvtepi32_pd(whole));
        const __m128i p0 = Neighbours(_mm_cvtsi128_si32(whole)), p1 = Neighbours(_mm_extract_epi32(whole, 1));
        const __m128i p2 = Neighbours(_mm_extract_epi32(whole, 2)), p3 = Neighbours(_mm_extract_epi32(whole, 3));
        const __m128 a = _mm_castsi128_ps(_mm_unpacklo_epi64(p0, p1)), b = _mm_castsi128_ps(_mm_unpacklo_epi64(p2, p3));
        const __m256d below = _mm256_cvtps_pd(_mm_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0)));
        const __m256d above = _mm256_cvtps_pd(_mm_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1)));
        const __m256d curve = _mm256_add_pd(_mm256_mul_pd(below, _mm256_sub_pd(_mm256_set1_pd(1.0), frac)),
                                            _mm256_mul_pd(above, frac));
        return {_mm256_or_pd(_mm256_and_pd(curve, inRange), _mm256_andnot_pd(v, sign))};
    }
};

using Avx2Loop = SaturationLoop<Quad>;

}  // namespace
