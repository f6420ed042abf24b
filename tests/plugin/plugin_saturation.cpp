#include "DspMath.h"
#include "ReferenceEngine.h"
#include "RunnablePaths.h"
#include "SaturationStage.h"
#include "Shaper.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <complex>
#include <limits>
#include <random>
#include <vector>

namespace {

double DcGain(const AllPoleCoeffs& k) {
    double feedback = 0.0;
    for (int i = 1; i <= kAllPoleOrder; ++i) feedback += k.c[i];
    return k.c[0] / (1.0 - feedback);
}

double MagnitudeAt(const AllPoleCoeffs& k, double fc) {
    std::complex<double> den = 1.0;
    for (int i = 1; i <= kAllPoleOrder; ++i) den -= k.c[i] * std::polar(1.0, -2.0 * kPi * fc * i);
    return k.c[0] / std::abs(den);
}

TEST(DesignAllPole, MatchesPublishedCoefficientsWithUnityDcGain) {
    AllPoleCoeffs four, sixteen;
    DesignAllPole(four, 0.05);
    DesignAllPole(sixteen, 0.0125);
    EXPECT_NEAR(four.c[0], 0.00157852, 1e-8);
    EXPECT_NEAR(four.c[1], 5.541702, 1e-6);
    EXPECT_NEAR(four.c[10], -0.00813393, 1e-8);
    EXPECT_NEAR(sixteen.c[0], 8.9969e-9, 1e-13);
    EXPECT_NEAR(sixteen.c[1], 8.812662, 1e-6);
    EXPECT_NEAR(sixteen.c[10], -0.300314, 1e-6);
    EXPECT_NEAR(DcGain(four), 1.0, 1e-6);
    EXPECT_NEAR(DcGain(sixteen), 1.0, 1e-6);
    // A Bessel prototype normalised to -3 dB at 1 rad/s lands near fc.
    EXPECT_NEAR(MagnitudeAt(four, 0.05), 1.0 / std::sqrt(2.0), 0.05);
}

float Table(int i) { return ShaperTable::kValues[i]; }
double Scale() { return static_cast<double>(ShaperTable::kScale); }

// The yardstick itself, pinned to the curve's published values.
TEST(ReferenceShapeSample, InterpolatesTheTableWithInvertedSign) {
    EXPECT_EQ(ShaperTable::kScale, 142.14300537109375f);
    const double frac = 0.1 * Scale() - 14.0;
    EXPECT_NEAR(frac, 0.2143005, 1e-7);
    const double expected = -(double(0.071652435f) * (1.0 - frac) + double(0.07662585f) * frac);
    EXPECT_NEAR(expected, -0.072718, 1e-6);
    EXPECT_DOUBLE_EQ(reference::ShapeSample(0.1), expected);
    EXPECT_DOUBLE_EQ(reference::ShapeSample(-0.1), -expected);
    EXPECT_NEAR(reference::ShapeSample(1e-4), -0.725e-4, 0.001e-4);
}

TEST(ReferenceShapeSample, SaturatesAndMapsUnusableInputsToZero) {
    EXPECT_EQ(reference::ShapeSample(2.0), -double(0.8333206f));
    EXPECT_EQ(reference::ShapeSample(-1.4), double(0.8333206f));
    EXPECT_EQ(reference::ShapeSample(199.5 / Scale()), -double(Table(199)));
    EXPECT_EQ(reference::ShapeSample(1.4e7), -double(Table(199)));
    EXPECT_EQ(reference::ShapeSample(2.2e7), 0.0);
    EXPECT_EQ(reference::ShapeSample(std::numeric_limits<double>::infinity()), 0.0);
    EXPECT_EQ(reference::ShapeSample(std::numeric_limits<double>::quiet_NaN()), 0.0);
    EXPECT_TRUE(std::signbit(reference::ShapeSample(+0.0)));
    EXPECT_FALSE(std::signbit(reference::ShapeSample(-0.0)));
}

std::vector<double> Noise(int n, double amplitude, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> u(-amplitude, amplitude);
    std::vector<double> v(n);
    for (double& s : v) s = u(rng);
    return v;
}

class SaturationPathTest : public testing::TestWithParam<SaturationPath> {
protected:
    SaturationStage Stage(int factor) const {
        SaturationStage stage;
        EXPECT_TRUE(stage.SelectPath(GetParam()));
        stage.Design(factor);
        return stage;
    }
};

TEST_P(SaturationPathTest, ShapesBitForBitLikeTheDefinition) {
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<double> in = {0.0, -0.0, 1e-300, 0.1, -0.3, 14.0 / Scale(), 198.0 / Scale(), 198.999 / Scale(),
                              199.0 / Scale(), -1.4, 5.0, 1.5e7, 0x1p31 / Scale(), -0x1p31 / Scale(), inf, -inf,
                              std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::quiet_NaN()};
    for (double x : Noise(4000, 1.6, 3)) in.push_back(x);
    in.resize(in.size() / 4 * 4);  // the kernel shapes four at a time
    std::vector<double> out(in.size());
    KernelsOf(GetParam()).shape(in.data(), out.data(), int(in.size()));
    for (size_t i = 0; i < in.size(); ++i) {
        const double expected = reference::ShapeSample(in[i]);
        ASSERT_EQ(std::signbit(out[i]), std::signbit(expected)) << in[i];
        ASSERT_EQ(out[i], expected) << in[i];
    }
}

// The fast path re-associates the filters' sums, so it agrees with the
// written order within rounding, not bit for bit. At factor 16 the
// recursions' poles sit so close to 1 that rounding noise is amplified about
// 1e7 times: the written order itself is only within ~1e-6 of exact there.
// Noise, then silence after it, then a sine, in calls of uneven length.
TEST_P(SaturationPathTest, AgreesWithTheWrittenOrder) {
    struct Case {
        int factor;
        double tolerance;  // of the input's peak
    };
    const int n = 15000;
    std::vector<double> left = Noise(n, 1.2, 1), right = Noise(n, 0.4, 2);
    std::fill(left.begin() + 5000, left.begin() + 10000, 0.0);
    std::fill(right.begin() + 5000, right.end(), 0.0);
    for (int i = 10000; i < n; ++i) left[i] = 0.8 * std::sin(0.05 * i);
    std::vector<double> dry(2 * n), wet(2 * n);
    for (int i = 0; i < n; ++i) {
        dry[2 * i] = left[i];
        dry[2 * i + 1] = right[i];
    }
    for (const Case c : {Case{4, 1e-9}, Case{16, 1e-6}}) {
        SaturationStage stage = Stage(c.factor);
        for (int at = 0, length = 1; at < n; at += length, length = length * 3 % 301 + 1)
            stage.Process(&dry[2 * at], &wet[2 * at], std::min(length, n - at));
        reference::SaturationStage references[2];
        for (reference::SaturationStage& r : references) r.Design(c.factor);
        for (int i = 0; i < n; ++i) {
            ASSERT_NEAR(wet[2 * i], references[0].Step(left[i], c.factor), c.tolerance * 1.2) << "left " << i;
            ASSERT_NEAR(wet[2 * i + 1], references[1].Step(right[i], c.factor), c.tolerance * 0.4) << "right " << i;
        }
    }
}

bool HistoryHas(const SaturationStage& stage, bool (*test)(double)) {
    for (int c = 0; c < 2; ++c)
        for (int j = 0; j < kAllPoleOrder; ++j)
            if (test(stage.UpOutput(c, j)) || test(stage.DownOutput(c, j))) return true;
    return false;
}

bool IsSubnormal(double v) { return std::fpclassify(v) == FP_SUBNORMAL; }
bool IsNotFinite(double v) { return !std::isfinite(v); }

std::vector<double> Pairs(const std::vector<double>& left, const std::vector<double>& right) {
    std::vector<double> pairs;
    for (size_t i = 0; i < left.size(); ++i) {
        pairs.push_back(left[i]);
        pairs.push_back(right[i]);
    }
    return pairs;
}

TEST_P(SaturationPathTest, SilenceAfterLoudInputNeverLeavesSubnormals) {
    for (int factor : {4, 16}) {
        SaturationStage stage = Stage(factor);
        std::vector<double> loud = Pairs(Noise(4800, 1.0, 5), Noise(4800, 1.0, 6)), wet(loud.size());
        stage.Process(loud.data(), wet.data(), 4800);
        const double silence[2] = {0.0, 0.0};
        double out[2];
        for (int i = 0; i < 96000; ++i) {
            stage.Process(silence, out, 1);
            ASSERT_FALSE(HistoryHas(stage, IsSubnormal)) << "factor " << factor << " at " << i;
        }
    }
}

TEST_P(SaturationPathTest, TinyConstantInputHoldsTheUpsamplingFilterAtZero) {
    SaturationStage stage = Stage(4);
    const std::vector<double> tiny(2 * 10000, 1e-20);
    std::vector<double> wet(tiny.size());
    stage.Process(tiny.data(), wet.data(), 10000);
    for (int c = 0; c < 2; ++c)
        for (int j = 0; j < kAllPoleOrder; ++j) EXPECT_EQ(stage.UpOutput(c, j), 0.0);
}

TEST_P(SaturationPathTest, NonFiniteInputDoesNotStick) {
    SaturationStage stage = Stage(16);
    std::vector<double> in = Pairs(Noise(1000, 0.5, 9), Noise(1000, 0.5, 10)), wet(in.size());
    in[700] = std::numeric_limits<double>::quiet_NaN();
    in[1301] = std::numeric_limits<double>::infinity();
    stage.Process(in.data(), wet.data(), 1000);
    EXPECT_FALSE(HistoryHas(stage, IsNotFinite));
    double level[2] = {};
    for (int i = 800; i < 1000; ++i)
        for (int c = 0; c < 2; ++c) level[c] = std::max(level[c], std::fabs(wet[2 * i + c]));
    EXPECT_GT(level[0], 0.1);
    EXPECT_GT(level[1], 0.1);
}

INSTANTIATE_TEST_SUITE_P(Paths, SaturationPathTest, testing::ValuesIn(RunnablePaths()),
                         [](const testing::TestParamInfo<SaturationPath>& info) { return PathName(info.param); });

TEST(SaturationStage, StartsOnTheFastestPathAndRefusesOnesThatCannotRun) {
    SaturationStage stage;
    EXPECT_EQ(stage.Path(), FastestSaturationPath());
    EXPECT_TRUE(stage.SelectPath(SaturationPath::kSse2));
    for (SaturationPath path : {SaturationPath::kAvx2, SaturationPath::kAvx512})
        EXPECT_EQ(stage.SelectPath(path), SaturationPathRuns(path)) << PathName(path);
}

}  // namespace
