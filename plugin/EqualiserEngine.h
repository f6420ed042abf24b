#pragma once

#include <atomic>

#include "EqualiserSections.h"
#include "SaturationStage.h"
#include "StereoSection.h"
#include "ValueSmoother.h"

// The parameter values that the sample loop reads afresh at every sample,
// so that a value written during a block takes effect at the next sample.
// The owner points them at its parameter records; they must outlive the
// engine. Other threads may write them while a block runs, so they are
// atomics, read with relaxed order (a plain load).
struct LiveParamValues {
    const std::atomic<double>* hpf;     // 0 = off, 1..5 = high-pass corner (integer part)
    const std::atomic<double>* lpf;     // 0.01 = off, up to 1.0
    const std::atomic<double>* bypass;  // integer part 1 copies input to output

    static double Read(const std::atomic<double>* value) { return value->load(std::memory_order_relaxed); }
};

// The filter sections of both channels, one lane each.
struct FilterSections {
    StereoSection<1> hpf[kHpfCorners];  // corners 1 to 5
    StereoSection<1> lpf;
    StereoSection<2> low;
    StereoSection<3> mid;
    StereoSection<2> high;
};

// The equaliser's complete signal path for a channel pair, independent of
// any plug-in framework: saturation stage, high-pass, low-pass, input gain,
// low, mid and high sections, output gain. Not thread-safe; the owner
// serialises the setters, Reset and ProcessBlock (under its plug-in lock).
class EqualiserEngine {
public:
    explicit EqualiserEngine(const LiveParamValues& live);

    // Plain parameter values; the smoothed ones reach the sections from the
    // next block on.
    void SetHigh(double value) { highTarget = value; }
    void SetLowBoost(double value) { lowBoostTarget = value; }
    void SetLowAtten(double value) { lowAttenTarget = value; }
    void SetLpf(double value) { lpfValue = value; }
    void SetMid(double value) { midTarget = value; }
    void SetOutDb(double db);
    // Integer part 0 selects factor 16, anything else factor 4.
    void SetOversample(double value);

    // Clears the saturation stage's filter histories and nothing else.
    void Reset() { saturation.Clear(); }

    // For tests: runs the saturation stage on `path` (false when this
    // processor cannot), and looks at the stage and the sections.
    bool SelectSaturationPath(SaturationPath path) { return saturation.SelectPath(path); }
    const SaturationStage& Saturation() const { return saturation; }
    const FilterSections& Sections() const { return sections; }

    // Reads inputs[0], inputs[1], writes outputs[0], outputs[1]; outputs
    // may be the inputs. Coefficients and smoothers advance even when
    // frames < 1.
    void ProcessBlock(const double* const* inputs, double* const* outputs, int frames,
                      double sampleRate);

    double OutputGain() const { return outputGain; }
    int OversampleFactor() const { return oversampleFactor; }

private:
    // Frames the sample loop takes at a time.
    static constexpr int kChunkFrames = 256;

    void RefreshCoefficients(double sampleRate);
    void ProcessChunk(const double* const* inputs, double* const* outputs, int frames);
    // The HPF switch's position: 0 off, 1 to 5 a corner. Both channels take
    // the corner read once for the sample.
    int HpfCorner() const {
        const double selector = LiveParamValues::Read(live.hpf);
        return selector >= 1.0 && selector < kHpfCorners + 1.0 ? static_cast<int>(selector) : 0;
    }
    void ClearNonFiniteHistories();

    LiveParamValues live;
    ValueSmoother lowBoostSmoother;
    ValueSmoother lowAttenSmoother;
    ValueSmoother midSmoother;
    ValueSmoother highSmoother;
    double highTarget = 0.5;
    double lowBoostTarget = 0.0;
    double lowAttenTarget = 0.0;
    double midTarget = 0.5;
    double lpfValue = 0.0;
    double outputGain = 0.0;  // silent until the owner delivers Out
    int oversampleFactor = 4;
    double designedRate = 0.0;  // the rate the smoothers and high-pass corners are set for
    SaturationStage saturation;
    FilterSections sections;

    // The sample loop's working buffers: channel pairs, left then right.
    struct Chunk {
        double dry[kChunkFrames][2];
        double wet[kChunkFrames][2];
        double processed[kChunkFrames][2];
    } chunk;
};
