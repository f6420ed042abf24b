#pragma once

#include "DspMath.h"
#include "IirSection.h"

#include <cmath>
#include <complex>

using Complex = std::complex<double>;

// The transfer function b(z) / a(z) of a section's current coefficients on
// the unit circle at frequency f.
template <int N>
Complex Response(const IirSection<N>& s, double f, double fs) {
    const Complex zInv = std::polar(1.0, -2.0 * kPi * f / fs);
    Complex num = 0.0, den = 0.0, power = 1.0;
    for (int k = 0; k <= N; ++k) {
        num += s.b[k] * power;
        den += s.a[k] * power;
        power *= zInv;
    }
    return num / den;
}

inline double Db(double magnitude) { return 20.0 * std::log10(magnitude); }
inline double Db(Complex h) { return Db(std::abs(h)); }
inline double Degrees(Complex h) { return std::arg(h) * 180.0 / kPi; }

// The frequency in [lo, hi] at which a monotonic magnitude crosses `level`.
template <class Magnitude>
double Crossing(Magnitude magnitude, double level, double lo, double hi) {
    const bool risingAbove = magnitude(hi) > magnitude(lo);
    for (int i = 0; i < 200; ++i) {
        const double mid = 0.5 * (lo + hi);
        if ((magnitude(mid) > level) == risingAbove)
            hi = mid;
        else
            lo = mid;
    }
    return 0.5 * (lo + hi);
}
