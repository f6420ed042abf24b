// The parameters, units and program list a host sees through the edit controller.
#include <gtest/gtest.h>

#include <cmath>

#include "PluginFixture.h"
#include "pluginterfaces/vst/ivstunits.h"

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace vorla;

namespace {

struct ExpectedParam {
    ParamID id;
    const char* title;
    int32 flags;
    int32 stepCount;
    const char* units;
    double defaultNormalized;
};

// Host-only preset and bypass entries first, then the ten core records in index order.
const ExpectedParam kExpected[] = {
    {test::kPresetId, "Preset", 0x8000, 1, "", 0.0},
    {test::kBypassId, "Bypass", 0x10009, 1, "", 0.0},
    {ParamIndex::kHigh, "High", 1, 0, "%", 0.5},
    {ParamIndex::kHpf, "HPF", 1, 5, "", 0.0},
    {ParamIndex::kLowBoost, "Low Boost", 1, 0, "%", 0.0},
    {ParamIndex::kLowAtten, "Low Atten", 1, 0, "%", 0.0},
    {ParamIndex::kLpf, "LPF", 1, 0, "%", 0.0},
    {ParamIndex::kMid, "Mid", 1, 0, "%", 0.5},
    {ParamIndex::kOut, "Out", 1, 24, "%", 0.5},  // whole decibels
    {ParamIndex::kOversample, "Oversample", 1, 1, "", 1.0},
    {ParamIndex::kBypass, "Bypass", 1, 1, "", 0.0},
    {ParamIndex::kSpare, "Spare", 0x12, 1, "", 0.0},  // read-only and hidden: it drives nothing
};

class Controller : public ::testing::Test {
protected:
    std::unique_ptr<host::PluginInstance> plugin = test::NewInstance();
    IEditController* controller = plugin->controller();
    FUnknownPtr<IUnitInfo> units {plugin->component()};

    std::string Text(ParamID id, double normalized)
    {
        String128 text {};
        EXPECT_EQ(controller->getParamStringByValue(id, normalized, text), kResultOk);
        return host::narrow(text);
    }
};

}  // namespace

TEST_F(Controller, ListsTwelveParametersInOrder)
{
    ASSERT_EQ(controller->getParameterCount(), 12);
    for (int32 i = 0; i < 12; ++i) {
        SCOPED_TRACE(i);
        ParameterInfo info {};
        ASSERT_EQ(controller->getParameterInfo(i, info), kResultOk);
        const ExpectedParam& want = kExpected[i];
        EXPECT_EQ(info.id, want.id);
        EXPECT_EQ(host::narrow(info.title), want.title);
        EXPECT_EQ(host::narrow(info.shortTitle), "");
        EXPECT_EQ(info.flags, want.flags);
        EXPECT_EQ(info.stepCount, want.stepCount);
        EXPECT_EQ(host::narrow(info.units), want.units);
        EXPECT_NEAR(info.defaultNormalizedValue, want.defaultNormalized, 1e-12);
        EXPECT_EQ(info.unitId, kRootUnitId);
    }
    ParameterInfo info {};
    EXPECT_EQ(controller->getParameterInfo(12, info), kResultFalse);
    EXPECT_EQ(controller->getParameterInfo(-1, info), kResultFalse);
}

TEST_F(Controller, ValuesStartAtTheDefaults)
{
    for (const ExpectedParam& want : kExpected) {
        if (want.id == test::kPresetId) continue;
        EXPECT_NEAR(controller->getParamNormalized(want.id), want.defaultNormalized, 1e-12) << want.title;
    }
    EXPECT_EQ(controller->getParamNormalized(test::kPresetId), 0.0);
    EXPECT_EQ(controller->getParamNormalized(0x12345678), 0.0);
}

TEST_F(Controller, DisplayTextsFollowDecimalsAndTruncate)
{
    EXPECT_EQ(Text(ParamIndex::kHigh, 0.5), "0.50");
    EXPECT_EQ(Text(ParamIndex::kOut, 0.75), "6");
    EXPECT_EQ(Text(ParamIndex::kOut, 0.24), "-6");  // -6.24 truncates toward zero
    EXPECT_EQ(Text(ParamIndex::kHpf, 0.5), "2");    // no snapping for display
    EXPECT_EQ(Text(ParamIndex::kMid, 1.0), "0.98");
    String128 text {};
    EXPECT_EQ(controller->getParamStringByValue(test::kBypassId, 1.0, text), kResultFalse);
    EXPECT_EQ(controller->getParamStringByValue(test::kPresetId, 0.0, text), kResultFalse);
}

