#include "AllPoleFilter.h"

#include "DspMath.h"

#include <complex>

namespace {

// Poles of the 10th-order Bessel low-pass normalised to -3 dB at 1 rad/s,
// one of each conjugate pair: sigma + j omega.
struct PolePair {
    double sigma, omega;
};

constexpr PolePair kBesselPoles[kAllPoleOrder / 2] = {
    {-1.927619691324482, 0.2416234709451774},
    {-1.8421962445659017, 0.7272575977534836},
    {-1.6618102413500957, 1.221100218591516},
    {-1.3606922783857325, 1.73350574265843},
    {-0.8657569017089488, 2.2926048309837426},
};

using Complex = std::complex<double>;

// a := a * (1 - pole z^-1), for a polynomial in z^-1 of the given degree.
void MultiplyByRoot(Complex (&a)[kAllPoleOrder + 1], int degree, Complex pole) {
    for (int k = degree + 1; k > 0; --k) a[k] -= pole * a[k - 1];
}

}  // namespace

void DesignAllPole(AllPoleCoeffs& coeffs, double fc) {
    const double omegaC = 2.0 * kPi * fc;
    Complex a[kAllPoleOrder + 1] = {1.0};
    int degree = 0;
    for (const PolePair& pair : kBesselPoles) {
        const double r = std::exp(pair.sigma * omegaC);
        const double re = r * std::cos(pair.omega * omegaC);
        const double im = r * std::sin(pair.omega * omegaC);
        MultiplyByRoot(a, degree++, Complex(re, im));
        MultiplyByRoot(a, degree++, Complex(re, -im));
    }
    // a[0] stays exactly 1, so the feedback needs no normalisation; the
    // imaginary parts cancel between conjugates.
    Complex atDc = 0.0;
    for (const Complex& ak : a) atDc += ak;
    coeffs.c[0] = 1.0 / std::abs(1.0 / atDc);
    for (int k = 1; k <= kAllPoleOrder; ++k) coeffs.c[k] = -a[k].real();
}
