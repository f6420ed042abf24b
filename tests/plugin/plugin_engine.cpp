#include "DspMath.h"
#include "EqualiserEngine.h"
#include "ReferenceEngine.h"
#include "RunnablePaths.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstring>
#include <functional>
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

// The engine and the written order side by side, fed the same settings and
// the same per-sample values.
class Twin {
public:
    explicit Twin(SaturationPath path) {
        EXPECT_TRUE(rig.engine.SelectSaturationPath(path));
        Apply([](auto& e) {
            e.SetHigh(0.5);
            e.SetLowBoost(0.001);
            e.SetLowAtten(0.0);
            e.SetLpf(0.01);
            e.SetMid(0.5);
            e.SetOutDb(0.0);
            e.SetOversample(1.0);
        });
    }

    // A setter call for both, as a host's automation would make it.
    template <class Change>
    void Apply(Change change) {
        change(rig.engine);
        change(reference);
    }

    void SetLive(double hpf, double lpf, double bypass) {
        rig.hpf = reference.hpf = hpf;
        rig.lpf = reference.lpf = lpf;
        rig.bypass = reference.bypass = bypass;
    }

    // Runs one block through both and keeps the worst difference and the peak.
    void Block(const Stereo& in) {
        Stereo mine(in.Frames()), theirs(in.Frames());
        const double* ins[2] = {in.left.data(), in.right.data()};
        double* mineOut[2] = {mine.left.data(), mine.right.data()};
        double* theirsOut[2] = {theirs.left.data(), theirs.right.data()};
        rig.engine.ProcessBlock(ins, mineOut, in.Frames(), kFs);
        reference.ProcessBlock(ins, theirsOut, in.Frames(), kFs);
        for (int i = 0; i < in.Frames(); ++i) {
            peak = std::max({peak, std::fabs(theirs.left[i]), std::fabs(theirs.right[i])});
            worst = std::max({worst, std::fabs(mine.left[i] - theirs.left[i]), std::fabs(mine.right[i] - theirs.right[i])});
        }
    }

    void Run(const Stereo& in, int block) {
        for (int at = 0; at < in.Frames(); at += block) Block(Slice(in, at, std::min(block, in.Frames() - at)));
    }

    static Stereo Slice(const Stereo& in, int at, int frames) {
        Stereo s(frames);
        std::copy_n(in.left.begin() + at, frames, s.left.begin());
        std::copy_n(in.right.begin() + at, frames, s.right.begin());
        return s;
    }

    Rig rig;
    reference::Engine reference;
    double peak = 0.0, worst = 0.0;
};

// The fast paths re-associate sums and scale coefficients once per block:
// within these fractions of the output's peak of the written order.
constexpr double kBoundFactor4 = 1e-9;
constexpr double kBoundFactor16 = 1e-6;

Stereo Concat(std::initializer_list<Stereo> parts) {
    Stereo all;
    for (const Stereo& p : parts) {
        all.left.insert(all.left.end(), p.left.begin(), p.left.end());
        all.right.insert(all.right.end(), p.right.begin(), p.right.end());
    }
    return all;
}

class EnginePathTest : public testing::TestWithParam<SaturationPath> {};

TEST_P(EnginePathTest, MatchesTheWrittenOrderOnNoiseSinesAndSilenceAfterLoudMaterial) {
    const Stereo material = Concat({Noise(24000, 1.0, 11), Sine(24000, 1000.0, 0.5), Stereo(48000),
                                    Sine(9600, 60.0, 0.9), Noise(4800, 0.02, 12)});
    for (double oversample : {1.0, 0.0}) {
        for (int block : {512, 64, 1, 1000}) {
            Twin twin(GetParam());
            twin.Apply([&](auto& e) { e.SetOversample(oversample); });
            twin.Run(block == 1 ? Twin::Slice(material, 0, 3000) : material, block);
            const double bound = oversample != 0.0 ? kBoundFactor4 : kBoundFactor16;
            EXPECT_GT(twin.peak, 0.5);
            EXPECT_LE(twin.worst, bound * twin.peak) << "oversample " << oversample << ", blocks of " << block;
        }
    }
}

TEST_P(EnginePathTest, MatchesTheWrittenOrderAtEveryHighPassCornerAndLowPassSetting) {
    const Stereo material = Concat({Noise(4800, 0.8, 13), Sine(4800, 150.0, 0.7)});
    for (double oversample : {1.0, 0.0})
        for (double lpf : {0.01, 0.02, 0.3, 1.0})
            for (int corner = 0; corner <= kHpfCorners; ++corner) {
                Twin twin(GetParam());
                twin.Apply([&](auto& e) {
                    e.SetOversample(oversample);
                    e.SetLpf(lpf);
                });
                twin.SetLive(corner, lpf, 0.0);
                twin.Run(material, 480);
                const double bound = oversample != 0.0 ? kBoundFactor4 : kBoundFactor16;
                EXPECT_LE(twin.worst, bound * twin.peak) << "corner " << corner << ", LPF " << lpf;
            }
}

