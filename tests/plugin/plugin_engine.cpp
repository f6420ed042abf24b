#include "DspMath.h"
#include "EqualiserEngine.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

namespace {

constexpr double kFs = 48000.0;

struct Stereo {
    std::vector<double> left, right;
    explicit Stereo(int n = 0) : left(n), right(n) {}
    int Frames() const { return static_cast<int>(left.size()); }
};

Stereo Sine(int n, double freq, double amplitude) {
    Stereo s(n);
    for (int i = 0; i < n; ++i) s.left[i] = s.right[i] = amplitude * std::sin(2 * kPi * freq * i / kFs);
    return s;
}

Stereo Noise(int n, double amplitude, unsigned seed) {
    Stereo s(n);
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> u(-amplitude, amplitude);
    for (int i = 0; i < n; ++i) {
        s.left[i] = u(rng);
        s.right[i] = u(rng);
    }
    return s;
}

// An engine as its owner has it once every default has been delivered,
// with the three per-sample values in records of its own.
struct Rig {
    std::atomic<double> hpf {0.0}, lpf {0.01}, bypass {0.0};
    EqualiserEngine engine{{&hpf, &lpf, &bypass}};

    Rig() {
        engine.SetHigh(0.5);
        engine.SetLowBoost(0.001);
        engine.SetLowAtten(0.0);
        engine.SetLpf(0.01);
        engine.SetMid(0.5);
        engine.SetOutDb(0.0);
        engine.SetOversample(1.0);
    }

