#include "ReferenceEngine.h"

#include "DspMath.h"
#include "Shaper.h"

#include <cmath>
#include <initializer_list>

namespace reference {

double ShapeSample(double x) {
    const double q = std::fabs(x) * static_cast<double>(ShaperTable::kScale);
    double c = ShaperTable::kValues[0];
    if (q < ShaperTable::kOutOfRange) {  // false for NaN too
        const int i = static_cast<int>(q);
        if (i < ShaperTable::kLast)
            c = double(ShaperTable::kValues[i]) * (1.0 - (q - i)) + double(ShaperTable::kValues[i + 1]) * (q - i);
        else
            c = ShaperTable::kValues[ShaperTable::kLast];
    }
    return std::copysign(c, -x);
}

double AllPoleFilter::Tick(double x, const AllPoleCoeffs& k) {
    for (int i = kAllPoleOrder; i > 0; --i) h[i] = h[i - 1];
    double y = k.c[0] * x;
    for (int i = 1; i <= kAllPoleOrder; ++i) y += k.c[i] * h[i];
    h[0] = std::isfinite(y) && std::fabs(y) >= kAllPoleFlushBelow ? y : 0.0;
    return h[0];
}

void SaturationStage::Design(int factor) { DesignAllPole(coeffs, 0.2 / factor); }

double SaturationStage::Step(double x, int factor) {
    double d = 0.0;
    for (int j = 0; j < factor; ++j) {
        const double u = j == 0 ? x : 0.0;
        const double w = factor * up.Tick(u, coeffs);
        const double t = down.Tick(ShapeSample(w), coeffs);
        if (j == 0) d = t;
    }
    return d;
}

void SaturationStage::Clear() {
    up = AllPoleFilter{};
    down = AllPoleFilter{};
}

template <int N>
double Section<N>::Tick(double in) {
    double acc = k.b[0] * in;
    for (int i = 0; i < N; ++i) acc += k.b[i + 1] * x[i];
    for (int i = 0; i < N; ++i) acc -= k.a[i + 1] * y[i];
    const double out = acc / k.a[0];
    for (int i = N - 1; i > 0; --i) {
        x[i] = x[i - 1];
        y[i] = y[i - 1];
    }
    x[0] = in;
    y[0] = out;
    return out;
}

template <int N>
void Section<N>::ClearIfNotFinite() {
    for (int i = 0; i < N; ++i)
        if (!std::isfinite(x[i]) || !std::isfinite(y[i])) {
            for (int j = 0; j < N; ++j) x[j] = y[j] = 0.0;
            return;
        }
}

void Engine::SetOutDb(double db) { outputGain = std::pow(10.0, db / 20.0); }

void Engine::SetOversample(double value) { oversampleFactor = std::trunc(value) != 0.0 ? 4 : 16; }

void Engine::Reset() {
    for (Channel& c : channels) c.saturation.Clear();
}

void Engine::RefreshCoefficients(double fs) {
    for (Channel& c : channels) c.saturation.Design(oversampleFactor);
    const double p = std::exp(-2.0 * kPi * 1000.0 / fs);
    for (ValueSmoother* s : {&lowBoostSmoother, &lowAttenSmoother, &midSmoother, &highSmoother}) {
        s->feedback = p;
        s->gain = 1.0 - p;
    }
    for (Channel& c : channels) {
        const double v = lowBoostSmoother.Step(lowBoostTarget);
        const double u = lowAttenSmoother.Step(1.0 - lowAttenTarget);
        LowSection design;
        design.Design(fs, u, v);
        c.low.k = design;
    }
    for (Channel& c : channels)
        for (int corner = 1; corner <= kHpfCorners; ++corner) {
            HpfStage design;
            design.Design(corner, fs);
            c.hpf[corner - 1].k = design;
        }
    for (Channel& c : channels) {
        MidSection design;
        design.Design(fs, 1.0 - midSmoother.Step(midTarget));
        c.mid.k = design;
    }
    for (Channel& c : channels) {
        HighSection design;
        design.Design(fs, highSmoother.Step(highTarget));
        c.high.k = design;
    }
    for (Channel& c : channels) {
        LpfStage design;
        design.Design(lpfValue, fs);
        c.lpf.k = design;
    }
}

void Engine::ProcessBlock(const double* const* inputs, double* const* outputs, int frames, double fs) {
    RefreshCoefficients(fs);
    if (frames < 1) return;
    const double hpfMakeUp = std::pow(10.0, 0.725);
    const double inputGain = -(std::pow(10.0, 0.125) * 10.0);
    for (int i = 0; i < frames; ++i) {
        const double dry[2] = {inputs[0][i], inputs[1][i]};
        double a[2], filtered[2];
        for (int c = 0; c < 2; ++c) a[c] = dry[c] + 0.01 * channels[c].saturation.Step(dry[c], oversampleFactor);
        for (int c = 0; c < 2; ++c) {
            const double k = std::trunc(hpf);
            filtered[c] = k >= 1.0 && k <= kHpfCorners ? channels[c].hpf[int(k) - 1].Tick(a[c]) * hpfMakeUp : a[c];
        }
        if (lpf > 0.01)
            for (int c = 0; c < 2; ++c) filtered[c] = channels[c].lpf.Tick(filtered[c]);
        const bool bypassed = std::trunc(bypass) == 1.0;
        for (int c = 0; c < 2; ++c) {
            if (bypassed) {
                outputs[c][i] = dry[c];
            } else {
                Channel& ch = channels[c];
                outputs[c][i] = ch.high.Tick(ch.mid.Tick(ch.low.Tick(inputGain * filtered[c]))) * outputGain;
            }
        }
    }
    for (Channel& c : channels) {
        for (Section<1>& corner : c.hpf) corner.ClearIfNotFinite();
        c.lpf.ClearIfNotFinite();
        c.low.ClearIfNotFinite();
        c.mid.ClearIfNotFinite();
        c.high.ClearIfNotFinite();
    }
}

template struct Section<1>;
template struct Section<2>;
template struct Section<3>;

}  // namespace reference
