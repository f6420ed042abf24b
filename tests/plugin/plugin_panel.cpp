// The product's editor panel, built by the module's own factory and driven through
// the graphics core's event entry points, with the binding's host calls going to a
// recording component handler. Renders are compared with committed golden PNGs and
// with the panel composed from the decoded images alone.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>

#include "AudioBlock.h"
#include "ContextMenu.h"
#include "HostApplication.h"
#include "IBitmapControl.h"
#include "IGraphics.h"
#include "IKnobMultiControl.h"
#include "ISwitchControl.h"
#include "IURLControl.h"
#include "PanelImages.h"
#include "ParamIndex.h"
#include "ParameterChanges.h"
#include "PluginInstance.h"
#include "pluginterfaces/gui/iplugview.h"

using namespace Steinberg;
using namespace vorla;
using namespace paneltest;
using Edit = host::ComponentHandler::Edit;
using EditKind = host::ComponentHandler::EditKind;

namespace {

enum Control { kBackground, kBypassSwitch, kOversampleSwitch, kHighKnob, kHpfKnob, kLowBoostKnob, kLowAttenKnob,
               kLpfKnob, kMidKnob, kOutKnob, kWebLink };

const MouseMods kLeft {true, false, false, false, false};
const MouseMods kRight {false, true, false, false, false};
const MouseMods kLeftShift {true, false, true, false, false};
const MouseMods kControl {false, false, false, true, false};

// The frames the panel shows at the parameters' defaults: High and Mid centred, Out
// at 0 dB (frame 12 of 25), Oversample at 1, everything else at its start.
constexpr Frames kDefaultFrames {0, 0, 1, 30, 0, 0, 0, 0, 30, 12};

class Panel : public ::testing::Test {
protected:
    Panel()
    {
        std::string error;
        instance = host::PluginInstance::createFirstEffect(factory, error);
        if (!instance) {
            ADD_FAILURE() << error;
            std::abort();
        }
        auto context = owned(new host::HostApplication("Panel test host"));
        EXPECT_EQ(instance->initialize(static_cast<Vst::IHostApplication*>(context.get())), kResultOk);
        EXPECT_EQ(instance->prepare(44100.0, 64, Vst::kSample32, 2), kResultOk);
        instance->controller()->setComponentHandler(handler);
        plug = dynamic_cast<IPlugBase*>(instance->controller());
        editor = plug ? dynamic_cast<IGraphics*>(plug->Editor()) : nullptr;
        if (!editor) {
            ADD_FAILURE() << "the product has no graphics core";
            std::abort();
        }
        editor->setBrowserLauncher(nullptr);  // a click on the web link opens no browser
    }
    ~Panel() override { instance->controller()->setComponentHandler(nullptr); }

    IControl& ControlAt(int index) { return *editor->control(index); }
    // A press and release in the middle of a control.
    void Click(int index, const MouseMods& mods = kLeft)
    {
        const PixelRect& r = ControlAt(index).rect();
        editor->onMouseDown((r.left + r.right) / 2, (r.top + r.bottom) / 2, mods);
        editor->onMouseUp((r.left + r.right) / 2, (r.top + r.bottom) / 2, mods);
    }
    // Host automation of one block: the last point of each parameter applies.
    void Automate(std::initializer_list<std::pair<int, double>> values)
    {
        auto changes = owned(new host::ParameterChanges);
        for (const auto& [param, value] : values) changes->add(Vst::ParamID(param), 0, value);
        EXPECT_EQ(instance->process(block.processData(64, changes)), kResultOk);
    }
    std::unique_ptr<LICE_MemBitmap> Render()
    {
        editor->paintControls({0, 0, editor->width(), editor->height()});
        auto copy = std::make_unique<LICE_MemBitmap>();
        const LICE_IBitmap& surface = *editor->surface();
        copy->Resize(surface.Width(), surface.Height());
        for (int y = 0; y < surface.Height(); ++y)
            for (int x = 0; x < surface.Width(); ++x)
                copy->PixelData()[y * copy->RowStride() + x] = surface.PixelData()[y * surface.RowStride() + x];
        return copy;
    }
    // Renders the panel, keeps the picture under `name` in the captures and compares
    // it with the panel composed for `frames`, and with the committed golden of that
    // name when asked.
    void ExpectRender(const Frames& frames, const std::string& name, bool golden)
    {
        const auto render = Render();
        const std::string capture = WriteCapture(*render, name);
        const auto expected = ExpectedPanel(frames);
        ASSERT_TRUE(expected);
        EXPECT_EQ(CountDifferences(*render, *expected), 0) << "see " << capture;
        if (!golden) return;
        const auto committed = ReadGolden(name);
        ASSERT_TRUE(committed) << "no golden " << name << "; the render is " << capture;
        EXPECT_EQ(CountDifferences(*render, *committed), 0) << "see " << capture;
    }

