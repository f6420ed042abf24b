// The built module's editor in real X11 windows, opened as a Linux host opens it:
// createView, setFrame with a frame that lends the host's run loop, and attached
// with a top-level window of the test's own. Pixels are read back from the server
// and compared with the committed golden renders; input is synthesized with XTest
// and must reach the host as the same edits the editor's own gesture tests expect.
// Runs on a virtual display (xvfb-run).
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "ContextMenu.h"
#include "HostWindow.h"
#include "PanelImages.h"
#include "PluginFixture.h"
#include "RunLoopFrame.h"
#include "pluginterfaces/gui/iplugview.h"

using namespace Steinberg;
using namespace vorla;
using namespace paneltest;
using EditKind = host::ComponentHandler::EditKind;

namespace {

constexpr int kWidth = 796;
constexpr int kHeight = 189;
constexpr int kWait = 3000;  // ms; every wait ends as soon as its condition holds

std::vector<Window> ChildrenOf(Display* display, Window window)
{
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    std::vector<Window> result;
    if (XQueryTree(display, window, &root, &parent, &children, &count)) result.assign(children, children + count);
    if (children) XFree(children);
    return result;
}

// The window's pixels as the server holds them, alpha set opaque. The channels
// are read through the visual's masks, so any true-colour layout compares.
std::unique_ptr<LICE_MemBitmap> Capture(Display* display, Window window)
{
    XImage* image = XGetImage(display, window, 0, 0, kWidth, kHeight, AllPlanes, ZPixmap);
    if (!image) return nullptr;
    auto channel = [](unsigned long pixel, unsigned long mask) {
        int shift = 0;
        while (!((mask >> shift) & 1)) ++shift;
        const unsigned long max = mask >> shift;
        return LICE_pixel(((pixel & mask) >> shift) * 255 / max);
    };
    auto bitmap = std::make_unique<LICE_MemBitmap>();
    bitmap->Resize(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            bitmap->PixelData()[y * bitmap->RowStride() + x] = 0xff000000u | channel(p, image->red_mask) << 16 |
                                                              channel(p, image->green_mask) << 8 |
                                                              channel(p, image->blue_mask);
        }
    }
    XDestroyImage(image);
    return bitmap;
}

// The window has no alpha to compare.
constexpr LICE_pixel kColour = 0xffffff;

// One plug-in instance with its view open in a top-level window of its own.
struct OpenEditor {
    std::unique_ptr<host::PluginInstance> plugin = test::PreparedInstance(44100.0, 64, Vst::kSample32);
    IPtr<host::ContextMenuHandler> handler = owned(new host::ContextMenuHandler);
    std::unique_ptr<host::HostWindow> window;
    IPtr<IPlugView> view;

    explicit OpenEditor(IPlugFrame* frame)
    {
        std::string error;
        window = host::HostWindow::open(kWidth, kHeight, "VORLA test host", error);
        if (!window) {
            ADD_FAILURE() << error;
            return;
        }
        plugin->controller()->setComponentHandler(handler);
        view = owned(plugin->controller()->createView("editor"));
        EXPECT_EQ(view->setFrame(frame), kResultOk);
        EXPECT_EQ(view->attached(window->parentHandle(), kPlatformTypeX11EmbedWindowID), kResultOk);
    }
    ~OpenEditor()
    {
        if (view) view->removed();
        view = nullptr;
        plugin->controller()->setComponentHandler(nullptr);
    }

    Display* display() const { return window->display(); }
    // The editor's window: the one child of the host's window.
    Window editorWindow() const
    {
        const std::vector<Window> children = ChildrenOf(display(), window->id());
        return children.size() == 1 ? children[0] : 0;
    }
    std::size_t editorWindows() const { return ChildrenOf(display(), window->id()).size(); }
    double value(int param) const { return plugin->controller()->getParamNormalized(Vst::ParamID(param)); }
};

class X11Editor : public ::testing::Test {
protected:
    void SetUp() override
    {
        editor = std::make_unique<OpenEditor>(frame);
        ASSERT_TRUE(editor->window && editor->editorWindow());
        frame->runFor(100);  // the first ticks
    }

