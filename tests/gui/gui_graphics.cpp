// The graphics core: drawing passes, the frame tick, blits, event dispatch, value
// prompts, resizing and the bitmap cache, on a headless editor of a test plug-in.
#include <gtest/gtest.h>

#include <cmath>

#include "GuiTestSupport.h"
#include "IBitmapControl.h"

using namespace guitest;

namespace {

const MouseMods kLeft {true, false, false, false, false};
const MouseMods kRight {false, true, false, false, false};

// A control that writes every call it receives into a shared log.
class Box : public IControl {
public:
    Box(IPlugBase& plug, const PixelRect& rect, int param, std::vector<std::string>& log, const char* name)
        : IControl(&plug, rect, param), log_(log), name_(name)
    {
    }

    void onMouseDown(int x, int y, const MouseMods&) override { say("down", x, y); }
    void onMouseUp(int x, int y, const MouseMods&) override { say("up", x, y); }
    void onMouseDrag(int x, int y, int dx, int dy, const MouseMods&) override
    {
        say("drag", x, y, " " + std::to_string(dx) + " " + std::to_string(dy));
    }
    void onMouseDblClick(int x, int y, const MouseMods&) override { say("double", x, y); }
    void onMouseWheel(int x, int y, const MouseMods&, int notches) override
    {
        say("wheel", x, y, " " + std::to_string(notches));
    }
    bool onKeyDown(int, int, KeyCode key) override
    {
        log_.push_back(name_ + " key " + std::to_string(key));
        return true;
    }
    void onMouseOver(int x, int y, const MouseMods&) override { say("over", x, y); }
    void onMouseOut() override { log_.push_back(name_ + " out"); }
    bool draw(IGraphics&) override
    {
        log_.push_back(name_ + " draw");
        return true;
    }

    // A value the plug-in might send, without the host hearing of it.
    void dirty() { markChanged(false); }

private:
    void say(const char* what, int x, int y, const std::string& more = "")
    {
        log_.push_back(name_ + " " + what + " " + std::to_string(x) + " " + std::to_string(y) + more);
    }

    std::vector<std::string>& log_;
    std::string name_;
};

class Graphics : public ::testing::Test {
protected:
    Box& Add(const PixelRect& rect, int param, const char* name)
    {
        auto* box = new Box(plug, rect, param, log, name);
        gui.addControl(box);
        return *box;
    }
    // Every control clean, the log empty.
    void Settle()
    {
        for (int i = 0; i < gui.controlCount(); ++i) gui.control(i)->markPainted();
        log.clear();
        plug.host.clear();
    }

    TestPlug plug;
    TestGraphics gui {plug};
    std::vector<std::string> log;
};

using Log = std::vector<std::string>;

}  // namespace

TEST_F(Graphics, TheTickRepaintsTheUnionOfTheDirtyControls)
{
    Box& first = Add({10, 10, 20, 20}, -1, "a");
    Add({50, 50, 60, 60}, -1, "b");
    Box& third = Add({100, 5, 110, 15}, -1, "c");
    Settle();
    EXPECT_FALSE(gui.onFrameTick());
    EXPECT_EQ(gui.presentCount(), 0);

    first.dirty();
    third.dirty();
    EXPECT_EQ(gui.dirtyArea(), (PixelRect {10, 5, 110, 20}));
    EXPECT_TRUE(gui.onFrameTick());
    EXPECT_EQ(gui.presentCount(), 1);
    EXPECT_EQ(gui.lastPresentedArea(), (PixelRect {10, 5, 110, 20}));
    EXPECT_EQ(log, (Log {"a draw", "c draw"}));  // b lies outside the area
    EXPECT_FALSE(gui.onFrameTick());
}

TEST_F(Graphics, OnlyAnAllZeroRectangleStaysOutOfTheRepaintArea)
{
    Box& nowhere = Add({0, 0, 0, 0}, -1, "nowhere");
    Box& thin = Add({5, 5, 5, 9}, -1, "thin");
    Settle();
    nowhere.dirty();
    EXPECT_TRUE(gui.dirtyArea().isEmpty());
    thin.dirty();
    EXPECT_EQ(gui.dirtyArea(), (PixelRect {5, 5, 5, 9}));
}

