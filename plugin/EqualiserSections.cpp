#include "EqualiserSections.h"

namespace {

// Per corner: the network's numerator B, denominator A and loss C, giving
// H(s) = (B/2) s / ((A/2) s + C).
struct HpfCornerConstants {
    double B, A, C;
};

constexpr HpfCornerConstants kHpfConstants[kHpfCorners] = {
    {3.90340144442863e-06, 2.07416037537285e-05, 0.00440301982103032},
    {3.89533028374684e-06, 2.06987158214783e-05, 0.0064616405690437},
    {3.88411638917792e-06, 2.0639128264063e-05, 0.00932184332497503},
    {3.86881629852847e-06, 2.05578277823767e-05, 0.0132242664459174},
    {3.8434032045107e-06, 2.04227895769097e-05, 0.0197061003083324},
};

}  // namespace

void HpfStage::Design(int corner, double fs) {
    const HpfCornerConstants& k = kHpfConstants[corner - 1];
    b[0] = k.B * fs;
    b[1] = -k.B * fs;
    a[0] = k.A * fs + k.C;
    a[1] = k.C - k.A * fs;
}

void LpfStage::Design(double v, double fs) {
    const double g = 0.0302480338777979 * v + 0.302480338777979;
    b[0] = g;
    b[1] = g;
    a[0] = (2.84331518451301e-05 * fs + 0.0302480338777979) * v + 0.302480338777979;
    a[1] = (0.0302480338777979 - 2.84331518451301e-05 * fs) * v + 0.302480338777979;
}

void LowSection::Design(double fs, double u, double v) {
    const double v2 = v * v;
    const double uv = u * v;
    const double uv2 = u * v2;
    const double notU = 1.0 - u;
    const double p[3] = {
        5.695609975084389e-06 + 6.477714466784994e-04 * v - 6.223495777653160e-04 * v2 -
            5.834527291549850e-04 * uv + 5.556692658618905e-04 * uv2,
        1.253034194518565e-08 * notU + 1.682705454346270e-07 * v - 1.728131416830480e-07 * v2 -
            1.415011785517305e-07 * uv + 1.466966861875390e-07 * uv2,
        notU * (5.889260714237249e-11 * v - 5.745620209011950e-11 * v2),
    };
    const double q[3] = {
        7.165494100605550e-04 - 3.070072693886948e-05 * v - 6.223495777653160e-04 * v2 -
            6.404088289058295e-04 * u + 2.778346329309452e-05 * uv + 5.556692658618905e-04 * uv2,
        1.675092785403960e-07 * notU + 3.361364247263900e-06 * v - 3.361632357684680e-06 * v2 -
            3.003503515836690e-06 * uv + 3.019506790693515e-06 * uv2,
        notU * (7.872936091398625e-10 * v - 7.526762473805650e-10 * v2),
    };
    SetAnalogue(p, q, 2.0 * fs);
}

void MidSection::Design(double fs, double m) {
    const double m2 = m * m;
    const double p[4] = {
        -8.133439063531803e-08,
        1.789335024096600e-07 - 6.344082469554800e-11 * m + 3.172041234777405e-11 * m2,
        3.963751006565500e-11 + 3.489245358255150e-11 * m - 6.978490716510300e-11 * m2,
        6.978490716510291e-16,
    };
    const double q[4] = {
        9.760631149460101e-07,
        1.789690349683455e-07 + 7.613019501032700e-10 * m - 3.806528782763755e-10 * m2,
        4.750457270294750e-12 + 1.046788833274470e-10 * m - 6.978642974489550e-11 * m2,
        6.978782544303877e-16,
    };
    SetAnalogue(p, q, 3.5 * fs);
}

void HighSection::Design(double fs, double h) {
    const double h2 = h * h;
    const double p[3] = {
        -3.518324437586128e-03,
        -1.211575616133985e-06,
        1.702869027791686e-10 * h2 - 2.477198108436123e-10 * h - 1.421425265292786e-11,
    };
    const double q[3] = {
        3.518394804074877e-03,
        1.211599847646310e-06,
        -1.702903085172239e-10 * h2 + 9.285740045278050e-11 * h + 9.164821933150519e-11,
    };
    SetAnalogue(p, q, 2.0 * fs);
}
