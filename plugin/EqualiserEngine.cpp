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
    // The anti-alias design depends on the factor alone, the high-pass corners and
    // the smoothers' constant on the sample rate alone: redone only when those
    // change, they come out the same as if redone every block.
    if (oversampleFactor != designedFactor) {
        saturation.Design(oversampleFactor);
        designedFactor = oversampleFactor;
    }
    if (!(fs == designedRate)) {
        const double p = std::exp(-2.0 * kPi * kSmootherCornerHz / fs);
        for (ValueSmoother* s : {&lowBoostSmoother, &lowAttenSmoother, &midSmoother, &highSmoother}) {
            s->feedback = p;
            s->gain = 1.0 - p;
        }
        for (int k = 0; k < kHpfCorners; ++k) {
            HpfStage corner;
            corner.Design(k + 1, fs);
            hpf[k].SetCoefficients(corner, corner);
        }
        designedRate = fs;
    }

    LowSection lowDesign[2];
    for (LowSection& d : lowDesign) {
        const double boost = lowBoostSmoother.Step(lowBoostTarget);
        const double keep = lowAttenSmoother.Step(1.0 - lowAttenTarget);
        d.Design(fs, keep, boost);
    }
    low.SetCoefficients(lowDesign[0], lowDesign[1]);

    MidSection midDesign[2];
    for (MidSection& d : midDesign) d.Design(fs, 1.0 - midSmoother.Step(midTarget));
    mid.SetCoefficients(midDesign[0], midDesign[1]);

    HighSection highDesign[2];
    for (HighSection& d : highDesign) d.Design(fs, highSmoother.Step(highTarget));
    high.SetCoefficients(highDesign[0], highDesign[1]);

    LpfStage lpfDesign;
    lpfDesign.Design(lpfValue, fs);
    lpf.SetCoefficients(lpfDesign, lpfDesign);
}

// Both channels take the corner read once for the sample.
StereoSample EqualiserEngine::HighPass(StereoSample x) {
    const double selector = LiveParamValues::Read(live.hpf);
    if (!(selector >= 1.0 && selector < kHpfCorners + 1.0)) return x;
    return hpf[static_cast<int>(selector) - 1].Tick(x) * kHpfMakeUp;
}

StereoSample EqualiserEngine::Equalise(StereoSample x) {
    return high.Tick(mid.Tick(low.Tick(kEqualiserInputGain * x)));
}

void EqualiserEngine::ClearNonFiniteHistories() {
    for (StereoSection<1>& corner : hpf) corner.ClearNonFiniteLanes();
    lpf.ClearNonFiniteLanes();
    low.ClearNonFiniteLanes();
    mid.ClearNonFiniteLanes();
    high.ClearNonFiniteLanes();
}

void EqualiserEngine::ProcessBlock(const double* const* inputs, double* const* outputs,
                                   int frames, double sampleRate) {
    RefreshCoefficients(sampleRate);
    if (frames < 1) return;

    for (int i = 0; i < frames; ++i) {
        // Read before any write: outputs may be the inputs.
        const StereoSample dry{inputs[0][i], inputs[1][i]};
        StereoSample filtered = HighPass(dry + kSaturationMix * saturation.Step(dry, oversampleFactor));
        if (LiveParamValues::Read(live.lpf) > kLpfOff) filtered = lpf.Tick(filtered);

        const bool bypassed = LiveParamValues::Read(live.bypass) >= 1.0;  // integer part of a 0/1 switch
        const StereoSample out = bypassed ? dry : Equalise(filtered) * outputGain;
        outputs[0][i] = out[0];
        outputs[1][i] = out[1];
    }
    // A single non-finite input would otherwise silence the sections for
    // good; the saturation stage flushes its own histories.
    ClearNonFiniteHistories();
}
