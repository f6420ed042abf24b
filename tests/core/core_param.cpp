#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "PlugParam.h"

namespace {

std::string Display(const PlugParam& param, double plain)
{
    char text[64];
    param.FormatPlain(plain, text, sizeof text);
    return text;
}

struct Percent : PlugParam {
    Percent() { DefineContinuous("High", 0.5, 0.0, 1.0, 0.01, "%"); }
};

struct Selector : PlugParam {
    Selector() { DefineInteger("HPF", 0, 0, 5); }
};

}  // namespace

TEST(PlugParam, DefinitionDerivesDecimalsAndWidensNarrowRanges)
{
    PlugParam hundredths, halves, fine, narrow;
    hundredths.DefineContinuous("a", 0.0, 0.0, 1.0, 0.01);
    halves.DefineContinuous("b", 0.0, 0.0, 4.0, 0.5);
    fine.DefineContinuous("c", 0.0, 0.0, 1.0, 1e-9);
    narrow.DefineContinuous("d", 0.0, 0.0, 0.001, 0.01);
    EXPECT_EQ(hundredths.Decimals(), 2);
    EXPECT_EQ(halves.Decimals(), 1);
    EXPECT_EQ(fine.Decimals(), 6);
    EXPECT_DOUBLE_EQ(narrow.Maximum(), 0.01);
    EXPECT_EQ(hundredths.Kind(), kDoubleParam);
}

TEST(PlugParam, CurveArgumentZeroKeepsPreviousCurve)
{
    PlugParam param;
    param.DefineContinuous("x", 0.0, 0.0, 1.0, 0.01, "", 0.0);
    EXPECT_EQ(param.Curve(), 1.0);
    param.SetCurve(2.0);
    param.DefineContinuous("x", 0.0, 0.0, 1.0, 0.01, "", 0.0);
    EXPECT_EQ(param.Curve(), 2.0);
}

TEST(PlugParam, DefineIntegerKeepsAnEarlierKind)
{
    Selector selector;
    PlugParam choice;
    choice.DefineEnum("Mode", 1, 3);
    EXPECT_EQ(selector.Kind(), kIntParam);
    EXPECT_EQ(selector.Step(), 1.0);
    EXPECT_EQ(choice.Kind(), kEnumParam);
    EXPECT_EQ(choice.Maximum(), 2.0);
}

TEST(PlugParam, DefaultIsStoredUnchecked)
{
    PlugParam param;
    param.DefineContinuous("x", 7.0, 0.0, 1.0, 0.01);
    EXPECT_EQ(param.Value(), 7.0);
    EXPECT_EQ(param.DefaultValue(), 7.0);
}

TEST(PlugParam, AssignUnitSnapsSteppedKindsOnly)
{
    Selector selector;
    selector.AssignUnit(0.55);  // 2.75 rounds to 3
    EXPECT_EQ(selector.Value(), 3.0);
    selector.AssignUnit(1.0);
    EXPECT_EQ(selector.Value(), 5.0);
    selector.AssignUnit(0.0999);
    EXPECT_EQ(selector.Value(), 0.0);

    Percent percent;
    percent.AssignUnit(0.333);
    EXPECT_EQ(percent.Value(), 0.333);
}

TEST(PlugParam, AssignUnitBoundsOnlyFromAbove)
{
    Percent percent;
    percent.AssignUnit(1.2);
    EXPECT_EQ(percent.Value(), 1.0);
    percent.AssignUnit(-0.2);
    EXPECT_EQ(percent.Value(), -0.2);
}

TEST(PlugParam, AssignBoundsBothEndsWithoutSnapping)
{
    Percent percent;
    percent.Assign(-5.0);
    EXPECT_EQ(percent.Value(), 0.0);
    percent.Assign(7.0);
    EXPECT_EQ(percent.Value(), 1.0);
    Selector selector;
    selector.Assign(0.37);
    EXPECT_EQ(selector.Value(), 0.37);
}

