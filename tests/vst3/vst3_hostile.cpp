// A careless or hostile host: values outside the normalised range, set-ups the
// instance cannot honour, process calls that contradict the set-up, and channels
// left without buffers. Each is answered soundly, and the output stays what a
// well-behaved host would have got.
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>

#include "MemoryStream.h"
#include "PluginFixture.h"

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace vorla;

namespace {

constexpr double kRate = 48000.0;
constexpr int kBlock = 256;

bool AllFinite(const test::Rendering& rendering)
{
    for (const auto& channel : rendering)
        for (double sample : channel)
            if (!std::isfinite(sample)) return false;
    return true;
}

std::vector<uint8_t> SavedState(host::PluginInstance& plugin)
{
    auto stream = owned(new host::MemoryStream());
    EXPECT_EQ(plugin.controller()->getState(stream), kResultOk);
    return stream->bytes();
}

// A host value and the in-range value it must act like.
struct Equivalent {
    ParamID id;
    double hostile;
    double sound;
};

}  // namespace

TEST(HostValues, AutomationOutsideZeroToOneActsLikeTheNearestEnd)
{
    const Equivalent cases[] = {
        {ParamIndex::kLpf, -0.02, 0.0},
        {ParamIndex::kLowBoost, -0.011, 0.0},
        {ParamIndex::kLowAtten, -0.02, 0.0},
        {ParamIndex::kMid, -0.5, 0.0},
        {ParamIndex::kHigh, -2.0, 0.0},
        {ParamIndex::kOut, -1.0, 0.0},
        {ParamIndex::kHpf, -0.3, 0.0},
        {ParamIndex::kMid, -HUGE_VAL, 0.0},
        {ParamIndex::kLpf, 1.5, 1.0},
        {ParamIndex::kHigh, 1e300, 1.0},
        {ParamIndex::kMid, std::nan(""), 0.5},  // NaN changes nothing: 0.5 is Mid's default
    };
    for (const Equivalent& c : cases) {
        SCOPED_TRACE(testing::Message() << "id " << c.id << " value " << c.hostile);
        auto hostile = test::PreparedInstance(kRate, kBlock, kSample64);
        auto sound = test::PreparedInstance(kRate, kBlock, kSample64);
        host::AudioBlock a(2, kBlock, kSample64), b(2, kBlock, kSample64);
        const test::Rendering out = test::Render(*hostile, a, kBlock, 20, test::Change(c.id, c.hostile));
        EXPECT_TRUE(AllFinite(out));
        EXPECT_EQ(out, test::Render(*sound, b, kBlock, 20, test::Change(c.id, c.sound)));
        EXPECT_EQ(SavedState(*hostile), SavedState(*sound));
    }
}

TEST(HostValues, SetParamNormalizedBoundsValuesAndRefusesNaN)
{
    auto hostile = test::NewInstance();
    auto sound = test::NewInstance();
    for (ParamID id = 0; id < ParamIndex::kSpare; ++id) {
        EXPECT_EQ(hostile->controller()->setParamNormalized(id, -0.02), kResultOk) << id;
        EXPECT_EQ(sound->controller()->setParamNormalized(id, 0.0), kResultOk) << id;
    }
    EXPECT_EQ(SavedState(*hostile), SavedState(*sound));

    IEditController* controller = hostile->controller();
    ASSERT_EQ(controller->setParamNormalized(ParamIndex::kMid, 0.25), kResultOk);
    EXPECT_EQ(controller->setParamNormalized(ParamIndex::kMid, std::nan("")), kInvalidArgument);
    EXPECT_DOUBLE_EQ(controller->getParamNormalized(ParamIndex::kMid), 0.25);
}

TEST(HostValues, TextsThatReadAsNotANumberConvertLikeNoNumber)
{
    auto plugin = test::NewInstance();
    for (const char* entry : {"nan", "-NaN", "nan(1) dB"}) {
        String128 text {};
        for (int i = 0; entry[i]; ++i) text[i] = char16(entry[i]);
        ParamValue normalized = -1.0;
        ASSERT_EQ(plugin->controller()->getParamValueByString(ParamIndex::kOut, text, normalized), kResultOk) << entry;
        EXPECT_EQ(normalized, 0.5) << entry;  // plain 0 dB
    }
}