TEST_F(Graphics, ThePluginsValuesReachEveryControlBoundToThem)
{
    Box& gain = Add({0, 0, 10, 10}, kGain, "gain");
    Box& both = Add({0, 0, 10, 10}, kMode, "both");
    both.addExtraParam(kGain);
    both.addExtraParam(kGain);  // only the first entry for a parameter follows it
    gui.pushParamToControls(kGain, 6.0, false);  // plain: -12..12
    EXPECT_EQ(gain.value(), 0.75);
    EXPECT_EQ(both.extraParam(0)->value, 0.75);
    EXPECT_EQ(both.extraParam(1)->value, 0.0);
    EXPECT_EQ(both.value(), 0.0);

    // A value that is not a number changes nothing.
    gui.pushParamToControls(kGain, std::nan(""), true);
    EXPECT_EQ(gain.value(), 0.75);
}

TEST_F(Graphics, AStrictPassDrawsWhatMeetsTheAreaAndCleansEverything)
{
    Add({0, 0, 200, 100}, -1, "background");
    Add({50, 10, 60, 20}, -1, "edge");  // its left edge on the area's right edge
    Add({0, 0, 0, 0}, -1, "nowhere");
    Box& hidden = Add({10, 10, 20, 20}, -1, "hidden");
    hidden.setHidden(true);
    log.clear();
    EXPECT_TRUE(gui.draw({0, 0, 50, 50}));
    EXPECT_EQ(log, (Log {"background draw", "edge draw"}));
    EXPECT_EQ(gui.presentCount(), 1);
    EXPECT_TRUE(hidden.needsPaint());  // repaintAgain from hiding
    gui.draw({0, 0, 50, 50});
    EXPECT_TRUE(gui.dirtyArea().isEmpty());
}

TEST_F(Graphics, WithoutControlsDrawingPresentsNothing)
{
    EXPECT_TRUE(gui.draw({0, 0, 10, 10}));
    EXPECT_EQ(gui.presentCount(), 0);
}

TEST_F(Graphics, ANonStrictPassRedrawsEachDirtyControlWithItsNeighbours)
{
    gui.setStrictDrawing(false);
    Add({0, 0, 200, 100}, -1, "background");
    Box& left = Add({10, 10, 30, 30}, -1, "left");
    Add({20, 20, 40, 40}, -1, "over");
    Add({100, 10, 120, 30}, -1, "far");
    Settle();
    left.dirty();
    gui.draw({10, 10, 30, 30});
    EXPECT_EQ(log, (Log {"background draw", "left draw", "over draw"}));
    EXPECT_TRUE(gui.dirtyArea().isEmpty());

    log.clear();
    static_cast<Box*>(gui.control(0))->dirty();
    gui.draw({0, 0, 200, 100});
    EXPECT_EQ(log, (Log {"background draw", "left draw", "over draw", "far draw"}));
}

TEST_F(Graphics, ABitmapControlShowsTheFrameOfItsValueClippedToTheArea)
{
    const auto strip = NumberedBitmap(4, 12);  // three frames of 4 x 4
    auto* picture = new IBitmapControl(&plug, 10, 20, kGain, StripOf(*strip, 3), kMixReplace);
    gui.addControl(picture);
    gui.allocateSurface();
    Fill(*gui.surface(), 0xFFFFFFFF);
    picture->takeParamValue(0.5);

    gui.draw({0, 0, 12, 100});  // covers only the control's two left columns
    const LICE_IBitmap& surface = *gui.surface();
    EXPECT_EQ(PixelAt(surface, 10, 20), PixelAt(*strip, 0, 4));  // frame 1 starts at row 4
    EXPECT_EQ(PixelAt(surface, 11, 23), PixelAt(*strip, 1, 7));
    EXPECT_EQ(PixelAt(surface, 12, 20), 0xFFFFFFFFu);  // clipped away
}

