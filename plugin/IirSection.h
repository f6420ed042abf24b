#pragma once

#include <cmath>

// A direct-form-I recursive section of order N (1 to 3) with unnormalised
// coefficients. The output is divided by a0 on every tick rather than
// scaling the coefficients once: the modelled circuit's polynomials are
// used exactly as derived, and the rounding stays that of the model.
template <int N>
struct IirSection {
    static_assert(N >= 1 && N <= 3, "sections are of order 1, 2 or 3");
    double b[N + 1] = {};  // numerator, b[i] weighs the input i ticks ago
    double a[N + 1] = {};  // denominator, a[0] divides every output
    double x[N] = {};      // previous inputs, x[0] the most recent
    double y[N] = {};      // previous outputs, y[0] the most recent

    double Tick(double in) {
        double acc = b[0] * in;
        for (int i = 0; i < N; ++i) acc += b[i + 1] * x[i];
        for (int i = 0; i < N; ++i) acc -= a[i + 1] * y[i];
        const double out = acc / a[0];
        for (int i = N - 1; i > 0; --i) {
            x[i] = x[i - 1];
            y[i] = y[i - 1];
        }
        x[0] = in;
        y[0] = out;
        return out;
    }

    // Bilinear transform s = k (1 - z^-1) / (1 + z^-1) of the analogue
    // function p(s) / q(s), both sides multiplied by (1 + z^-1)^N.
    // p[i] and q[i] are the coefficients of s^i.
    void SetAnalogue(const double (&p)[N + 1], const double (&q)[N + 1], double k) {
        Bilinear(p, k, b);
        Bilinear(q, k, a);
    }

    // A non-finite value would otherwise circulate in the recursion forever.
    void ClearIfNotFinite() {
        bool finite = true;
        for (int i = 0; i < N; ++i) finite = finite && std::isfinite(x[i]) && std::isfinite(y[i]);
        if (finite) return;
        for (int i = 0; i < N; ++i) x[i] = y[i] = 0.0;
    }

private:
    static void Bilinear(const double (&p)[N + 1], double k, double (&out)[N + 1]) {
        const double k2 = k * k;
        if constexpr (N == 1) {
            out[0] = p[0] + p[1] * k;
            out[1] = p[0] - p[1] * k;
        } else if constexpr (N == 2) {
            out[0] = p[0] + p[1] * k + p[2] * k2;
            out[1] = 2.0 * p[0] - 2.0 * p[2] * k2;
            out[2] = p[0] - p[1] * k + p[2] * k2;
        } else {
            const double k3 = k2 * k;
            out[0] = p[0] + p[1] * k + p[2] * k2 + p[3] * k3;
            out[1] = 3.0 * p[0] + p[1] * k - p[2] * k2 - 3.0 * p[3] * k3;
            out[2] = 3.0 * p[0] - p[1] * k - p[2] * k2 + 3.0 * p[3] * k3;
            out[3] = p[0] - p[1] * k + p[2] * k2 - p[3] * k3;
        }
    }
};