// Block sizes the scratch buffers cannot reach, and rates at which the filter
// equations overflow: refused, and the instance goes on as it was set up.
TEST(Setup, UnusableSetupsAreRefusedWithNothingChanged)
{
    auto refused = test::PreparedInstance(kRate, kBlock, kSample32);
    auto reference = test::PreparedInstance(kRate, kBlock, kSample32);
    const ProcessSetup unusable[] = {
        {kRealtime, kSample32, 268435455, 96000.0},
        {kRealtime, kSample32, INT_MAX, 96000.0},
        {kRealtime, kSample32, kBlock, DBL_MAX},
        {kRealtime, kSample32, kBlock, 1e200},
    };
    // A set-up clears the host bypass; a refused one must not.
    host::AudioBlock none(2, 1, kSample32);
    for (auto* plugin : {refused.get(), reference.get()})
        test::ProcessBlock(*plugin, none, 0, test::Change(test::kBypassId, 1.0));
    for (ProcessSetup bad : unusable)
        EXPECT_EQ(refused->processor()->setupProcessing(bad), kResultFalse)
            << bad.maxSamplesPerBlock << " frames at " << bad.sampleRate;
    EXPECT_EQ(refused->controller()->getParamNormalized(test::kBypassId), 1.0);
    for (auto* plugin : {refused.get(), reference.get()})
        test::ProcessBlock(*plugin, none, 0, test::Change(test::kBypassId, 0.0));

    // Long blocks still run in pieces of the set-up maximum, at the set-up rate.
    host::AudioBlock a(2, 4096, kSample32), b(2, 4096, kSample32);
    const test::Rendering out = test::Render(*refused, a, 4096, 2);
    EXPECT_TRUE(AllFinite(out));
    EXPECT_EQ(out, test::Render(*reference, b, 4096, 2));

    ProcessSetup fastest {kRealtime, kSample32, kBlock, 1234567.8};  // the SDK validator's highest
    EXPECT_EQ(refused->processor()->setupProcessing(fastest), kResultOk);
}

TEST(Audio, EachCallIsProcessedByTheSampleSizeItStates)
{
    for (int32 setupSize : {kSample64, kSample32}) {
        const int32 callSize = setupSize == kSample64 ? kSample32 : kSample64;
        SCOPED_TRACE(testing::Message() << "set up for " << setupSize << ", called with " << callSize);
        auto contradicted = test::PreparedInstance(kRate, kBlock, setupSize);
        auto agreeing = test::PreparedInstance(kRate, kBlock, callSize);
        host::AudioBlock a(2, kBlock, callSize), b(2, kBlock, callSize);
        EXPECT_EQ(test::Render(*contradicted, a, kBlock, 4), test::Render(*agreeing, b, kBlock, 4));
    }
}

TEST(Audio, AnUnknownSampleSizeLeavesTheOutputAlone)
{
    auto plugin = test::PreparedInstance(kRate, kBlock, kSample32);
    host::AudioBlock block(2, kBlock, kSample32, true);  // in place: the output starts as the input
    test::Fill(block, 0, kBlock);
    auto louder = test::Change(ParamIndex::kOut, 1.0);
    ProcessData& data = block.processData(kBlock, louder);
    data.symbolicSampleSize = 2;
    EXPECT_EQ(plugin->process(data), kInvalidArgument);
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < kBlock; ++i) ASSERT_EQ(block.output(c, i), test::Signal(c, i)) << c << ":" << i;
    EXPECT_EQ(plugin->controller()->getParamNormalized(ParamIndex::kOut), 1.0);  // the block's changes apply
}

// A channel the host gives no buffer is silence, not the last block's input again.
TEST(Audio, AnInputChannelWithoutABufferIsSilence)
{
    for (int32 size : {kSample32, kSample64}) {
        for (int dropped : {0, 1}) {
            SCOPED_TRACE(testing::Message() << "sample size " << size << ", channel " << dropped);
            auto missing = test::PreparedInstance(kRate, kBlock, size);
            auto silent = test::PreparedInstance(kRate, kBlock, size);
            host::AudioBlock a(2, kBlock, size), b(2, kBlock, size);
            EXPECT_EQ(test::Render(*missing, a, kBlock, 1), test::Render(*silent, b, kBlock, 1));

            test::Fill(a, kBlock, kBlock);
            test::Fill(b, kBlock, kBlock);
            for (int i = 0; i < kBlock; ++i) b.setInput(dropped, i, 0.0);
            ProcessData& data = a.processData(kBlock);
            AudioBusBuffers& bus = data.inputs[0];
            float* floats[2] = {};
            double* doubles[2] = {};
            if (size == kSample32) {
                std::copy_n(bus.channelBuffers32, 2, floats);
                floats[dropped] = nullptr;
                bus.channelBuffers32 = floats;
            } else {
                std::copy_n(bus.channelBuffers64, 2, doubles);
                doubles[dropped] = nullptr;
                bus.channelBuffers64 = doubles;
            }
            ASSERT_EQ(missing->process(data), kResultOk);
            test::ProcessBlock(*silent, b, kBlock);
            for (int c = 0; c < 2; ++c)
                for (int i = 0; i < kBlock; ++i) ASSERT_EQ(a.output(c, i), b.output(c, i)) << c << ":" << i;
        }
    }
}