    void ExpectShows(OpenEditor& shown, const std::string& golden, const std::string& capture)
    {
        XSync(shown.display(), False);
        const auto picture = Capture(shown.display(), shown.editorWindow());
        ASSERT_TRUE(picture);
        const std::string path = WriteCapture(*picture, capture);
        const auto expected = ReadGolden(golden);
        ASSERT_TRUE(expected) << golden;
        EXPECT_EQ(CountDifferences(*picture, *expected, kColour), 0) << "see " << path;
    }

    // --- synthesized input at editor coordinates
    void MoveTo(int x, int y)
    {
        int rootX = 0, rootY = 0;
        Window child = 0;
        Display* display = editor->display();
        XTranslateCoordinates(display, editor->editorWindow(), DefaultRootWindow(display), x, y, &rootX, &rootY,
                              &child);
        XTestFakeMotionEvent(display, -1, rootX, rootY, CurrentTime);
    }
    void Button(unsigned int button, bool press) { XTestFakeButtonEvent(editor->display(), button, press, CurrentTime); }
    void Click(int x, int y, unsigned int button = 1)
    {
        MoveTo(x, y);
        Button(button, true);
        Button(button, false);
    }
    void Key(KeySym key, bool press)
    {
        XTestFakeKeyEvent(editor->display(), XKeysymToKeycode(editor->display(), key), press, CurrentTime);
    }
    // Lets the editor handle everything sent so far until the host saw `edits` edits.
    bool HostSees(std::size_t edits)
    {
        XSync(editor->display(), False);
        return frame->runUntil([&] { return editor->handler->edits().size() >= edits; }, kWait);
    }
    const std::vector<host::ComponentHandler::Edit>& Edits() const { return editor->handler->edits(); }
    void ExpectGesture(std::size_t first, int param, double value)
    {
        ASSERT_GE(Edits().size(), first + 3);
        EXPECT_EQ(Edits()[first].kind, EditKind::Begin);
        EXPECT_EQ(Edits()[first + 1].kind, EditKind::Perform);
        EXPECT_NEAR(Edits()[first + 1].value, value, 1e-12);
        EXPECT_EQ(Edits()[first + 2].kind, EditKind::End);
        for (std::size_t i = first; i < first + 3; ++i) EXPECT_EQ(Edits()[i].id, Vst::ParamID(param));
    }

    IPtr<host::RunLoopFrame> frame = owned(new host::RunLoopFrame);
    std::unique_ptr<OpenEditor> editor;
};

}  // namespace