    IPtr<IPluginFactory> factory = owned(GetPluginFactory());
    IPtr<host::ContextMenuHandler> handler = owned(new host::ContextMenuHandler);
    std::unique_ptr<host::PluginInstance> instance;
    host::AudioBlock block {2, 64, Vst::kSample32};
    IPlugBase* plug = nullptr;
    IGraphics* editor = nullptr;
};

}  // namespace

TEST_F(Panel, HoldsTheElevenControlsInCreationOrder)
{
    struct Expected {
        PixelRect rect;
        int param;
    };
    const Expected expected[] = {
        {{0, 0, 796, 189}, -1},     {{378, 160, 421, 190}, 8},  {{0, 161, 145, 191}, 7},
        {{512, 37, 602, 122}, 0},   {{40, 37, 123, 119}, 1},    {{165, 18, 239, 97}, 2},
        {{239, 88, 313, 159}, 3},   {{678, 37, 756, 122}, 4},   {{347, 36, 448, 135}, 5},
        {{200, 161, 275, 191}, 6},  {{702, 161, 802, 261}, -1},
    };
    ASSERT_EQ(editor->controlCount(), 11);
    for (int i = 0; i < 11; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(ControlAt(i).rect(), expected[i].rect);
        EXPECT_EQ(ControlAt(i).paramIndex(), expected[i].param);
        EXPECT_EQ(ControlAt(i).blend().kind, i == 0 ? kMixReplace : kMixAlpha);
        EXPECT_EQ(ControlAt(i).blend().weight, 1.0f);
    }
    EXPECT_TRUE(dynamic_cast<IBitmapControl*>(&ControlAt(kBackground)));
    EXPECT_TRUE(dynamic_cast<ISwitchControl*>(&ControlAt(kBypassSwitch)));
    EXPECT_TRUE(dynamic_cast<ISwitchControl*>(&ControlAt(kOversampleSwitch)));
    for (int i = kHighKnob; i <= kOutKnob; ++i) EXPECT_TRUE(dynamic_cast<IKnobMultiControl*>(&ControlAt(i))) << i;

    // The web link opens the product page the factory names.
    PFactoryInfo info {};
    ASSERT_EQ(factory->getFactoryInfo(&info), kResultOk);
    const auto* link = dynamic_cast<IURLControl*>(&ControlAt(kWebLink));
    ASSERT_TRUE(link);
    EXPECT_STREQ(link->pageAddress(), info.url);
    EXPECT_EQ(editor->width(), 796);
    EXPECT_EQ(editor->height(), 189);
    EXPECT_EQ(editor->frameIntervalMs(), 40);
}

TEST_F(Panel, AKnobDragReportsTheGestureAndMovesByTheDistanceOverFourHeights)
{
    // High is 85 pixels high: 34 pixels of upward travel are a tenth of its range.
    editor->onMouseDown(557, 80, kLeft);
    editor->onMouseDrag(557, 46, kLeft);
    editor->onMouseUp(557, 46, kLeft);
    EXPECT_NEAR(ControlAt(kHighKnob).value(), 0.6, 1e-12);
    EXPECT_NEAR(plug->Param(kHigh)->Value(), 0.6, 1e-12);
    ASSERT_EQ(handler->edits().size(), 3u);
    EXPECT_EQ(handler->edits()[0].kind, EditKind::Begin);
    EXPECT_EQ(handler->edits()[1].kind, EditKind::Perform);
    EXPECT_NEAR(handler->edits()[1].value, 0.6, 1e-12);
    EXPECT_EQ(handler->edits()[2].kind, EditKind::End);
    for (const Edit& edit : handler->edits()) EXPECT_EQ(edit.id, Vst::ParamID(kHigh));

    // With Shift (or Control) ten times finer.
    editor->onMouseDown(557, 80, kLeftShift);
    editor->onMouseDrag(557, 46, kLeftShift);
    editor->onMouseUp(557, 46, kLeftShift);
    EXPECT_NEAR(ControlAt(kHighKnob).value(), 0.61, 1e-12);
}

