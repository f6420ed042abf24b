#pragma once

// The saturation stage's anti-alias filter: a 10th-order Bessel low-pass
// turned into an all-pole recursion by mapping its poles with z = e^(sT).
// A tick is y := c0 x + c1 h1 + ... + c10 h10 over the ten previous outputs.

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
