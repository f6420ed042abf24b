#include "EqualiserEngine.h"

#include "DspMath.h"

#include <cmath>
#include <initializer_list>

namespace {

constexpr double kSmootherCornerHz = 1000.0;
constexpr double kSaturationMix = 0.01;
const double kHpfMakeUp = std::pow(10.0, 0.725);
// +22.5 dB into the passive network, polarity inverted: the network's
// inversion restores it.
const double kEqualiserInputGain = -(std::pow(10.0, 0.125) * 10.0);
constexpr double kLpfOff = 0.01;

}  // namespace

EqualiserEngine::EqualiserEngine(const LiveParamValues& liveValues) : live(liveValues) {}

void EqualiserEngine::SetOutDb(double db) { outputGain = std::pow(10.0, db / 20.0); }

void EqualiserEngine::SetOversample(double value) {
    oversampleFactor = std::trunc(value) != 0.0 ? 4 : 16;
}

// Each smoother steps twice per block, so the right channel's sections get
// the second step: the smoothing time counts in blocks, not samples.
void EqualiserEngine::RefreshCoefficients(double fs) {
    saturation.Design(oversampleFactor);

    const double p = std::exp(-2.0 * kPi * kSmootherCornerHz / fs);
    for (ValueSmoother* s : {&lowBoostSmoother, &lowAttenSmoother, &midSmoother, &highSmoother}) {
        s->feedback = p;
        s->gain = 1.0 - p;
    }
    for (Channel& c : channels) {
        const double boost = lowBoostSmoother.Step(lowBoostTarget);
        const double keep = lowAttenSmoother.Step(1.0 - lowAttenTarget);
        c.low.Design(fs, keep, boost);
    }
    for (Channel& c : channels)
        for (int k = 0; k < kHpfCorners; ++k) c.hpf[k].Design(k + 1, fs);
    for (Channel& c : channels) c.mid.Design(fs, 1.0 - midSmoother.Step(midTarget));
    for (Channel& c : channels) c.high.Design(fs, highSmoother.Step(highTarget));
    for (Channel& c : channels) c.lpf.Design(lpfValue, fs);
}

double EqualiserEngine::HighPass(Channel& channel, double x) const {
    const double selector = LiveParamValues::Read(live.hpf);
    if (!(selector >= 1.0 && selector < kHpfCorners + 1.0)) return x;
    return channel.hpf[static_cast<int>(selector) - 1].Tick(x) * kHpfMakeUp;
}

double EqualiserEngine::Channel::Equalise(double x) {
    return high.Tick(mid.Tick(low.Tick(kEqualiserInputGain * x)));
}

void EqualiserEngine::Channel::ClearNonFiniteHistories() {
    for (HpfStage& corner : hpf) corner.ClearIfNotFinite();
    lpf.ClearIfNotFinite();
    low.ClearIfNotFinite();
    mid.ClearIfNotFinite();
    high.ClearIfNotFinite();
}

void EqualiserEngine::ProcessBlock(const double* const* inputs, double* const* outputs,
                                   int frames, double sampleRate) {
    RefreshCoefficients(sampleRate);
    if (frames < 1) return;

    for (int i = 0; i < frames; ++i) {
        // Read before any write: outputs may be the inputs.
        const double dry[2] = {inputs[0][i], inputs[1][i]};
        const StereoSample wet = saturation.Step(StereoSample{dry[0], dry[1]}, oversampleFactor);

        double filtered[2];
        for (int c = 0; c < 2; ++c)
            filtered[c] = HighPass(channels[c], dry[c] + kSaturationMix * wet[c]);
        if (LiveParamValues::Read(live.lpf) > kLpfOff)
            for (int c = 0; c < 2; ++c) filtered[c] = channels[c].lpf.Tick(filtered[c]);

        const bool bypassed = LiveParamValues::Read(live.bypass) >= 1.0;  // integer part of a 0/1 switch
        for (int c = 0; c < 2; ++c)
            outputs[c][i] = bypassed ? dry[c] : channels[c].Equalise(filtered[c]) * outputGain;
    }
    // A single non-finite input would otherwise silence the sections for
    // good; the saturation stage flushes its own histories.
    for (Channel& c : channels) c.ClearNonFiniteHistories();
}
