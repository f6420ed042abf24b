#include "DspMath.h"
#include "SaturationStage.h"

#include <gtest/gtest.h>

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

TEST(ShapeSample, InterpolatesTheTableWithInvertedSign) {
    EXPECT_EQ(ShaperTable::kScale, 142.14300537109375f);
    const double frac = 0.1 * Scale() - 14.0;
    EXPECT_NEAR(frac, 0.2143005, 1e-7);
    const double expected = -(double(0.071652435f) * (1.0 - frac) + double(0.07662585f) * frac);
    EXPECT_NEAR(expected, -0.072718, 1e-6);
    EXPECT_DOUBLE_EQ(ShapeSample(0.1), expected);
    EXPECT_DOUBLE_EQ(ShapeSample(-0.1), -expected);
    EXPECT_NEAR(ShapeSample(1e-4), -0.725e-4, 0.001e-4);
}

TEST(ShapeSample, SaturatesAndMapsUnusableInputsToZero) {
    EXPECT_EQ(ShapeSample(2.0), -double(0.8333206f));
    EXPECT_EQ(ShapeSample(-1.4), double(0.8333206f));
    EXPECT_EQ(ShapeSample(199.5 / Scale()), -double(Table(199)));
    EXPECT_EQ(ShapeSample(1.4e7), -double(Table(199)));
    EXPECT_EQ(ShapeSample(2.2e7), 0.0);
    EXPECT_EQ(ShapeSample(std::numeric_limits<double>::infinity()), 0.0);
    EXPECT_EQ(ShapeSample(std::numeric_limits<double>::quiet_NaN()), 0.0);
    EXPECT_TRUE(std::signbit(ShapeSample(+0.0)));
    EXPECT_FALSE(std::signbit(ShapeSample(-0.0)));
}

TEST(ShapeSample, BothLanesMatchTheScalarCurveBitForBit) {
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<double> inputs = {0.0, -0.0, 1e-300, 0.1, -0.3, 14.0 / Scale(), 198.0 / Scale(),
                                  198.999 / Scale(), 199.0 / Scale(), -1.4, 5.0, 1.5e7,
                                  0x1p31 / Scale(), inf, -inf,
                                  std::numeric_limits<double>::quiet_NaN()};
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> any(-1.6, 1.6);
    for (int i = 0; i < 2000; ++i) inputs.push_back(any(rng));
    for (size_t i = 0; i + 1 < inputs.size(); ++i) {
        const StereoSample pair = ShapeSample(StereoSample{inputs[i], inputs[i + 1]});
        for (int lane = 0; lane < 2; ++lane) {
            const double scalar = ShapeSample(inputs[i + lane]);
            ASSERT_EQ(std::signbit(pair[lane]), std::signbit(scalar)) << inputs[i + lane];
            ASSERT_EQ(pair[lane], scalar) << inputs[i + lane];
        }
    }
}

// The stage as a plain reading of its definition: histories shifted, the
// feedback summed newest first, outputs flushed below 2^-54.
struct ReferenceFilter {
    double h[kAllPoleOrder + 1] = {};
    double Tick(double x, const AllPoleCoeffs& k) {
        for (int i = kAllPoleOrder; i > 0; --i) h[i] = h[i - 1];
        double y = k.c[0] * x;
        for (int i = 1; i <= kAllPoleOrder; ++i) y += k.c[i] * h[i];
        h[0] = (std::isfinite(y) && std::fabs(y) >= 0x1p-54) ? y : 0.0;
        return h[0];
    }
};

struct ReferenceStage {
    AllPoleCoeffs k;
    ReferenceFilter up, down;
    double Step(double x, int factor) {
        double d = 0.0;
        for (int j = 0; j < factor; ++j) {
            const double t = down.Tick(ShapeSample(factor * up.Tick(j == 0 ? x : 0.0, k)), k);
            if (j == 0) d = t;
        }
        return d;
    }
};

std::vector<double> Noise(int n, double amplitude, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> u(-amplitude, amplitude);
    std::vector<double> v(n);
    for (double& s : v) s = u(rng);
    return v;
}

TEST(SaturationStage, AgreesWithReferenceEvaluationAndPairsWithScalar) {
    struct Case {
        int factor;
        double tolerance;  // of peak: the two summation orders round differently
    };
    for (const Case c : {Case{4, 1e-9}, Case{16, 1e-6}}) {
        const std::vector<double> left = Noise(20000, 1.2, 1), right = Noise(20000, 0.4, 2);
        ReferenceStage reference;
        DesignAllPole(reference.k, 0.2 / c.factor);
        SaturationStage scalar;
        StereoSaturationStage pair;
        scalar.Design(c.factor);
        pair.Design(c.factor);
        double peak = 0.0, worst = 0.0;
        for (size_t i = 0; i < left.size(); ++i) {
            const double ref = reference.Step(left[i], c.factor);
            const double mine = scalar.Step(left[i], c.factor);
            const StereoSample both = pair.Step(StereoSample{left[i], right[i]}, c.factor);
            ASSERT_EQ(both[0], mine) << "sample " << i;
            peak = std::max(peak, std::fabs(ref));
            worst = std::max(worst, std::fabs(ref - mine));
        }
        EXPECT_GT(peak, 0.1);
        EXPECT_LE(worst, c.tolerance * peak) << "factor " << c.factor;
    }
}

bool HistoryHas(const AllPoleFilter& f, bool (*test)(double)) {
    for (int j = 0; j < kAllPoleOrder; ++j)
        if (test(f.Output(j))) return true;
    return false;
}

bool IsSubnormal(double v) { return std::fpclassify(v) == FP_SUBNORMAL; }
bool IsNonZero(double v) { return v != 0.0; }
bool IsNotFinite(double v) { return !std::isfinite(v); }

TEST(SaturationStage, SilenceAfterLoudInputNeverLeavesSubnormals) {
    for (int factor : {4, 16}) {
        SaturationStage stage;
        stage.Design(factor);
        for (double x : Noise(4800, 1.0, 5)) stage.Step(x, factor);
        for (int i = 0; i < 96000; ++i) {
            stage.Step(0.0, factor);
            ASSERT_FALSE(HistoryHas(stage.up, IsSubnormal)) << "factor " << factor << " at " << i;
            ASSERT_FALSE(HistoryHas(stage.down, IsSubnormal)) << "factor " << factor << " at " << i;
        }
    }
}

TEST(SaturationStage, TinyConstantInputHoldsTheUpsamplingFilterAtZero) {
    SaturationStage stage;
    stage.Design(4);
    for (int i = 0; i < 10000; ++i) {
        stage.Step(1e-20, 4);
        ASSERT_FALSE(HistoryHas(stage.up, IsNonZero)) << "at " << i;
    }
}

TEST(SaturationStage, NonFiniteInputDoesNotStick) {
    SaturationStage stage;
    stage.Design(16);
    for (double x : Noise(1000, 0.5, 9)) stage.Step(x, 16);
    stage.Step(std::numeric_limits<double>::quiet_NaN(), 16);
    stage.Step(std::numeric_limits<double>::infinity(), 16);
    double level = 0.0;
    for (double x : Noise(1000, 0.5, 10)) level = std::max(level, std::fabs(stage.Step(x, 16)));
    EXPECT_FALSE(HistoryHas(stage.up, IsNotFinite));
    EXPECT_FALSE(HistoryHas(stage.down, IsNotFinite));
    EXPECT_GT(level, 0.1);
}

}  // namespace