TEST_F(Controller, TextsAndPlainValuesConvertToNormalised)
{
    String128 text {};
    ParamValue normalized = -1.0;
    const char* entry = "3.7 dB";
    for (int i = 0; entry[i]; ++i) text[i] = char16(entry[i]);
    ASSERT_EQ(controller->getParamValueByString(ParamIndex::kOut, text, normalized), kResultOk);
    EXPECT_NEAR(normalized, (3.7 + 12.0) / 24.0, 1e-12);

    const char16 noNumber[] = {'l', 'o', 'u', 'd', 0};
    ASSERT_EQ(controller->getParamValueByString(ParamIndex::kOut, const_cast<char16*>(noNumber), normalized), kResultOk);
    EXPECT_NEAR(normalized, 0.5, 1e-12);

    EXPECT_EQ(controller->plainParamToNormalized(ParamIndex::kOut, 20.0), 1.0);
    EXPECT_EQ(controller->plainParamToNormalized(ParamIndex::kOut, -20.0), 0.0);
    EXPECT_EQ(controller->plainParamToNormalized(test::kBypassId, 0.3), 0.3);
    EXPECT_NEAR(controller->normalizedParamToPlain(ParamIndex::kOut, 0.75), 6.0, 1e-12);
    EXPECT_NEAR(controller->normalizedParamToPlain(ParamIndex::kLowBoost, 1.0), 0.9, 1e-12);
}

TEST_F(Controller, SettingNormalisedValuesSnapsSteppedKindsAndBoundsTheTop)
{
    EXPECT_EQ(controller->setParamNormalized(ParamIndex::kHpf, 2.6 / 5.0), kResultOk);
    EXPECT_NEAR(controller->getParamNormalized(ParamIndex::kHpf), 3.0 / 5.0, 1e-12);

    EXPECT_EQ(controller->setParamNormalized(ParamIndex::kLowBoost, 1.5), kResultOk);
    EXPECT_NEAR(controller->getParamNormalized(ParamIndex::kLowBoost), 1.0, 1e-12);

    EXPECT_EQ(controller->setParamNormalized(ParamIndex::kHigh, 0.333), kResultOk);
    EXPECT_NEAR(controller->getParamNormalized(ParamIndex::kHigh), 0.333, 1e-12);

    EXPECT_EQ(controller->setParamNormalized(test::kBypassId, 1.0), kResultFalse);
    EXPECT_EQ(controller->setParamNormalized(test::kPresetId, 1.0), kResultFalse);
    EXPECT_EQ(controller->getParamNormalized(test::kBypassId), 0.0);
}

// Whatever a host sends for Out, the level applied is a whole decibel, and the
// text shown for the stored value is that decibel.
TEST_F(Controller, OutTakesWholeDecibelsOnEveryPath)
{
    const auto normalised = [](double db) { return (db + 12.0) / 24.0; };
    ASSERT_EQ(controller->setParamNormalized(ParamIndex::kOut, normalised(3.7)), kResultOk);
    EXPECT_DOUBLE_EQ(controller->getParamNormalized(ParamIndex::kOut), normalised(4.0));
    EXPECT_EQ(Text(ParamIndex::kOut, controller->getParamNormalized(ParamIndex::kOut)), "4");

    ASSERT_EQ(controller->setParamNormalized(ParamIndex::kOut, normalised(0.48)), kResultOk);
    EXPECT_DOUBLE_EQ(controller->getParamNormalized(ParamIndex::kOut), normalised(0.0));

    auto plugin64 = test::PreparedInstance(48000.0, 64, kSample64);
    host::AudioBlock block(2, 64, kSample64);
    test::ProcessBlock(*plugin64, block, 64, test::Change(ParamIndex::kOut, normalised(-0.6)));
    IEditController* automated = plugin64->controller();
    EXPECT_DOUBLE_EQ(automated->getParamNormalized(ParamIndex::kOut), normalised(-1.0));
    String128 text {};
    ASSERT_EQ(automated->getParamStringByValue(ParamIndex::kOut, automated->getParamNormalized(ParamIndex::kOut), text),
              kResultOk);
    EXPECT_EQ(host::narrow(text), "-1");
}

TEST_F(Controller, OneRootUnitAndTheFactoryPresetList)
{
    ASSERT_TRUE(units);
    EXPECT_EQ(units->getUnitCount(), 1);
    UnitInfo unit {};
    ASSERT_EQ(units->getUnitInfo(0, unit), kResultOk);
    EXPECT_EQ(unit.id, 0);
    EXPECT_EQ(unit.parentUnitId, -1);
    EXPECT_EQ(unit.programListId, -1);
    EXPECT_EQ(host::narrow(unit.name), "Root Unit");
    EXPECT_EQ(units->getUnitInfo(1, unit), kResultFalse);

    EXPECT_EQ(units->getProgramListCount(), 0);
    ProgramListInfo list {};
    ASSERT_EQ(units->getProgramListInfo(0, list), kResultOk);
    EXPECT_EQ(list.id, ProgramListID(test::kPresetId));
    EXPECT_EQ(host::narrow(list.name), "Factory Presets");
    EXPECT_EQ(list.programCount, 1);
    EXPECT_EQ(units->getProgramListInfo(1, list), kResultFalse);

    String128 name {};
    ASSERT_EQ(units->getProgramName(test::kPresetId, 0, name), kResultOk);
    EXPECT_EQ(host::narrow(name), "-");
    ASSERT_EQ(units->getProgramName(test::kPresetId, 1, name), kResultOk);
    EXPECT_EQ(host::narrow(name), "");
    EXPECT_EQ(units->getProgramName(7, 0, name), kResultFalse);
    EXPECT_EQ(units->getSelectedUnit(), 0);
    EXPECT_EQ(units->selectUnit(0), kNotImplemented);
}

TEST_F(Controller, NoComponentState)
{
    EXPECT_EQ(controller->setComponentState(nullptr), kNotImplemented);
}