TEST_F(Graphics, BlitsDrawOnlyInsideTheClipOfThePass)
{
    const auto image = NumberedBitmap(4, 4);
    const BitmapStrip strip = StripOf(*image, 1);
    const BlendSpec copy {kMixReplace, 1.0f};
    gui.allocateSurface();
    Fill(*gui.surface(), 0xFFFFFFFF);
    Add({0, 0, 200, 100}, -1, "background");
    gui.draw({50, 50, 60, 60});  // the pass's clip rectangle

    EXPECT_TRUE(gui.blitStrip(strip, {0, 0, 4, 4}, 0, 0, &copy));
    EXPECT_TRUE(gui.blitStrip(strip, {46, 56, 50, 60}, 0, 0, &copy));  // touches the clip's left edge
    EXPECT_TRUE(gui.blitStrip(strip, {58, 58, 62, 62}, 0, 0, &copy));
    const LICE_IBitmap& surface = *gui.surface();
    EXPECT_EQ(PixelAt(surface, 0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(PixelAt(surface, 49, 57), 0xFFFFFFFFu);
    EXPECT_EQ(PixelAt(surface, 58, 58), PixelAt(*image, 0, 0));
    EXPECT_EQ(PixelAt(surface, 59, 59), PixelAt(*image, 1, 1));
    EXPECT_EQ(PixelAt(surface, 60, 59), 0xFFFFFFFFu);
    EXPECT_EQ(PixelAt(surface, 59, 60), 0xFFFFFFFFu);
}

TEST_F(Graphics, APressGoesToTheTopmostControlThatTakesTheMouse)
{
    Add({0, 0, 200, 100}, -1, "background");
    Box& lower = Add({10, 10, 50, 50}, kMode, "lower");
    Box& upper = Add({10, 10, 50, 50}, kGain, "upper");
    Settle();
    gui.onMouseDown(20, 20, kLeft);
    gui.onMouseUp(21, 22, kLeft);
    EXPECT_EQ(log, (Log {"upper down 20 20", "upper up 21 22"}));
    EXPECT_EQ(plug.host, (Log {"begin 0", "end 0"}));

    upper.setDimmed(true);  // drawn at a quarter strength, and deaf
    EXPECT_EQ(upper.blend().weight, 0.25f);
    lower.setHidden(true);
    log.clear();
    gui.onMouseDown(20, 20, kLeft);
    EXPECT_EQ(log, (Log {"background down 20 20"}));
    EXPECT_EQ(gui.grabbedControl(), 0);

    log.clear();
    gui.onMouseDown(300, 300, kLeft);  // outside every control
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(gui.grabbedControl(), -1);
}

TEST_F(Graphics, ARightClickOnAParameterAsksTheHostForItsMenu)
{
    Add({0, 0, 200, 100}, -1, "background");
    Add({10, 10, 50, 50}, kGain, "knob");
    Settle();
    gui.onMouseDown(20, 30, kRight);
    EXPECT_EQ(plug.host, (Log {"menu 0 20 30"}));
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(gui.grabbedControl(), -1);
    // The release belongs to the host's menu: no end of an edit that never began.
    gui.onMouseUp(20, 30, kRight);
    EXPECT_EQ(plug.host, (Log {"menu 0 20 30"}));
    EXPECT_TRUE(log.empty());

    // Without a parameter the control gets the click itself.
    plug.host.clear();
    gui.onMouseDown(100, 80, kRight);
    EXPECT_EQ(log, (Log {"background down 100 80"}));
    EXPECT_TRUE(plug.host.empty());

    // A binding without host menus: a right click is a gesture like any other.
    plug.bindingCode = 2;
    log.clear();
    gui.onMouseDown(20, 30, kRight);
    EXPECT_EQ(plug.host, (Log {"begin 0"}));
    EXPECT_EQ(log, (Log {"knob down 20 30"}));
}

TEST_F(Graphics, DragsGoToTheCapturedControlAsStepsFromTheLastPosition)
{
    Add({10, 10, 50, 50}, kGain, "knob");
    Add({60, 10, 90, 50}, -1, "other");
    Settle();
    gui.onMouseDrag(30, 30, kLeft);  // nothing captured
    gui.onMouseDown(20, 20, kLeft);
    gui.onMouseDrag(20, 20, kLeft);  // no movement
    gui.onMouseDrag(25, 12, kLeft);
    gui.onMouseDrag(70, 15, kLeft);  // over another control: still the knob's
    gui.onMouseWheel(70, 15, MouseMods(), 2);
    gui.onMouseUp(70, 15, kLeft);
    EXPECT_EQ(log, (Log {"knob down 20 20", "knob drag 25 12 5 -8", "knob drag 70 15 45 3", "knob wheel 70 15 2",
                         "knob up 70 15"}));
    EXPECT_EQ(plug.host, (Log {"begin 0", "end 0"}));

    log.clear();
    gui.onMouseWheel(70, 15, MouseMods(), -1);
    gui.onMouseUp(70, 15, kLeft);  // nothing captured: the control under the mouse
    EXPECT_EQ(log, (Log {"other wheel 70 15 -1", "other up 70 15"}));
}

TEST_F(Graphics, ADoubleClickReportsNoBeginUnlessTheControlTakesItAsAPress)
{
    Box& knob = Add({10, 10, 50, 50}, kGain, "knob");
    Settle();
    EXPECT_FALSE(gui.onMouseDblClick(20, 20, kLeft));
    gui.onMouseUp(20, 20, kLeft);
    EXPECT_EQ(log, (Log {"knob double 20 20", "knob up 20 20"}));
    EXPECT_EQ(plug.host, (Log {"end 0"}));

    knob.setDoubleAsPress(true);
    Settle();
    EXPECT_TRUE(gui.onMouseDblClick(20, 20, kLeft));
    EXPECT_EQ(gui.grabbedControl(), 0);
    gui.onMouseDrag(22, 20, kLeft);
    EXPECT_EQ(log, (Log {"knob down 20 20", "knob drag 22 20 2 0"}));
    EXPECT_TRUE(plug.host.empty());
    EXPECT_FALSE(gui.onMouseDblClick(300, 300, kLeft));
    EXPECT_EQ(gui.grabbedControl(), -1);
}

TEST_F(Graphics, HoverIsTrackedOnlyWhenSwitchedOn)
{
    Add({10, 10, 50, 50}, -1, "a");
    Box& b = Add({60, 10, 90, 50}, -1, "b");
    Settle();
    EXPECT_FALSE(gui.onMouseOver(20, 20, MouseMods()));
    EXPECT_TRUE(log.empty());

    gui.setHoverTracking(true);
    EXPECT_TRUE(gui.onMouseOver(20, 20, MouseMods()));
    EXPECT_TRUE(gui.onMouseOver(21, 20, MouseMods()));
    b.setDimmed(true);
    EXPECT_TRUE(gui.onMouseOver(70, 20, MouseMods()));  // dimmed: no target
    EXPECT_EQ(gui.hoverControl(), 0);
    b.setHoverWhenDimmed(true);
    EXPECT_TRUE(gui.onMouseOver(70, 20, MouseMods()));
    EXPECT_EQ(gui.hoverControl(), 1);
    EXPECT_EQ(log, (Log {"a over 20 20", "a over 21 20", "b over 70 20", "a out"}));

    log.clear();
    gui.onMouseOut();
    EXPECT_EQ(log, (Log {"a out", "b out"}));
    EXPECT_EQ(gui.hoverControl(), -1);
}

TEST_F(Graphics, KeysGoToTheCapturedControlOrTheOneUnderTheMouse)
{
    Add({0, 0, 200, 100}, -1, "background");
    Add({10, 10, 50, 50}, -1, "knob");
    Settle();
    EXPECT_TRUE(gui.onKeyDown(20, 20, kKeyUp));
    EXPECT_FALSE(gui.onKeyDown(100, 80, kKeyUp));  // the background never takes keys

    gui.setFallbackKeyControl(new Box(plug, {}, -1, log, "fallback"));
    EXPECT_TRUE(gui.onKeyDown(100, 80, kKeyDown));
    gui.onMouseDown(20, 20, kLeft);
    EXPECT_TRUE(gui.onKeyDown(150, 80, KeyCode(kKeyLetterA + 16)));  // captured: the knob
    gui.onMouseUp(20, 20, kLeft);
    gui.onMouseDown(100, 80, kLeft);
    EXPECT_TRUE(gui.onKeyDown(20, 20, kKeySpace));  // the background holds it: fallback
    EXPECT_EQ(log, (Log {"knob key 1", "fallback key 2", "knob down 20 20", "knob key 31", "knob up 20 20",
                         "background down 100 80", "fallback key 0"}));
}

TEST_F(Graphics, TypedTextBecomesTheParametersValue)
{
    Box& gain = Add({0, 0, 10, 10}, kGain, "gain");
    gui.acceptTextField(&gain, plug.Param(kGain), "6 dB");
    EXPECT_EQ(gain.value(), 0.75);
    plug.Param(kGain)->SetNegateDisplay(true);
    gui.acceptTextField(&gain, plug.Param(kGain), "6");
    EXPECT_EQ(gain.value(), 0.25);
    gui.acceptTextField(&gain, plug.Param(kGain), "nan");
    EXPECT_EQ(gain.value(), 0.25);
    EXPECT_EQ(plug.host, (Log {"perform 0 0.75", "perform 0 0.25"}));

    Box& shape = Add({0, 0, 10, 10}, kShape, "shape");
    gui.acceptTextField(&shape, plug.Param(kShape), "Saw");
    EXPECT_EQ(shape.value(), 1.0);
    gui.acceptTextField(&shape, plug.Param(kShape), "saw");  // texts must match exactly
    EXPECT_EQ(shape.value(), 0.0);

    Box& mode = Add({0, 0, 10, 10}, kMode, "mode");
    gui.acceptTextField(&mode, plug.Param(kMode), "9");  // beyond the range
    EXPECT_EQ(mode.value(), 1.0);
}

TEST_F(Graphics, APromptStartsWithTheValueAsItsParameterShowsIt)
{
    Box& mode = Add({0, 0, 10, 10}, kMode, "mode");
    plug.Param(kMode)->Assign(3.0);
    const PixelRect area {1, 2, 3, 4};
    gui.askForValue(&mode, plug.Param(kMode), &area);
    plug.Param(kGain)->Assign(-2.5);
    plug.Param(kGain)->SetNegateDisplay(true);
    gui.askForValue(&mode, plug.Param(kGain), &area);
    gui.askForValue(nullptr, plug.Param(kGain), &area);
    gui.askForValue(&mode, nullptr, &area);
    gui.askForValue(&mode, plug.Param(kGain), nullptr);
    ASSERT_EQ(gui.textFields.size(), 2u);
    EXPECT_EQ(gui.textFields[0].text, "3");
    EXPECT_EQ(gui.textFields[0].area, area);
    EXPECT_EQ(gui.textFields[1].text, "2.5");

    // A switch with named states chooses from a menu.
    gui.menuChoice = 1;
    gui.askForValue(&mode, plug.Param(kPower), &area);
    EXPECT_EQ(gui.menuItems, (Log {"off (ticked)", "on"}));
    EXPECT_EQ(mode.value(), 1.0);
}

TEST_F(Graphics, PlainTextGoesToAControlWithoutAParameter)
{
    class Note : public Box {
    public:
        using Box::Box;
        void takeTypedText(const char* text) override { typed = text; }
        std::string typed;
    };
    auto* note = new Note(plug, {0, 0, 10, 10}, -1, log, "note");
    gui.addControl(note);
    gui.acceptTextField(note, nullptr, "hello");
    EXPECT_EQ(note->typed, "hello");
}

TEST_F(Graphics, ResizingEmptiesTheEditorAndTellsTheHost)
{
    Add({10, 10, 50, 50}, kGain, "knob");
    gui.allocateSurface();
    gui.onMouseDown(20, 20, kLeft);
    gui.setEditorSize(300, 120);
    EXPECT_EQ(gui.controlCount(), 0);
    EXPECT_EQ(gui.grabbedControl(), -1);
    EXPECT_EQ(gui.width(), 300);
    EXPECT_EQ(gui.surface()->Width(), 300);
    EXPECT_EQ(gui.surface()->Height(), 120);
    EXPECT_EQ(plug.host.back(), "resized 300 120");
}

TEST_F(Graphics, EachImageIsDecodedOncePerProcess)
{
    TestGraphics other(plug);
    const BitmapStrip first = gui.fetchStrip(9001, "a.png", 3);
    const BitmapStrip again = other.fetchStrip(9001, "another.png", 1);
    EXPECT_EQ(first.image, again.image);
    EXPECT_EQ(gui.decoded, (std::vector<int> {9001}));
    EXPECT_TRUE(other.decoded.empty());
    EXPECT_EQ(first.frames, 3);
    EXPECT_EQ(again.frames, 1);
    EXPECT_EQ(first.width, 4);
    EXPECT_EQ(first.height, 8);
    EXPECT_FALSE(first.horizontal);
}