    Stereo Run(const Stereo& in, int block = 512) {
        Stereo out(in.Frames());
        for (int at = 0; at < in.Frames(); at += block) {
            const int n = std::min(block, in.Frames() - at);
            const double* ins[2] = {in.left.data() + at, in.right.data() + at};
            double* outs[2] = {out.left.data() + at, out.right.data() + at};
            engine.ProcessBlock(ins, outs, n, kFs);
        }
        return out;
    }
};

// Gain (dB) and phase (degrees) of `out` against a sine at freq, fitted over
// the last `span` samples (whole cycles).
struct GainPhase {
    double db, degrees;
};

GainPhase Measure(const std::vector<double>& out, double freq, double amplitude, int span) {
    double s = 0.0, c = 0.0;
    const int start = static_cast<int>(out.size()) - span;
    for (int i = start; i < static_cast<int>(out.size()); ++i) {
        const double w = 2 * kPi * freq * i / kFs;
        s += out[i] * std::sin(w);
        c += out[i] * std::cos(w);
    }
    const double a = 2.0 / span * std::hypot(s, c);
    return {20.0 * std::log10(a / amplitude), std::atan2(c, s) * 180.0 / kPi};
}

TEST(EqualiserEngine, DefaultsAreNearlyTransparentAt1kHz) {
    struct Case {
        double oversample, expectedDb;
    };
    for (const Case c : {Case{1.0, 0.02}, Case{0.0, 0.03}}) {
        Rig rig;
        rig.engine.SetOversample(c.oversample);
        const Stereo out = rig.Run(Sine(48000, 1000.0, 0.1));
        for (const std::vector<double>* channel : {&out.left, &out.right}) {
            const GainPhase gp = Measure(*channel, 1000.0, 0.1, 9600);
            EXPECT_NEAR(gp.db, c.expectedDb, 0.005) << "factor " << rig.engine.OversampleFactor();
            EXPECT_NEAR(gp.degrees, 0.0, 0.5);
        }
    }
}

TEST(EqualiserEngine, BypassCopiesInputBitForBitWhateverTheGain) {
    Rig rig;
    rig.engine.SetOutDb(-12.0);
    rig.hpf = 4.0;
    rig.lpf = 0.6;
    const Stereo in = Noise(3000, 1.0, 1);
    rig.Run(in);
    rig.bypass = 1.0;  // read from the record, no setter involved
    const Stereo out = rig.Run(in, 77);
    EXPECT_EQ(0, std::memcmp(in.left.data(), out.left.data(), in.Frames() * sizeof(double)));
    EXPECT_EQ(0, std::memcmp(in.right.data(), out.right.data(), in.Frames() * sizeof(double)));
}

TEST(EqualiserEngine, OutputGainScalesTheProcessedSignal) {
    Rig loud, quiet;
    quiet.engine.SetOutDb(-12.0);
    const Stereo in = Noise(4000, 0.5, 2);
    const Stereo a = loud.Run(in), b = quiet.Run(in);
    const double ratio = std::pow(10.0, -0.6);
    EXPECT_NEAR(ratio, 0.251189, 1e-6);
    for (int i = 0; i < in.Frames(); ++i) {
        ASSERT_NEAR(b.left[i], a.left[i] * ratio, 1e-14);
        ASSERT_NEAR(b.right[i], a.right[i] * ratio, 1e-14);
    }
}

TEST(EqualiserEngine, InPlaceProcessingEqualsSeparateBuffers) {
    Rig separate, inPlace;
    for (Rig* r : {&separate, &inPlace}) {
        r->hpf = 2.0;
        r->lpf = 0.4;
        r->engine.SetMid(0.8);
    }
    const Stereo in = Noise(5000, 0.8, 3);
    const Stereo expected = separate.Run(in, 100);
    Stereo buffer = in;
    for (int at = 0; at < buffer.Frames(); at += 100) {
        double* io[2] = {buffer.left.data() + at, buffer.right.data() + at};
        inPlace.engine.ProcessBlock(io, io, 100, kFs);
    }
    EXPECT_EQ(expected.left, buffer.left);
    EXPECT_EQ(expected.right, buffer.right);
}

// Smoothers step twice per block whatever its length; a block of zeros
// leaves every history at zero, so only the smoother states tell blocks
// apart.
TEST(EqualiserEngine, SmoothersCountBlocksNotSamples) {
    const Stereo silence(2), probe = Noise(64, 0.5, 4);
    const auto runAfter = [&](const std::vector<int>& silentBlocks) {
        Rig rig;
        for (int frames : silentBlocks) {
            if (frames == 0) {
                rig.engine.ProcessBlock(nullptr, nullptr, 0, kFs);  // reads and writes nothing
            } else {
                rig.Run(Stereo(frames), frames);
            }
        }
        return rig.Run(probe).left;
    };
    EXPECT_EQ(runAfter({1, 1}), runAfter({0, 0}));
    EXPECT_EQ(runAfter({2}), runAfter({0}));
    EXPECT_NE(runAfter({1, 1}), runAfter({2}));
}

TEST(EqualiserEngine, SettersConvertTheirValues) {
    Rig rig;
    rig.engine.SetOutDb(12.0);
    EXPECT_NEAR(rig.engine.OutputGain(), 3.981072, 1e-6);
    rig.engine.SetOutDb(0.0);
    EXPECT_EQ(rig.engine.OutputGain(), 1.0);
    rig.engine.SetOversample(0.0);
    EXPECT_EQ(rig.engine.OversampleFactor(), 16);
    rig.engine.SetOversample(1.0);
    EXPECT_EQ(rig.engine.OversampleFactor(), 4);
    rig.engine.SetOversample(0.7);
    EXPECT_EQ(rig.engine.OversampleFactor(), 16);
}

TEST(EqualiserEngine, RecoversFromNonFiniteInput) {
    for (double bad : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
        Rig rig;
        rig.hpf = 3.0;
        rig.lpf = 0.5;
        rig.engine.SetLowBoost(0.6);
        Stereo poisoned = Sine(512, 1000.0, 0.1);
        poisoned.left[100] = poisoned.right[200] = bad;
        rig.Run(poisoned);
        const Stereo out = rig.Run(Sine(4800, 1000.0, 0.1));
        for (int i = 0; i < out.Frames(); ++i) {
            ASSERT_TRUE(std::isfinite(out.left[i]) && std::isfinite(out.right[i])) << "sample " << i;
        }
        EXPECT_GT(Measure(out.left, 1000.0, 0.1, 2400).db, -20.0);
        EXPECT_GT(Measure(out.right, 1000.0, 0.1, 2400).db, -20.0);
    }
}

TEST(EqualiserEngine, ResetKeepsTheEqualiserTail) {
    Rig rig;
    rig.engine.SetLowBoost(0.9);
    rig.Run(Noise(4800, 1.0, 6));
    rig.engine.Reset();
    const Stereo tail = rig.Run(Stereo(512));
    double peak = 0.0;
    for (double v : tail.left) peak = std::max(peak, std::fabs(v));
    EXPECT_GT(peak, 1e-3);
}

}  // namespace
