// A careless or hostile host: values outside the normalised range, set-ups the
// instance cannot honour, process calls that contradict the set-up, and channels
// left without buffers. Each is answered soundly, and the output stays what a
// well-behaved host would have got.
#include <gtest/gtest.h>

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
        {VORLA::kLpf, -0.02, 0.0},       {VORLA::kLowBoost, -0.011, 0.0}, {VORLA::kLowAtten, -0.02, 0.0},
        {VORLA::kMid, -0.5, 0.0},        {VORLA::kHigh, -2.0, 0.0},       {VORLA::kOut, -1.0, 0.0},
        {VORLA::kHpf, -0.3, 0.0},        {VORLA::kMid, -HUGE_VAL, 0.0},   {VORLA::kLpf, 1.5, 1.0},
        {VORLA::kHigh, 1e300, 1.0},      {VORLA::kMid, std::nan(""), 0.5},  // NaN changes nothing
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
    for (ParamID id = 0; id < VORLA::kSpare; ++id) {
        EXPECT_EQ(hostile->controller()->setParamNormalized(id, -0.02), kResultOk) << id;
        EXPECT_EQ(sound->controller()->setParamNormalized(id, 0.0), kResultOk) << id;
    }
    EXPECT_EQ(SavedState(*hostile), SavedState(*sound));

    IEditController* controller = hostile->controller();
    ASSERT_EQ(controller->setParamNormalized(VORLA::kMid, 0.25), kResultOk);
    EXPECT_EQ(controller->setParamNormalized(VORLA::kMid, std::nan("")), kInvalidArgument);
    EXPECT_DOUBLE_EQ(controller->getParamNormalized(VORLA::kMid), 0.25);
}

TEST(HostValues, TextsThatReadAsNotANumberConvertLikeNoNumber)
{
    auto plugin = test::NewInstance();
    for (const char* entry : {"nan", "-NaN", "nan(1) dB"}) {
        String128 text {};
        for (int i = 0; entry[i]; ++i) text[i] = char16(entry[i]);
        ParamValue normalized = -1.0;
        ASSERT_EQ(plugin->controller()->getParamValueByString(VORLA::kOut, text, normalized), kResultOk) << entry;
        EXPECT_EQ(normalized, 0.5) << entry;  // plain 0 dB
    }
}