TEST_F(X11Editor, AnEmbeddedChildOfThePanelsSizeShowsTheGoldenPanel)
{
    XWindowAttributes attributes {};
    ASSERT_TRUE(XGetWindowAttributes(editor->display(), editor->editorWindow(), &attributes));
    EXPECT_EQ(attributes.width, kWidth);
    EXPECT_EQ(attributes.height, kHeight);
    EXPECT_EQ(attributes.map_state, IsViewable);

    // XEmbed: version 0, mapped.
    const Atom info = XInternAtom(editor->display(), "_XEMBED_INFO", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    ASSERT_EQ(XGetWindowProperty(editor->display(), editor->editorWindow(), info, 0, 2, False, info, &type, &format,
                                 &count, &after, &data),
              Success);
    ASSERT_EQ(count, 2u);
    EXPECT_EQ(reinterpret_cast<long*>(data)[0], 0);
    EXPECT_EQ(reinterpret_cast<long*>(data)[1], 1);
    XFree(data);

    EXPECT_EQ(frame->timerCount(), 1u);
    EXPECT_EQ(frame->handlerCount(), 1u);
    ExpectShows(*editor, "panel-defaults.png", "x11-panel-defaults.png");
}

TEST_F(X11Editor, HostAutomationReachesTheWindowOnTheNextTicks)
{
    auto changes = owned(new host::ParameterChanges);
    const double values[] = {0.8, 0.6, 0.5, 0.3, 0.7, 0.25, 0.75, 0.0, 1.0};
    for (int param = 0; param < 9; ++param) changes->add(Vst::ParamID(param), 0, values[param]);
    host::AudioBlock block(2, 64, Vst::kSample32);
    test::ProcessBlock(*editor->plugin, block, 64, changes);
    frame->runFor(100);
    ExpectShows(*editor, "panel-moved.png", "x11-panel-moved.png");
}

TEST_F(X11Editor, DraggingAKnobMovesItByTheDistanceOverFourHeights)
{
    // High is 85 pixels high: 34 pixels up are a tenth of its range.
    MoveTo(557, 80);
    Button(1, true);
    MoveTo(557, 46);
    Button(1, false);
    ASSERT_TRUE(HostSees(3));
    ExpectGesture(0, ParamIndex::kHigh, 0.6);
    EXPECT_NEAR(editor->value(ParamIndex::kHigh), 0.6, 1e-12);

    // Mid (99 pixels high) with Shift held: ten times finer.
    Key(XK_Shift_L, true);
    MoveTo(397, 100);
    Button(1, true);
    MoveTo(397, 1);
    Button(1, false);
    Key(XK_Shift_L, false);
    ASSERT_TRUE(HostSees(6));
    ExpectGesture(3, ParamIndex::kMid, 0.525);
}

TEST_F(X11Editor, EachWheelStepIsANotchAndControlMakesItFiner)
{
    MoveTo(276, 123);  // Low Atten, at 0
    for (int i = 0; i < 3; ++i) Click(276, 123, 4);
    ASSERT_TRUE(HostSees(3));
    EXPECT_NEAR(Edits().back().value, 0.03, 1e-12);
    Key(XK_Control_L, true);
    for (int i = 0; i < 3; ++i) Click(276, 123, 4);
    Key(XK_Control_L, false);
    ASSERT_TRUE(HostSees(6));
    EXPECT_NEAR(Edits().back().value, 0.033, 1e-12);
    Click(276, 123, 5);
    ASSERT_TRUE(HostSees(7));
    EXPECT_NEAR(Edits().back().value, 0.023, 1e-12);
    for (const auto& edit : Edits()) {
        EXPECT_EQ(edit.kind, EditKind::Perform);
        EXPECT_EQ(edit.id, Vst::ParamID(ParamIndex::kLowAtten));
    }
}

TEST_F(X11Editor, AClickOnBypassTogglesItAndTheHostSeesTheWholeEdit)
{
    Click(399, 175);
    ASSERT_TRUE(HostSees(3));
    ExpectGesture(0, ParamIndex::kBypass, 1.0);
    EXPECT_EQ(editor->value(ParamIndex::kBypass), 1.0);
}

TEST_F(X11Editor, ADoubleClickRestoresTheKnobsDefault)
{
    MoveTo(557, 80);
    for (int i = 0; i < 20; ++i) Click(557, 80, 4);  // High from 0.5 to 0.7
    ASSERT_TRUE(HostSees(20));
    Click(557, 80);
    Click(557, 80);
    // The first click is a gesture of its own; the second press is the double-click,
    // which sends the default without a begin, and its release ends the gesture.
    ASSERT_TRUE(HostSees(24));
    EXPECT_EQ(Edits()[20].kind, EditKind::Begin);
    EXPECT_EQ(Edits()[21].kind, EditKind::End);
    EXPECT_EQ(Edits()[22].kind, EditKind::Perform);
    EXPECT_EQ(Edits()[22].value, 0.5);
    EXPECT_EQ(Edits()[23].kind, EditKind::End);
    EXPECT_EQ(editor->value(ParamIndex::kHigh), 0.5);
}

TEST_F(X11Editor, ARightClickOnAKnobOpensTheHostsMenuForItsParameter)
{
    Click(717, 80, 3);  // LPF
    XSync(editor->display(), False);
    ASSERT_TRUE(frame->runUntil([&] { return !editor->handler->requests().empty(); }, kWait));
    const auto& request = editor->handler->requests()[0];
    EXPECT_EQ(request.view, editor->view.get());
    ASSERT_TRUE(request.hasParam);
    EXPECT_EQ(request.param, Vst::ParamID(ParamIndex::kLpf));
    ASSERT_EQ(request.menu->popups().size(), 1u);
    EXPECT_EQ(request.menu->popups()[0].x, 717);
    EXPECT_EQ(request.menu->popups()[0].y, 80);
    frame->runFor(50);
    EXPECT_TRUE(Edits().empty());
}

TEST_F(X11Editor, KeysNoControlTakesGoOnToTheHostsWindow)
{
    XSelectInput(editor->display(), editor->window->id(), StructureNotifyMask | KeyPressMask);
    MoveTo(100, 100);
    Key(XK_q, true);
    Key(XK_q, false);
    Key(XK_F1, true);
    Key(XK_F1, false);
    XSync(editor->display(), False);
    std::vector<KeySym> received;
    frame->runUntil(
        [&] {
            XSync(editor->display(), False);
            XEvent event;
            while (XCheckTypedWindowEvent(editor->display(), editor->window->id(), KeyPress, &event))
                received.push_back(XLookupKeysym(&event.xkey, 0));
            return received.size() >= 2;
        },
        kWait);
    EXPECT_EQ(received, (std::vector<KeySym> {XK_q, XK_F1}));
}

TEST_F(X11Editor, TheWebLinkOpensTheProductPageThroughXdgOpen)
{
    // A stand-in for xdg-open first on PATH, which writes down what it was given.
    const std::filesystem::path folder = std::filesystem::path(VORLA_TEST_TEMP) / "fake-xdg-open";
    std::filesystem::create_directories(folder);
    const std::filesystem::path opened = folder / "opened.txt";
    std::filesystem::remove(opened);
    {
        std::ofstream script(folder / "xdg-open");
        script << "#!/bin/sh\nprintf '%s' \"$1\" > \"" << opened.string() << ".tmp\" && mv \"" << opened.string()
               << ".tmp\" \"" << opened.string() << "\"\n";
    }
    std::filesystem::permissions(folder / "xdg-open", std::filesystem::perms::owner_all);
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", (folder.string() + ":" + path).c_str(), 1);
    Click(790, 180);
    XSync(editor->display(), False);
    const bool launched = frame->runUntil([&] { return std::filesystem::exists(opened); }, kWait);
    setenv("PATH", path.c_str(), 1);
    ASSERT_TRUE(launched);
    std::ifstream file(opened);
    const std::string url((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    PFactoryInfo info {};
    ASSERT_EQ(test::Module().factory()->getFactoryInfo(&info), kResultOk);
    EXPECT_EQ(url, info.url);
    EXPECT_TRUE(Edits().empty());
}

TEST_F(X11Editor, ClosesAndReopensLeavingNoWindowTimerOrHandler)
{
    EXPECT_EQ(editor->view->removed(), kResultOk);
    EXPECT_EQ(editor->editorWindows(), 0u);
    EXPECT_TRUE(frame->empty());

    ASSERT_EQ(editor->view->attached(editor->window->parentHandle(), kPlatformTypeX11EmbedWindowID), kResultOk);
    EXPECT_EQ(editor->editorWindows(), 1u);
    frame->runFor(100);
    ExpectShows(*editor, "panel-defaults.png", "x11-panel-reopened.png");
    Click(399, 175);
    ASSERT_TRUE(HostSees(3));
    ExpectGesture(0, ParamIndex::kBypass, 1.0);

    EXPECT_EQ(editor->view->removed(), kResultOk);
    EXPECT_EQ(editor->editorWindows(), 0u);
    EXPECT_TRUE(frame->empty());
}

TEST_F(X11Editor, TwoEditorsRunSideBySideOnOneLoop)
{
    OpenEditor second(frame);
    ASSERT_TRUE(second.editorWindow());
    XMoveWindow(second.display(), second.window->id(), 0, 300);  // both in view
    XSync(second.display(), False);
    EXPECT_EQ(frame->timerCount(), 2u);
    EXPECT_EQ(frame->handlerCount(), 2u);
    frame->runFor(100);
    ExpectShows(*editor, "panel-defaults.png", "x11-panel-first-of-two.png");
    ExpectShows(second, "panel-defaults.png", "x11-panel-second-of-two.png");

    EXPECT_EQ(second.view->removed(), kResultOk);
    EXPECT_EQ(frame->timerCount(), 1u);
    Click(399, 175);  // the first editor still works
    ASSERT_TRUE(HostSees(3));
    EXPECT_TRUE(second.handler->edits().empty());
    EXPECT_EQ(editor->view->removed(), kResultOk);
    EXPECT_TRUE(frame->empty());
}

TEST_F(X11Editor, ReleasingTheViewWithoutRemovedClosesEverything)
{
    editor->view = nullptr;
    EXPECT_EQ(editor->editorWindows(), 0u);
    EXPECT_TRUE(frame->empty());
}

TEST_F(X11Editor, AHostThatDestroysItsWindowFirstCanStillRemoveTheView)
{
    EXPECT_EQ(editor->view->removed(), kResultOk);
    Display* display = editor->display();
    const Window parent = XCreateSimpleWindow(display, editor->window->id(), 0, 0, kWidth, kHeight, 0, 0, 0);
    XMapWindow(display, parent);
    XSync(display, False);
    ASSERT_EQ(editor->view->attached(reinterpret_cast<void*>(parent), kPlatformTypeX11EmbedWindowID), kResultOk);
    MoveTo(557, 80);
    Button(1, true);  // a gesture under way when the window goes
    ASSERT_TRUE(HostSees(1));
    XDestroyWindow(display, parent);
    Button(1, false);
    XSync(display, False);
    frame->runFor(100);
    EXPECT_EQ(editor->view->removed(), kResultOk);
    EXPECT_TRUE(frame->empty());
    ASSERT_EQ(Edits().size(), 2u);  // the gesture ended for the host all the same
    EXPECT_EQ(Edits()[1].kind, EditKind::End);
}

TEST_F(X11Editor, AParentThatIsNoWindowOpensNothing)
{
    EXPECT_EQ(editor->view->removed(), kResultOk);
    Display* display = editor->display();
    const Window gone = XCreateSimpleWindow(display, editor->window->id(), 0, 0, 10, 10, 0, 0, 0);
    XDestroyWindow(display, gone);
    XSync(display, False);
    EXPECT_EQ(editor->view->attached(reinterpret_cast<void*>(gone), kPlatformTypeX11EmbedWindowID), kResultFalse);
    EXPECT_EQ(editor->editorWindows(), 0u);
    EXPECT_TRUE(frame->empty());
}

// A host without a run loop: the window is painted when it opens, and the server
// repaints it from the panel's pixmap when it is exposed again.
TEST(X11EditorWithoutRunLoop, PaintsWhenOpenedAndWhenExposed)
{
    auto plainFrame = owned(new host::PlugFrame);
    OpenEditor editor(plainFrame);
    ASSERT_TRUE(editor.editorWindow());
    XSync(editor.display(), False);
    auto expected = ReadGolden("panel-defaults.png");
    ASSERT_TRUE(expected);
    auto shown = Capture(editor.display(), editor.editorWindow());
    ASSERT_TRUE(shown);
    std::string path = WriteCapture(*shown, "x11-panel-no-loop.png");
    EXPECT_EQ(CountDifferences(*shown, *expected, kColour), 0) << "see " << path;

    XUnmapWindow(editor.display(), editor.window->id());
    XSync(editor.display(), False);
    XMapWindow(editor.display(), editor.window->id());
    XSync(editor.display(), False);
    shown = Capture(editor.display(), editor.editorWindow());
    ASSERT_TRUE(shown);
    path = WriteCapture(*shown, "x11-panel-no-loop-exposed.png");
    EXPECT_EQ(CountDifferences(*shown, *expected, kColour), 0) << "see " << path;
}
