// Controls: values, gestures, the dirty cycle and prompts, on a headless editor of
// a small test plug-in.
#include <gtest/gtest.h>

#include "GuiTestSupport.h"
#include "IBitmapControl.h"
#include "IKnobMultiControl.h"
#include "ISwitchControl.h"
#include "ITextControl.h"
#include "IURLControl.h"

using namespace guitest;

namespace {

const MouseMods kLeft {true, false, false, false, false};
const MouseMods kRight {false, true, false, false, false};
const MouseMods kShift {true, false, true, false, false};
const MouseMods kControl {true, false, false, true, false};

class Controls : public ::testing::Test {
protected:
    // A knob 20 x 50 pixels at (10, 20) with the drag scale the product uses.
    IKnobMultiControl& AddKnob(int param, int axis = IKnobControl::kVertical)
    {
        auto* knob = new IKnobMultiControl(&plug, 10, 20, param, StripOf(*knobImage, 1), axis, 4.0);
        gui.addControl(knob);
        return *knob;
    }
    ISwitchControl& AddSwitch(int param, int frames)
    {
        auto* control = new ISwitchControl(&plug, 0, 0, param, StripOf(*switchImage, frames));
        gui.addControl(control);
        return *control;
    }
    // Runs as many drawing passes' worth of cleaning; true if still dirty.
    static bool DirtyAfterPasses(IControl& control, int passes)
    {
        for (int i = 0; i < passes; ++i) control.markPainted();
        return control.needsPaint();
    }

    TestPlug plug;
    TestGraphics gui {plug};
    std::unique_ptr<LICE_MemBitmap> knobImage = NumberedBitmap(20, 50);
    std::unique_ptr<LICE_MemBitmap> switchImage = NumberedBitmap(8, 12);
};

}  // namespace

TEST_F(Controls, ATwoFrameSwitchTogglesAndSendsEachValue)
{
    ISwitchControl& power = AddSwitch(kPower, 2);
    power.takeParamValue(0.0);
    power.onMouseDown(1, 1, kLeft);
    EXPECT_EQ(power.value(), 1.0);
    power.onMouseDown(1, 1, kLeft);
    EXPECT_EQ(power.value(), 0.0);
    // A double-click counts as one more click.
    power.onMouseDblClick(1, 1, kLeft);
    EXPECT_EQ(power.value(), 1.0);
    EXPECT_EQ(plug.host, (std::vector<std::string> {"perform 3 1", "perform 3 0", "perform 3 1"}));
    EXPECT_EQ(plug.Param(kPower)->Value(), 1.0);
}

TEST_F(Controls, AThreeFrameSwitchStepsByHalvesAndWraps)
{
    ISwitchControl& mode = AddSwitch(kShape, 3);
    std::vector<double> seen;
    for (int click = 0; click < 4; ++click) {
        mode.onMouseDown(1, 1, kLeft);
        seen.push_back(mode.value());
    }
    EXPECT_EQ(seen, (std::vector<double> {0.5, 1.0, 0.0, 0.5}));
}

TEST_F(Controls, AVerticalDragOfTwentyPixelsOnAFiftyPixelKnobMovesItByATenth)
{
    IKnobMultiControl& knob = AddKnob(kGain);
    knob.takeParamValue(0.5);
    knob.onMouseDrag(0, 0, 0, -20, kLeft);  // upward
    EXPECT_NEAR(knob.value(), 0.6, 1e-12);
    knob.onMouseDrag(0, 0, 0, -20, kShift);
    EXPECT_NEAR(knob.value(), 0.61, 1e-12);
    knob.onMouseDrag(0, 0, 0, 20, kControl);  // downward, fine
    EXPECT_NEAR(knob.value(), 0.6, 1e-12);
    ASSERT_EQ(plug.host.size(), 3u);
    EXPECT_EQ(plug.host[0], "perform 0 0.6");

    // The value never leaves 0..1.
    knob.onMouseDrag(0, 0, 0, -1000, kLeft);
    EXPECT_EQ(knob.value(), 1.0);
    knob.onMouseDrag(0, 0, 0, 1000, kLeft);
    EXPECT_EQ(knob.value(), 0.0);
}

