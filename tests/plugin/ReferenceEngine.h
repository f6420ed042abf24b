#pragma once

#include "AllPoleFilter.h"
#include "EqualiserSections.h"
#include "ValueSmoother.h"

// The signal path exactly as its definition writes it: one channel and one
// operation at a time, sums left to right, every coefficient recomputed every
// block, every section dividing by a0 on every tick. The yardstick that the
// product's vectorised arithmetic is held to.
namespace reference {

// The saturation curve (Shaper.h), read straight off its definition.
double ShapeSample(double x);

// y := c0 x + c1 h1 + ... + c10 h10, then the flush of AllPoleFilter.h.
struct AllPoleFilter {
    double h[kAllPoleOrder + 1] = {};  // h[0] the newest output

    double Tick(double x, const AllPoleCoeffs& k);
};

struct SaturationStage {
    AllPoleCoeffs coeffs;
    AllPoleFilter up, down;

    void Design(int factor);
    double Step(double x, int factor);
    void Clear();
};

// Direct form I, y := (b0 x + b1 x1 + ... - a1 y1 - ...) / a0.
template <int N>
struct Section {
    IirSection<N> k;
    double x[N] = {};
    double y[N] = {};

    double Tick(double in);
    void ClearIfNotFinite();
};

class Engine {
public:
    // The three values the sample loop reads at every sample.
    double hpf = 0.0, lpf = 0.01, bypass = 0.0;

    void SetHigh(double value) { highTarget = value; }
    void SetLowBoost(double value) { lowBoostTarget = value; }
    void SetLowAtten(double value) { lowAttenTarget = value; }
    void SetLpf(double value) { lpfValue = value; }
    void SetMid(double value) { midTarget = value; }
    void SetOutDb(double db);
    void SetOversample(double value);
    void Reset();

    void ProcessBlock(const double* const* inputs, double* const* outputs, int frames, double fs);

private:
    struct Channel {
        SaturationStage saturation;
        Section<1> hpf[kHpfCorners];
        Section<1> lpf;
        Section<2> low;
        Section<3> mid;
        Section<2> high;
    };

    void RefreshCoefficients(double fs);

    ValueSmoother lowBoostSmoother, lowAttenSmoother, midSmoother, highSmoother;
    double highTarget = 0.5, lowBoostTarget = 0.0, lowAttenTarget = 0.0, midTarget = 0.5, lpfValue = 0.0;
    double outputGain = 0.0;
    int oversampleFactor = 4;
    Channel channels[2];
};

}  // namespace reference
