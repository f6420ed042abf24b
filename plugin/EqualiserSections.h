#pragma once

#include "IirSection.h"

// The filter sections of the modelled passive equaliser. Each one is an
// IirSection whose coefficients come from the circuit's polynomials for the
// current knob values; Design is called once per block, never per sample.

constexpr int kHpfCorners = 5;

// First-order high-pass, one of five fixed corners (1 = 67.6 Hz .. 5 = 307.1 Hz).
// Its pass band sits at 0.188192; the signal path adds the make-up gain.
struct HpfStage : IirSection<1> {
    void Design(int corner, double fs);
};

// First-order low-pass; v in (0.01, 1] moves the corner from ~170 kHz down
// to ~3.7 kHz. Unity gain at DC.
struct LpfStage : IirSection<1> {
    void Design(double v, double fs);
};

// Low shelf network: u = smoothed (1 - Low Atten), v = smoothed Low Boost.
struct LowSection : IirSection<2> {
    void Design(double fs, double u, double v);
};

// Mid band: m = 1 - smoothed Mid. Its analogue variable is 3.5 fs, which
// places the band 1.75 times lower than a plain bilinear mapping would.
struct MidSection : IirSection<3> {
    void Design(double fs, double m);
};

// High shelf: h = smoothed High.
struct HighSection : IirSection<2> {
    void Design(double fs, double h);
};