TEST(PlugParam, NonFiniteValuesNeverReachTheRecord)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    Percent percent;
    Selector selector;
    for (double bad : {nan, inf, -inf}) {
        percent.Assign(bad);
        percent.AssignUnit(bad);
        selector.AssignUnit(bad);
    }
    EXPECT_EQ(percent.Value(), 0.5);
    EXPECT_EQ(selector.Value(), 0.0);

    // A fractional curve maps a negative unit value to NaN.
    percent.SetCurve(0.5);
    percent.AssignUnit(-0.5);
    EXPECT_EQ(percent.Value(), 0.5);
}

TEST(PlugParam, UnitMappingFollowsTheCurveAndClampsPlainValues)
{
    PlugParam out;
    out.DefineContinuous("Out", 0.0, -12.0, 12.0, 1.0);
    EXPECT_DOUBLE_EQ(out.ToUnit(0.0), 0.5);
    EXPECT_DOUBLE_EQ(out.ToUnit(40.0), 1.0);
    EXPECT_DOUBLE_EQ(out.ToUnit(-40.0), 0.0);
    EXPECT_DOUBLE_EQ(out.FromUnit(0.75), 6.0);
    EXPECT_DOUBLE_EQ(out.FromUnit(1.5), 24.0);  // no clamping of unit values

    PlugParam curved;
    curved.DefineContinuous("f", 0.0, 0.0, 100.0, 0.01, "", 2.0);
    EXPECT_DOUBLE_EQ(curved.FromUnit(0.5), 25.0);
    EXPECT_DOUBLE_EQ(curved.ToUnit(25.0), 0.5);
}

TEST(PlugParam, DisplayTextUsesDecimalsOrTruncation)
{
    Percent percent;
    PlugParam gain;
    gain.DefineContinuous("Out", 0.0, -12.0, 12.0, 1.0);
    EXPECT_EQ(Display(percent, 0.5), "0.50");
    EXPECT_EQ(Display(gain, 5.7), "5");
    EXPECT_EQ(Display(gain, -0.6), "0");
    EXPECT_EQ(Display(gain, 1e300), "2147483647");
    gain.SetNegateDisplay(true);
    EXPECT_EQ(Display(gain, 3.0), "-3");
}

TEST(PlugParam, ValueTextsMatchTheTruncatedValue)
{
    PlugParam mode;
    mode.DefineInteger("Mode", 0, 0, 3);
    mode.AddValueText(1, "Warm");
    mode.AddValueText(2, "");
    EXPECT_EQ(Display(mode, 1.0), "Warm");
    EXPECT_EQ(Display(mode, 1.9), "Warm");
    EXPECT_EQ(Display(mode, 0.99), "0");
    EXPECT_EQ(Display(mode, 2.0), "2");  // an empty text falls back to the number
    ASSERT_EQ(mode.ValueTextCount(), 2);
    EXPECT_EQ(mode.ValueTextAt(0)->value, 1);
    EXPECT_EQ(mode.ValueTextAt(2), nullptr);
}

TEST(PlugParam, ParseReadsALeadingNumber)
{
    EXPECT_EQ(PlugParam::ParseValue("12.5 dB"), 12.5);
    EXPECT_EQ(PlugParam::ParseValue("  -3e1x"), -30.0);
    EXPECT_EQ(PlugParam::ParseValue("dB 12"), 0.0);
    EXPECT_EQ(PlugParam::ParseValue(nullptr), 0.0);
}

TEST(PlugParam, LongTextsAreCutToTheirBuffers)
{
    const std::string longText(100, 'n');
    PlugParam param;
    param.DefineContinuous(longText.c_str(), 0.0, 0.0, 1.0, 0.01, longText.c_str());
    param.SetGroup(longText.c_str());
    param.AddValueText(0, longText.c_str());
    const std::string cut(31, 'n');
    EXPECT_EQ(param.Name(), cut);
    EXPECT_EQ(param.Label(), cut);
    EXPECT_EQ(param.Group(), cut);
    EXPECT_EQ(param.ValueTextAt(0)->text, cut);
    EXPECT_EQ(Display(param, 0.0), cut);

    char tiny[4];
    param.FormatPlain(0.5, tiny, sizeof tiny);
    EXPECT_STREQ(tiny, "nnn");
}
