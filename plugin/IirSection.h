#pragma once

// The coefficients of one channel's recursive section of order N (1 to 3),
// as the modelled circuit's polynomials give them: not normalised, a[0] != 1
// in general. StereoSection runs them.
template <int N>
struct IirSection {
    static_assert(N >= 1 && N <= 3, "sections are of order 1, 2 or 3");
    double b[N + 1] = {};  // numerator, b[i] weighs the input i ticks ago
    double a[N + 1] = {};  // denominator, a[i] weighs the output i ticks ago

    // Bilinear transform s = k (1 - z^-1) / (1 + z^-1) of the analogue
    // function p(s) / q(s), both sides multiplied by (1 + z^-1)^N.
    // p[i] and q[i] are the coefficients of s^i.
    void SetAnalogue(const double (&p)[N + 1], const double (&q)[N + 1], double k) {
        Bilinear(p, k, b);
        Bilinear(q, k, a);
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