TEST_F(Controls, AHorizontalKnobFollowsRightwardTravel)
{
    IKnobMultiControl& knob = AddKnob(kGain, IKnobControl::kHorizontal);
    knob.takeParamValue(0.5);
    knob.onMouseDrag(0, 0, 8, -30, kLeft);  // 8 of 20 pixels, scale 4
    EXPECT_NEAR(knob.value(), 0.6, 1e-12);
}

TEST_F(Controls, TheFirstValueFromThePluginBecomesTheDoubleClickDefault)
{
    IKnobMultiControl& knob = AddKnob(kGain);
    knob.takeParamValue(0.25);
    EXPECT_EQ(knob.defaultValue(), 0.25);
    knob.onMouseWheel(0, 0, MouseMods(), 10);
    plug.host.clear();
    knob.onMouseDblClick(0, 0, kLeft);
    EXPECT_EQ(knob.value(), 0.25);
    EXPECT_EQ(plug.host, (std::vector<std::string> {"perform 0 0.25"}));

    // Without a default (a picture that never had a value) nothing happens.
    IBitmapControl picture(&plug, 0, 0, -1, StripOf(*switchImage, 1));
    picture.onMouseDblClick(0, 0, kLeft);
    EXPECT_EQ(picture.value(), 0.0);
}

TEST_F(Controls, AValueFromThePluginRepaintsTwiceAGestureOnce)
{
    IKnobMultiControl& knob = AddKnob(kGain);
    knob.takeParamValue(0.5);
    EXPECT_FALSE(DirtyAfterPasses(knob, 1));

    knob.takeParamValue(0.5);  // what it already shows
    EXPECT_FALSE(knob.needsPaint());

    knob.takeParamValue(0.7);
    EXPECT_TRUE(DirtyAfterPasses(knob, 1));
    EXPECT_FALSE(DirtyAfterPasses(knob, 1));
    EXPECT_TRUE(plug.host.empty());  // never sent back

    knob.onMouseWheel(0, 0, MouseMods(), 1);
    EXPECT_FALSE(DirtyAfterPasses(knob, 1));

    knob.setHidden(true);
    EXPECT_TRUE(DirtyAfterPasses(knob, 1));
    EXPECT_FALSE(DirtyAfterPasses(knob, 1));
}

TEST_F(Controls, ATypedValueIsSentAndRepaintedTwice)
{
    IKnobMultiControl& knob = AddKnob(kGain);
    knob.takeParamValue(0.5);
    knob.markPainted();
    knob.takeTypedValue(0.5);
    EXPECT_FALSE(knob.needsPaint());
    knob.takeTypedValue(0.75);
    EXPECT_EQ(plug.host, (std::vector<std::string> {"perform 0 0.75"}));
    EXPECT_TRUE(DirtyAfterPasses(knob, 1));
    EXPECT_FALSE(DirtyAfterPasses(knob, 1));
}

TEST_F(Controls, ARangeBoundsTheValueAControlSends)
{
    IKnobMultiControl& knob = AddKnob(kGain);
    knob.setValueRange(0.25, 0.75);
    knob.takeParamValue(0.5);
    knob.onMouseWheel(0, 0, MouseMods(), 50);
    EXPECT_EQ(knob.value(), 0.75);
    EXPECT_EQ(plug.host, (std::vector<std::string> {"perform 0 0.75"}));
}

TEST_F(Controls, ARightClickPromptsOnlyWhenPromptsAreOn)
{
    IKnobMultiControl& knob = AddKnob(kGain);  // rect (10, 20, 30, 70)
    knob.onMouseDown(15, 25, kRight);
    EXPECT_TRUE(gui.textFields.empty());

    knob.setNoValuePrompt(false);
    plug.Param(kGain)->Assign(-3.5);
    knob.onMouseDown(15, 25, kLeft);
    EXPECT_TRUE(gui.textFields.empty());
    knob.markPainted();
    knob.onMouseDown(15, 25, kRight);
    ASSERT_EQ(gui.textFields.size(), 1u);
    // A 40 x 16 box centred on the knob: centre (20, 45).
    EXPECT_EQ(gui.textFields[0].area, (PixelRect {0, 37, 40, 53}));
    EXPECT_EQ(gui.textFields[0].text, "-3.5");
    EXPECT_EQ(gui.textFields[0].param, plug.Param(kGain));
    EXPECT_EQ(gui.textFields[0].control, &knob);
    EXPECT_TRUE(DirtyAfterPasses(knob, 1));  // redrawn once the prompt is gone
}