// Automation through every setter and per-sample value between blocks of
// changing length, both factors in turn.
TEST_P(EnginePathTest, MatchesTheWrittenOrderUnderParameterSweeps) {
    Twin twin(GetParam());
    const Stereo material = Concat({Noise(20000, 0.7, 14), Sine(20000, 440.0, 0.9)});
    std::mt19937 rng(15);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    int at = 0, block = 0;
    while (at < material.Frames()) {
        const int frames = std::min(material.Frames() - at, std::vector<int>{512, 7, 300, 64, 1000, 1}[block % 6]);
        const double high = unit(rng), boost = 0.001 + 0.899 * unit(rng), atten = unit(rng), mid = 0.02 + 0.96 * unit(rng);
        const double lpf = block % 5 == 0 ? 0.01 : 0.01 + 0.99 * unit(rng), out = std::floor(-12.0 + 24.0 * unit(rng));
        const double oversample = block / 20 % 2 == 0 ? 1.0 : 0.0;
        twin.Apply([&](auto& e) {
            e.SetHigh(high);
            e.SetLowBoost(boost);
            e.SetLowAtten(atten);
            e.SetMid(mid);
            e.SetLpf(lpf);
            e.SetOutDb(out);
            e.SetOversample(oversample);
        });
        twin.SetLive(block % 6, lpf, block % 9 == 4 ? 1.0 : 0.0);
        twin.Block(Twin::Slice(material, at, frames));
        at += frames;
        ++block;
    }
    EXPECT_GT(twin.peak, 0.5);
    EXPECT_LE(twin.worst, kBoundFactor16 * twin.peak);
}

INSTANTIATE_TEST_SUITE_P(Paths, EnginePathTest, testing::ValuesIn(RunnablePaths()),
                         [](const testing::TestParamInfo<SaturationPath>& info) { return PathName(info.param); });

// Each lane's coefficients divided by a0, as the sections keep them.
template <int N>
void ExpectLane(const StereoSection<N>& section, int lane, const IirSection<N>& design) {
    for (int i = 0; i <= N; ++i) {
        EXPECT_EQ(section.b[i][lane], design.b[i] / design.a[0]) << "b" << i << " lane " << lane;
        EXPECT_EQ(section.a[i][lane], design.a[i] / design.a[0]) << "a" << i << " lane " << lane;
    }
}

// Two smoother steps per block: the left channel's sections come from the
// first, the right channel's from the second.
TEST(EqualiserEngine, SmoothersStepTwicePerBlockAndTheRightChannelTakesTheSecond) {
    Rig rig;
    rig.engine.SetLowBoost(0.9);
    rig.engine.SetLowAtten(0.6);
    rig.engine.SetMid(0.2);
    rig.engine.SetHigh(0.9);
    ValueSmoother boost, keep, mid, high;
    const double p = std::exp(-2.0 * kPi * 1000.0 / kFs);
    for (ValueSmoother* s : {&boost, &keep, &mid, &high}) {
        s->feedback = p;
        s->gain = 1.0 - p;
    }
    for (int block = 0; block < 3; ++block) {
        rig.Run(Noise(100, 0.5, 16));
        for (int lane = 0; lane < 2; ++lane) {
            LowSection low;
            const double v = boost.Step(0.9);
            low.Design(kFs, keep.Step(1.0 - 0.6), v);
            MidSection midDesign;
            midDesign.Design(kFs, 1.0 - mid.Step(0.2));
            HighSection highDesign;
            highDesign.Design(kFs, high.Step(0.9));
            ExpectLane(rig.engine.Sections().low, lane, low);
            ExpectLane(rig.engine.Sections().mid, lane, midDesign);
            ExpectLane(rig.engine.Sections().high, lane, highDesign);
        }
    }
}

template <int N>
bool SameHistory(const StereoSection<N>& a, const StereoSection<N>& b) {
    for (int i = 0; i < N; ++i)
        for (int lane = 0; lane < 2; ++lane)
            if (a.x[i][lane] != b.x[i][lane] || a.y[i][lane] != b.y[i][lane]) return false;
    return true;
}

bool SameHistories(const FilterSections& a, const FilterSections& b) {
    for (int k = 0; k < kHpfCorners; ++k)
        if (!SameHistory(a.hpf[k], b.hpf[k])) return false;
    return SameHistory(a.lpf, b.lpf) && SameHistory(a.low, b.low) && SameHistory(a.mid, b.mid) &&
           SameHistory(a.high, b.high);
}

// A section that does not run keeps its history untouched until it runs again.
TEST(EqualiserEngine, SectionsThatDoNotRunKeepTheirHistory) {
    Rig rig;
    rig.hpf = 3.0;
    rig.lpf = 0.5;
    rig.engine.SetLpf(0.5);
    rig.Run(Noise(512, 0.8, 17));

    FilterSections before = rig.engine.Sections();
    rig.hpf = 1.0;
    rig.lpf = 0.01;  // the off value: the signal passes the low-pass untouched
    rig.Run(Noise(512, 0.8, 18));
    EXPECT_TRUE(SameHistory(before.hpf[2], rig.engine.Sections().hpf[2]));
    EXPECT_FALSE(SameHistory(before.hpf[0], rig.engine.Sections().hpf[0]));
    EXPECT_TRUE(SameHistory(before.lpf, rig.engine.Sections().lpf));

    before = rig.engine.Sections();
    rig.bypass = 1.0;
    rig.Run(Noise(512, 0.8, 19));
    EXPECT_TRUE(SameHistory(before.low, rig.engine.Sections().low));
    EXPECT_TRUE(SameHistory(before.mid, rig.engine.Sections().mid));
    EXPECT_TRUE(SameHistory(before.high, rig.engine.Sections().high));
}

TEST(EqualiserEngine, ResetClearsTheSaturationHistoriesAndNothingElse) {
    Rig rig;
    rig.hpf = 2.0;
    rig.lpf = 0.4;
    rig.Run(Noise(2048, 0.9, 20));
    const FilterSections before = rig.engine.Sections();
    rig.engine.Reset();
    for (int c = 0; c < 2; ++c)
        for (int j = 0; j < kAllPoleOrder; ++j) {
            EXPECT_EQ(rig.engine.Saturation().UpOutput(c, j), 0.0);
            EXPECT_EQ(rig.engine.Saturation().DownOutput(c, j), 0.0);
        }
    EXPECT_TRUE(SameHistories(before, rig.engine.Sections()));
}

}  // namespace
