// The equaliser heard end to end through the module: the response at the default
// settings, the bypasses and the output level.
#include <gtest/gtest.h>

#include <cmath>

#include "PluginFixture.h"

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace vorla;

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRate = 48000.0;
constexpr int kBlock = 480;
constexpr int kBlocks = 50;  // half a second: the block-rate smoothers settle in a few blocks

// Left output of a stereo 1 kHz sine of amplitude 0.1 through a fresh 64-bit instance,
// after the given host parameter changes in the first block.
std::vector<double> RenderSine(const std::vector<std::pair<ParamID, double>>& settings)
{
    auto plugin = test::PreparedInstance(kRate, kBlock, kSample64);
    host::AudioBlock block(2, kBlock, kSample64);
    auto changes = owned(new host::ParameterChanges());
    for (auto [id, value] : settings) changes->add(id, 0, value);
    std::vector<double> out;
    for (int b = 0; b < kBlocks; ++b) {
        for (int i = 0; i < kBlock; ++i) {
            const double x = 0.1 * std::sin(2.0 * kPi * 1000.0 * double(b * kBlock + i) / kRate);
            block.setInput(0, i, x);
            block.setInput(1, i, x);
        }
        test::ProcessBlock(*plugin, block, kBlock, b == 0 ? changes.get() : nullptr);
        for (int i = 0; i < kBlock; ++i) out.push_back(block.output(0, i));
    }
    return out;
}

struct Tone {
    double gainDb;
    double phaseDegrees;
};

// Amplitude and phase of the 1 kHz component over the last 100 periods, relative
// to the input sine.
Tone Measure(const std::vector<double>& out)
{
    double in = 0.0, quad = 0.0;
    const size_t start = out.size() - 4800;
    for (size_t n = start; n < out.size(); ++n) {
        const double w = 2.0 * kPi * 1000.0 * double(n) / kRate;
        in += out[n] * std::sin(w);
        quad += out[n] * std::cos(w);
    }
    const double amplitude = 2.0 * std::hypot(in, quad) / 4800.0;
    return {20.0 * std::log10(amplitude / 0.1), std::atan2(quad, in) * 180.0 / kPi};
}

}  // namespace

TEST(Response, DefaultsAtFactorFourAreSlightlyLouderAndInPhase)
{
    const Tone tone = Measure(RenderSine({}));
    EXPECT_NEAR(tone.gainDb, 0.02, 0.01);
    EXPECT_LT(std::fabs(tone.phaseDegrees), 0.5);
}

TEST(Response, DefaultsAtFactorSixteen)
{
    const Tone tone = Measure(RenderSine({{VORLA::kOversample, 0.0}}));
    EXPECT_NEAR(tone.gainDb, 0.03, 0.01);
    EXPECT_LT(std::fabs(tone.phaseDegrees), 0.5);
}

TEST(Response, BothBypassesCopyTheInputBitForBit)
{
    for (ParamID id : {test::kBypassId, ParamID(VORLA::kBypass)}) {
        const std::vector<double> out = RenderSine({{id, 1.0}, {VORLA::kOut, 0.0}});
        for (size_t n = 0; n < out.size(); ++n) {
            const double x = 0.1 * std::sin(2.0 * kPi * 1000.0 * double(n) / kRate);
            ASSERT_EQ(out[n], x) << "sample " << n << " of bypass " << id;
        }
    }
}

TEST(Response, OutMinusTwelveScalesByTenToTheMinusPointSix)
{
    const std::vector<double> unity = RenderSine({});
    const std::vector<double> quiet = RenderSine({{VORLA::kOut, 0.0}});
    const double scale = std::pow(10.0, -0.6);
    for (size_t n = 0; n < unity.size(); ++n) ASSERT_NEAR(quiet[n], unity[n] * scale, 1e-15) << n;
}