TEST_F(Panel, WheelNotchesMoveAKnobByHundredthsAndWithControlByThousandths)
{
    editor->onMouseWheel(397, 85, MouseMods(), 3);  // Mid, at its default 0.5
    EXPECT_NEAR(ControlAt(kMidKnob).value(), 0.53, 1e-12);
    editor->onMouseWheel(397, 85, kControl, 3);
    EXPECT_NEAR(ControlAt(kMidKnob).value(), 0.533, 1e-12);
    ASSERT_EQ(handler->edits().size(), 2u);
    EXPECT_EQ(handler->edits()[1].kind, EditKind::Perform);
    EXPECT_EQ(handler->edits()[1].id, Vst::ParamID(kMid));
    EXPECT_NEAR(handler->edits()[1].value, 0.533, 1e-12);
}

TEST_F(Panel, AClickOnBypassTogglesItAndTheHostSeesTheWholeEdit)
{
    Click(kBypassSwitch);
    EXPECT_EQ(plug->Param(kBypass)->Value(), 1.0);
    EXPECT_EQ(ControlAt(kBypassSwitch).value(), 1.0);
    ASSERT_EQ(handler->edits().size(), 3u);
    EXPECT_EQ(handler->edits()[0].kind, EditKind::Begin);
    EXPECT_EQ(handler->edits()[1].kind, EditKind::Perform);
    EXPECT_EQ(handler->edits()[1].value, 1.0);
    EXPECT_EQ(handler->edits()[2].kind, EditKind::End);
    for (const Edit& edit : handler->edits()) EXPECT_EQ(edit.id, Vst::ParamID(kBypass));
    Click(kBypassSwitch);
    EXPECT_EQ(plug->Param(kBypass)->Value(), 0.0);
}

TEST_F(Panel, ADoubleClickRestoresTheValueTheKnobHadWhenTheEditorWasBuilt)
{
    editor->onMouseWheel(557, 80, MouseMods(), 20);  // High to 0.7
    const std::size_t before = handler->edits().size();
    EXPECT_FALSE(editor->onMouseDblClick(557, 80, kLeft));
    EXPECT_NEAR(ControlAt(kHighKnob).value(), 0.5, 1e-12);
    EXPECT_NEAR(plug->Param(kHigh)->Value(), 0.5, 1e-12);
    ASSERT_EQ(handler->edits().size(), before + 1);
    EXPECT_EQ(handler->edits().back().kind, EditKind::Perform);  // no beginEdit
    EXPECT_EQ(handler->edits().back().id, Vst::ParamID(kHigh));
    EXPECT_EQ(handler->edits().back().value, 0.5);
}

TEST_F(Panel, ARightClickOnAKnobOpensTheHostsMenuForItsParameter)
{
    IPtr<IPlugView> view = owned(instance->controller()->createView("editor"));
    ASSERT_TRUE(view);
    editor->onMouseDown(717, 80, kRight);  // LPF
    ASSERT_EQ(handler->requests().size(), 1u);
    EXPECT_EQ(handler->requests()[0].view, view.get());
    ASSERT_TRUE(handler->requests()[0].hasParam);
    EXPECT_EQ(handler->requests()[0].param, Vst::ParamID(kLpf));
    ASSERT_EQ(handler->requests()[0].menu->popups().size(), 1u);
    EXPECT_EQ(handler->requests()[0].menu->popups()[0].x, 717);
    EXPECT_EQ(handler->requests()[0].menu->popups()[0].y, 80);
    EXPECT_TRUE(handler->edits().empty());
    EXPECT_EQ(editor->grabbedControl(), -1);
    EXPECT_EQ(ControlAt(kLpfKnob).value(), 0.0);
}

TEST_F(Panel, OnlyTheVisiblePartOfTheWebLinkCanBeClicked)
{
    editor->onMouseDown(790, 180, kLeft);
    EXPECT_EQ(editor->grabbedControl(), kWebLink);
    editor->onMouseUp(790, 180, kLeft);
    editor->onMouseDown(700, 180, kLeft);
    EXPECT_EQ(editor->grabbedControl(), kBackground);
    editor->onMouseUp(700, 180, kLeft);
    EXPECT_TRUE(handler->edits().empty());
}

