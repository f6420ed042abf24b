// The saturation stage on SSE2, which every x86-64 processor has: the four
// lanes as two 128-bit registers.
#include "SaturationLoop.h"
#include "Shaper.h"

#include <emmintrin.h>

#include <cfloat>

namespace {

__m128d FlushedPair(__m128d y) {
    const __m128d magnitude = _mm_andnot_pd(_mm_set1_pd(-0.0), y);
    const __m128d keep = _mm_and_pd(_mm_cmpge_pd(magnitude, _mm_set1_pd(kAllPoleFlushBelow)),
                                    _mm_cmple_pd(magnitude, _mm_set1_pd(DBL_MAX)));
    return _mm_and_pd(y, keep);
}

// Entries i and i + 1 of the table, as doubles.
__m128d TableNeighbours(int i) {
    const __m128i floats = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(ShaperTable::kValues + i));
    return _mm_cvtps_pd(_mm_castsi128_ps(floats));
}

// Positions from 199 on are clamped to 199 and interpolated from entry 198
// with weight 1 on entry 199, which yields that entry exactly; NaN clamps to
// 199 too and is then dropped with the positions out of range.
__m128d ShapedPair(__m128d x) {
    const __m128d sign = _mm_set1_pd(-0.0);
    const __m128d q = _mm_mul_pd(_mm_andnot_pd(sign, x), _mm_set1_pd(ShaperTable::kScale));
    const __m128d inRange = _mm_cmplt_pd(q, _mm_set1_pd(ShaperTable::kOutOfRange));
    const __m128d clamped = _mm_min_pd(q, _mm_set1_pd(ShaperTable::kLast));
    const __m128i whole = _mm_cvttpd_epi32(clamped);
    const int i0 = _mm_cvtsi128_si32(whole), i1 = _mm_cvtsi128_si32(_mm_srli_si128(whole, 4));
    const int lo = i0 < ShaperTable::kLast ? i0 : ShaperTable::kLast - 1;
    const int hi = i1 < ShaperTable::kLast ? i1 : ShaperTable::kLast - 1;
    const __m128d frac = _mm_sub_pd(clamped, _mm_cvtepi32_pd(_mm_setr_epi32(lo, hi, 0, 0)));
    const __m128d first = TableNeighbours(lo), second = TableNeighbours(hi);
    const __m128d below = _mm_unpacklo_pd(first, second), above = _mm_unpackhi_pd(first, second);
    const __m128d curve = _mm_add_pd(_mm_mul_pd(below, _mm_sub_pd(_mm_set1_pd(1.0), frac)), _mm_mul_pd(above, frac));
    return _mm_or_pd(_mm_and_pd(curve, inRange), _mm_andnot_pd(x, sign));
}

struct Quad;
using Pair = SaturationPair<Quad>;

struct Quad {
    __m128d low, high;

    static Quad Broadcast(double v) { return {_mm_set1_pd(v), _mm_set1_pd(v)}; }
    static Quad Load(const double* p) { return {_mm_loadu_pd(p), _mm_loadu_pd(p + 2)}; }
    void Store(double* p) const {
        _mm_storeu_pd(p, low);
        _mm_storeu_pd(p + 2, high);
    }
    static Quad Join(Pair low, Pair high) { return {low.v, high.v}; }
    Pair Low() const { return {low}; }
    Pair High() const { return {high}; }
    static Quad Lows(Quad a, Quad b) { return {a.low, b.low}; }
    friend Quad operator+(Quad a, Quad b) { return {_mm_add_pd(a.low, b.low), _mm_add_pd(a.high, b.high)}; }
    friend Quad operator*(Quad a, Quad b) { return {_mm_mul_pd(a.low, b.low), _mm_mul_pd(a.high, b.high)}; }
    Quad Flushed() const { return {FlushedPair(low), FlushedPair(high)}; }
    Quad Shaped() const { return {ShapedPair(low), ShapedPair(high)}; }
    static Quad KeepLow(Quad fresh, Quad old) { return {fresh.low, old.high}; }
    static Quad KeepHigh(Quad fresh, Quad old) { return {old.low, fresh.high}; }
};

using Loop = SaturationLoop<Quad>;

}  // namespace

const SaturationKernels kSse2SaturationKernels {Loop::Run, Loop::Shape};
