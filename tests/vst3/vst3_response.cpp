// The equaliser heard end to end through the module: the response at the default
// settings, the bypasses and the output level.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

#include "PluginFixture.h"
#include "ReferenceEngine.h"

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
    const Tone tone = Measure(RenderSine({{ParamIndex::kOversample, 0.0}}));
    EXPECT_NEAR(tone.gainDb, 0.03, 0.01);
    EXPECT_LT(std::fabs(tone.phaseDegrees), 0.5);
}

TEST(Response, BothBypassesCopyTheInputBitForBit)
{
    for (ParamID id : {test::kBypassId, ParamID(ParamIndex::kBypass)}) {
        const std::vector<double> out = RenderSine({{id, 1.0}, {ParamIndex::kOut, 0.0}});
        for (size_t n = 0; n < out.size(); ++n) {
            const double x = 0.1 * std::sin(2.0 * kPi * 1000.0 * double(n) / kRate);
            ASSERT_EQ(out[n], x) << "sample " << n << " of bypass " << id;
        }
    }
}

TEST(Response, OutMinusTwelveScalesByTenToTheMinusPointSix)
{
    const std::vector<double> unity = RenderSine({});
    const std::vector<double> quiet = RenderSine({{ParamIndex::kOut, 0.0}});
    const double scale = std::pow(10.0, -0.6);
    for (size_t n = 0; n < unity.size(); ++n) ASSERT_NEAR(quiet[n], unity[n] * scale, 1e-15) << n;
}

// The module as a host drives it, in 32-bit and 64-bit samples, against the
// signal path's written order, while automation moves High, Low Atten and HPF
// (whose plain values equal their normalised ones, or are whole numbers) from
// block to block.
TEST(Response, MatchesTheWrittenOrderInBothSampleSizesUnderAutomation)
{
    constexpr int kFrames = 256;
    for (int32 size : {kSample32, kSample64})
        for (double oversample : {1.0, 0.0}) {
            auto plugin = test::PreparedInstance(kRate, kFrames, size);
            host::AudioBlock block(2, kFrames, size);
            reference::Engine written;
            written.SetHigh(0.5);
            written.SetLowBoost(0.001);
            written.SetLowAtten(0.0);
            written.SetLpf(0.01);
            written.SetMid(0.5);
            written.SetOutDb(0.0);
            written.SetOversample(oversample);
            std::mt19937 rng(21);
            std::uniform_real_distribution<double> unit(0.0, 1.0), noise(-0.8, 0.8);
            double peak = 0.0, worst = 0.0;
            std::vector<double> in[2], out[2];
            for (int b = 0; b < 60; ++b) {
                const int frames = b % 3 == 0 ? kFrames : 1 + b * 7 % kFrames;
                const double high = unit(rng), atten = unit(rng), corner = double(b / 10 % 6);
                auto changes = owned(new host::ParameterChanges());
                changes->add(ParamIndex::kHigh, 0, high);
                changes->add(ParamIndex::kLowAtten, 0, atten);
                changes->add(ParamIndex::kHpf, 0, corner / 5.0);
                changes->add(ParamIndex::kOversample, 0, oversample);
                written.SetHigh(high);
                written.SetLowAtten(atten);
                written.hpf = corner;
                for (int c = 0; c < 2; ++c) {
                    in[c].resize(size_t(frames));
                    out[c].resize(size_t(frames));
                }
                for (int i = 0; i < frames; ++i)
                    for (int c = 0; c < 2; ++c) {
                        block.setInput(c, i, noise(rng));
                        in[c][size_t(i)] = block.input(c, i);  // as the plug-in receives it
                    }
                test::ProcessBlock(*plugin, block, frames, changes.get());
                const double* ins[2] = {in[0].data(), in[1].data()};
                double* outs[2] = {out[0].data(), out[1].data()};
                written.ProcessBlock(ins, outs, frames, kRate);
                for (int i = 0; i < frames; ++i)
                    for (int c = 0; c < 2; ++c) {
                        double expected = out[c][size_t(i)];
                        // 32-bit samples round both results alike, to within one step of a float.
                        double rounding = 0.0;
                        if (size == kSample32) {
                            expected = float(expected);
                            rounding = std::nextafter(float(std::fabs(expected)), std::numeric_limits<float>::max()) -
                                       std::fabs(expected);
                        }
                        peak = std::max(peak, std::fabs(expected));
                        worst = std::max(worst, std::fabs(block.output(c, i) - expected) - rounding);
                    }
            }
            const double bound = oversample != 0.0 ? 1e-9 : 1e-6;
            EXPECT_GT(peak, 0.5);
            EXPECT_LE(worst, bound * peak) << (size == kSample32 ? "32" : "64") << "-bit, oversample " << oversample;
        }
}
