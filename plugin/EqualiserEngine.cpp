#include "EqualiserEngine.h"

#include "DspMath.h"

#include <algorithm>
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
    saturation.Design(oversampleFactor);
    if (!(fs == designedRate)) {
        const double p = std::exp(-2.0 * kPi * kSmootherCornerHz / fs);
        for (ValueSmoother* s : {&lowBoostSmoother, &lowAttenSmoother, &midSmoother, &highSmoother}) {
            s->feedback = p;
            s->gain = 1.0 - p;
        }
        for (int k = 0; k < kHpfCorners; ++k) {
            HpfStage corner;
            corner.Design(k + 1, fs);
            sections.hpf[k].SetCoefficients(corner, corner);
        }
        designedRate = fs;
    }

    LowSection lowDesign[2];
    for (LowSection& d : lowDesign) {
        const double boost = lowBoostSmoother.Step(lowBoostTarget);
        const double keep = lowAttenSmoother.Step(1.0 - lowAttenTarget);
        d.Design(fs, keep, boost);
    }
    sections.low.SetCoefficients(lowDesign[0], lowDesign[1]);

    MidSection midDesign[2];
    for (MidSection& d : midDesign) d.Design(fs, 1.0 - midSmoother.Step(midTarget));
    sections.mid.SetCoefficients(midDesign[0], midDesign[1]);

    HighSection highDesign[2];
    for (HighSection& d : highDesign) d.Design(fs, highSmoother.Step(highTarget));
    sections.high.SetCoefficients(highDesign[0], highDesign[1]);

    LpfStage lpfDesign;
    lpfDesign.Design(lpfValue, fs);
    sections.lpf.SetCoefficients(lpfDesign, lpfDesign);
}

void EqualiserEngine::ClearNonFiniteHistories() {
    for (StereoSection<1>& corner : sections.hpf) corner.ClearNonFiniteLanes();
    sections.lpf.ClearNonFiniteLanes();
    sections.low.ClearNonFiniteLanes();
    sections.mid.ClearNonFiniteLanes();
    sections.high.ClearNonFiniteLanes();
}

void EqualiserEngine::ProcessBlock(const double* const* inputs, double* const* outputs,
                                   int frames, double sampleRate) {
    RefreshCoefficients(sampleRate);
    if (frames < 1) return;

    for (int done = 0; done < frames; done += kChunkFrames) {
        const double* const in[2] = {inputs[0] + done, inputs[1] + done};
        double* const out[2] = {outputs[0] + done, outputs[1] + done};
        ProcessChunk(in, out, std::min(kChunkFrames, frames - done));
    }
    // A single non-finite input would otherwise silence the sections for
    // good; the saturation stage flushes its own histories.
    ClearNonFiniteHistories();
}

// Frames are held as channel pairs, left then right. Every input of the chunk
// is read before any output is written: outputs may be the inputs.
void EqualiserEngine::ProcessChunk(const double* const* inputs, double* const* outputs, int frames) {
    double (&dry)[kChunkFrames][2] = chunk.dry;
    double (&wet)[kChunkFrames][2] = chunk.wet;
    double (&processed)[kChunkFrames][2] = chunk.processed;
    for (int i = 0; i < frames; ++i) {
        dry[i][0] = inputs[0][i];
        dry[i][1] = inputs[1][i];
    }
    saturation.Process(dry[0], wet[0], frames);

    // Local copies keep the recursions in registers rather than in memory
    // that every output store might alias.
    StereoSection<1> lpf = sections.lpf;
    StereoSection<2> low = sections.low;
    StereoSection<3> mid = sections.mid;
    StereoSection<2> high = sections.high;
    for (int i = 0; i < frames; ++i) {
        const StereoSample x = LoadPair(dry[i]);
        StereoSample y = x + kSaturationMix * LoadPair(wet[i]);
        const int corner = HpfCorner();
        if (corner > 0) y = sections.hpf[corner - 1].Tick(y) * kHpfMakeUp;
        if (LiveParamValues::Read(live.lpf) > kLpfOff) y = lpf.Tick(y);
        // Bypassed (integer part 1), the sections rest and the input passes as it is.
        if (LiveParamValues::Read(live.bypass) < 1.0)
            y = high.Tick(mid.Tick(low.Tick(kEqualiserInputGain * y))) * outputGain;
        else
            y = x;
        StorePair(processed[i], y);
    }
    sections.lpf = lpf;
    sections.low = low;
    sections.mid = mid;
    sections.high = high;

    for (int i = 0; i < frames; ++i) {
        outputs[0][i] = processed[i][0];
        outputs[1][i] = processed[i][1];
    }
}