TEST_F(Panel, TheFirstTickPaintsEverythingThenOnlyWhatChanged)
{
    EXPECT_TRUE(editor->onFrameTick());
    EXPECT_EQ(editor->dirtyArea(), PixelRect());
    EXPECT_FALSE(editor->onFrameTick());

    // A host value repaints on two consecutive ticks, a drag step on one.
    Automate({{kLowAtten, 0.5}});
    EXPECT_EQ(editor->dirtyArea(), (PixelRect {239, 88, 313, 159}));
    EXPECT_TRUE(editor->onFrameTick());
    EXPECT_TRUE(editor->onFrameTick());
    EXPECT_FALSE(editor->onFrameTick());
    editor->onMouseDown(276, 120, kLeft);
    editor->onMouseDrag(276, 110, kLeft);
    EXPECT_TRUE(editor->onFrameTick());
    EXPECT_FALSE(editor->onFrameTick());
    editor->onMouseUp(276, 110, kLeft);
}

TEST_F(Panel, HostAutomationOfOutReachesItsControlAndFrame)
{
    Frames frames = kDefaultFrames;
    Automate({{kOut, 0.0}});
    EXPECT_EQ(ControlAt(kOutKnob).value(), 0.0);
    EXPECT_EQ(plug->Param(kOut)->Value(), -12.0);
    frames[kOutKnob] = 0;
    ExpectRender(frames, "panel-out-min.png", false);

    Automate({{kOut, 1.0}});
    EXPECT_EQ(plug->Param(kOut)->Value(), 12.0);
    frames[kOutKnob] = 24;
    ExpectRender(frames, "panel-out-max.png", false);
}

TEST_F(Panel, RendersTheDefaultsAsCommitted)
{
    ExpectRender(kDefaultFrames, "panel-defaults.png", true);
}

TEST_F(Panel, RendersMovedKnobsAndSwitchesAsCommitted)
{
    // Normalised values and the frames they show: trunc((frames - 1) * value + 0.5).
    Automate({{kHigh, 0.8}, {kHpf, 0.6}, {kLowBoost, 0.5}, {kLowAtten, 0.3}, {kLpf, 0.7}, {kMid, 0.25},
              {kOut, 0.75}, {kOversample, 0.0}, {kBypass, 1.0}});
    ExpectRender({0, 1, 0, 48, 3, 30, 18, 42, 15, 18}, "panel-moved.png", true);
}

TEST_F(Panel, AKnobAtTheMiddleShowsFrameThirtyOfItsStrip)
{
    const auto render = Render();
    const LICE_MemBitmap* strip = DecodedPicture(3);  // High at its default 0.5
    const LICE_MemBitmap* background = DecodedPicture(0);
    ASSERT_TRUE(strip && background);
    const int frameTop = 30 * 85;
    int opaque = 0, clear = 0;
    for (int y = 0; y < 85; ++y) {
        for (int x = 0; x < 90; ++x) {
            const LICE_pixel source = strip->PixelData()[(frameTop + y) * strip->RowStride() + x];
            const LICE_pixel shown = render->PixelData()[(37 + y) * render->RowStride() + 512 + x];
            const LICE_pixel under = background->PixelData()[(37 + y) * background->RowStride() + 512 + x];
            const LICE_pixel alpha = source >> 24;
            if (alpha == 255) {
                EXPECT_EQ(shown, source) << x << "," << y;
                ++opaque;
            } else if (alpha == 0) {
                EXPECT_EQ(shown, under) << x << "," << y;
                ++clear;
            }
        }
    }
    EXPECT_GT(opaque, 1000);  // the knob itself
    EXPECT_GT(clear, 100);    // the corners around it
}

// The audio thread hands automation to the controls while the user-interface
// thread ticks and turns another knob, with no lock between the controls' values
// and the tick: a thread-sanitizer build checks that they never race.
TEST_F(Panel, AutomationDuringTicksAndGesturesKeepsEveryValue)
{
    constexpr int kRounds = 200;
    std::thread audio([this] {
        for (int i = 0; i < kRounds; ++i) Automate({{kOut, (i % 25) / 24.0}});
        Automate({{kOut, 1.0}});
    });
    for (int i = 0; i < kRounds; ++i) {
        editor->onMouseWheel(557, 80, MouseMods(), i % 2 ? 1 : -1);
        editor->onFrameTick();
    }
    audio.join();
    EXPECT_EQ(ControlAt(kOutKnob).value(), 1.0);
    EXPECT_EQ(plug->Param(kOut)->Value(), 12.0);
    EXPECT_NEAR(ControlAt(kHighKnob).value(), 0.5, 1e-9);
}