TEST_F(Controls, TheCentreOfAPromptIsTruncated)
{
    const auto image = NumberedBitmap(51, 21);
    auto* knob = new IKnobMultiControl(&plug, 10, 20, kGain, StripOf(*image, 1), 0, 4.0);
    gui.addControl(knob);
    knob->setNoValuePrompt(false);
    knob->requestValuePrompt();  // centre (35.5, 30.5)
    ASSERT_EQ(gui.textFields.size(), 1u);
    EXPECT_EQ(gui.textFields[0].area, (PixelRect {15, 22, 55, 38}));
}

TEST_F(Controls, AParameterWithNamedValuesPromptsWithAMenuOverTheControl)
{
    IKnobMultiControl& knob = AddKnob(kShape);
    knob.setNoValuePrompt(false);
    plug.Param(kShape)->Assign(1.0);
    gui.menuChoice = 2;
    knob.requestValuePrompt();
    EXPECT_EQ(gui.menuItems, (std::vector<std::string> {"Sine", "Square (ticked)", "Saw"}));
    EXPECT_EQ(gui.menuAnchor, knob.rect());
    EXPECT_EQ(knob.value(), 1.0);
    EXPECT_EQ(plug.host, (std::vector<std::string> {"perform 2 1"}));

    // Closed without a choice: nothing changes.
    gui.menuChoice = -1;
    knob.requestValuePrompt();
    EXPECT_EQ(knob.value(), 1.0);
    EXPECT_EQ(plug.host.size(), 1u);
}

TEST_F(Controls, LabelsShowTheValueWithItsUnitAndTheName)
{
    IKnobMultiControl& gain = AddKnob(kGain);
    ISwitchControl& power = AddSwitch(kPower, 2);
    ITextControl valueLabel(&plug, {0, 0, 50, 12}), nameLabel(&plug, {0, 12, 50, 24});
    gain.setLabels(&valueLabel, &nameLabel);
    power.setLabels(&valueLabel, nullptr);

    gain.takeParamValue(0.5);
    EXPECT_EQ(valueLabel.text(), "");  // values from the plug-in do not relabel
    gain.onMouseWheel(0, 0, MouseMods(), 10);  // 0.6 of -12..12, one decimal as its step
    EXPECT_EQ(valueLabel.text(), "2.4 dB");
    EXPECT_EQ(nameLabel.text(), "Gain");
    power.onMouseDown(0, 0, kLeft);
    EXPECT_EQ(valueLabel.text(), "on");  // a named value stands without the unit

    valueLabel.markPainted();
    valueLabel.setText("on");
    EXPECT_FALSE(valueLabel.needsPaint());
    valueLabel.setText("off");
    EXPECT_TRUE(valueLabel.needsPaint());
}

TEST_F(Controls, AWebLinkTriesItsBackupOnlyWhenThePageFails)
{
    auto* link = new IURLControl(&plug, {0, 0, 10, 10}, "https://page.example", "https://backup.example");
    gui.addControl(link);
    link->onMouseDown(1, 1, kLeft);
    EXPECT_EQ(gui.browsed, (std::vector<std::string> {"https://page.example"}));

    gui.browsed.clear();
    gui.browserSucceedsFrom = 5;
    link->onMouseDown(1, 1, kLeft);
    EXPECT_EQ(gui.browsed, (std::vector<std::string> {"https://page.example", "https://backup.example"}));

    gui.browsed.clear();
    auto* backupOnly = new IURLControl(&plug, {0, 0, 10, 10}, "", "https://backup.example");
    gui.addControl(backupOnly);
    backupOnly->onMouseDown(1, 1, kLeft);
    EXPECT_EQ(gui.browsed, (std::vector<std::string> {"https://backup.example"}));
    EXPECT_TRUE(plug.host.empty());
}
