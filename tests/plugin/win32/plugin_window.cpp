// The product's editor in a real window under Wine, opened as a host opens it: the
// module's factory makes the plug-in, the host asks for the "editor" view, gives it
// a frame and attaches it to a top-level window of its own as "HWND". What the
// window shows is read back from the screen and held to the committed renders;
// synthesized messages edit parameters through the host's component handler.
#include <gtest/gtest.h>

#include "AudioBlock.h"
#include "ContextMenu.h"
#include "HostApplication.h"
#include "IGraphicsWin.h"
#include "PanelImages.h"
#include "ParameterChanges.h"
#include "PlugFrame.h"
#include "PluginInstance.h"
#include "WindowTestSupport.h"
#include "pluginterfaces/gui/iplugview.h"

using namespace Steinberg;
using namespace vorla;
using EditKind = host::ComponentHandler::EditKind;

namespace {

enum Param { kHigh, kHpf, kLowBoost, kLowAtten, kLpf, kMid, kOut, kOversample, kBypass };

class RecordingLauncher : public BrowserLauncher {
public:
    explicit RecordingLauncher(std::vector<std::string>& opened) : opened_(opened) {}
    bool openPage(void*, const char* url) override
    {
        opened_.push_back(url);
        return true;
    }

private:
    std::vector<std::string>& opened_;
};

// One plug-in instance of the module with its host: handler, frame and window.
struct HostedPlugin {
    HostedPlugin(IPluginFactory* factory, int screenX)
        : window(796, 189, screenX, 0)
    {
        std::string error;
        instance = host::PluginInstance::createFirstEffect(factory, error);
        if (!instance) {
            ADD_FAILURE() << error;
            std::abort();
        }
        auto context = owned(new host::HostApplication("Window test host"));
        EXPECT_EQ(instance->initialize(static_cast<Vst::IHostApplication*>(context.get())), kResultOk);
        EXPECT_EQ(instance->prepare(44100.0, 64, Vst::kSample32, 2), kResultOk);
        instance->controller()->setComponentHandler(handler);
        editor = dynamic_cast<IGraphicsWin*>(dynamic_cast<IPlugBase&>(*instance->controller()).Editor());
        if (!editor) {
            ADD_FAILURE() << "the product's editor is not the Win32 one";
            std::abort();
        }
    }
    ~HostedPlugin()
    {
        view = nullptr;
        instance->controller()->setComponentHandler(nullptr);
    }

    // Opens the editor view in the host's window; the editor's window.
    HWND Open()
    {
        view = owned(instance->controller()->createView("editor"));
        EXPECT_TRUE(view);
        EXPECT_EQ(view->setFrame(frame), kResultOk);
        EXPECT_EQ(view->isPlatformTypeSupported(kPlatformTypeHWND), kResultTrue);
        EXPECT_EQ(view->attached(window.handle(), kPlatformTypeHWND), kResultOk);
        return static_cast<HWND>(editor->windowHandle());
    }

    wintest::HostWindow window;
    IPtr<host::ContextMenuHandler> handler = owned(new host::ContextMenuHandler);
    IPtr<host::PlugFrame> frame = owned(new host::PlugFrame);
    std::unique_ptr<host::PluginInstance> instance;
    IPtr<IPlugView> view;
    IGraphicsWin* editor = nullptr;
};

class PanelWindow : public ::testing::Test {
protected:
    LRESULT Send(UINT message, WPARAM wParam, int x, int y)
    {
        return SendMessageA(window, message, wParam, MAKELPARAM(x, y));
    }
    void Tick() { SendMessageA(window, WM_TIMER, IGraphicsWin::kFrameTimerId, 0); }
    // Compares what the window shows with a committed render and keeps a capture.
    void ExpectShown(const std::string& golden)
    {
        const auto shown = wintest::CaptureWindow(window);
        const std::string capture = paneltest::WriteCapture(*shown, "window-" + golden);
        const auto committed = paneltest::ReadGolden(golden);
        ASSERT_TRUE(committed) << golden;
        EXPECT_EQ(paneltest::CountDifferences(*shown, *committed), 0) << "see " << capture;
    }

    IPtr<IPluginFactory> factory = owned(GetPluginFactory());
    HostedPlugin plugin {factory, 0};
    HWND window = plugin.Open();
};

}  // namespace

TEST_F(PanelWindow, TheFirstTickPaintsTheWholePanelAsCommitted)
{
    ASSERT_TRUE(window);
    EXPECT_EQ(GetParent(window), plugin.window.handle());
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 796);
    EXPECT_EQ(client.bottom, 189);
    Tick();
    EXPECT_TRUE(plugin.editor->dirtyArea().isEmpty());
    ExpectShown("panel-defaults.png");
}

TEST_F(PanelWindow, HostAutomationShowsOnTheFollowingTicks)
{
    host::AudioBlock block {2, 64, Vst::kSample32};
    auto changes = owned(new host::ParameterChanges);
    for (const auto& [param, value] : {std::pair {kHigh, 0.8}, {kHpf, 0.6}, {kLowBoost, 0.5}, {kLowAtten, 0.3},
                                       {kLpf, 0.7}, {kMid, 0.25}, {kOut, 0.75}, {kOversample, 0.0}, {kBypass, 1.0}})
        changes->add(Vst::ParamID(param), 0, value);
    EXPECT_EQ(plugin.instance->process(block.processData(64, changes)), kResultOk);
    EXPECT_TRUE(wintest::PumpUntil([&] { return plugin.editor->dirtyArea().isEmpty(); }));
    ExpectShown("panel-moved.png");
}

TEST_F(PanelWindow, MouseMessagesEditParametersThroughTheHostsHandler)
{
    const auto& edits = plugin.handler->edits();
    // High is 85 pixels high: 34 pixels of upward travel are a tenth of its range.
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 557, 80);
    Send(WM_MOUSEMOVE, MK_LBUTTON, 557, 46);
    Send(WM_LBUTTONUP, 0, 557, 46);
    ASSERT_EQ(edits.size(), 3u);
    EXPECT_EQ(edits[0].kind, EditKind::Begin);
    EXPECT_EQ(edits[1].kind, EditKind::Perform);
    EXPECT_NEAR(edits[1].value, 0.6, 1e-12);
    EXPECT_EQ(edits[2].kind, EditKind::End);
    for (const auto& edit : edits) EXPECT_EQ(edit.id, Vst::ParamID(kHigh));

    // A double-click restores the default without a begin; its release ends.
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, 557, 80);
    Send(WM_LBUTTONUP, 0, 557, 80);
    ASSERT_EQ(edits.size(), 5u);
    EXPECT_EQ(edits[3].kind, EditKind::Perform);
    EXPECT_EQ(edits[3].value, 0.5);
    EXPECT_EQ(edits[4].kind, EditKind::End);

    // Three notches on Mid; the wheel reports screen coordinates.
    RECT screen;
    GetWindowRect(window, &screen);
    SendMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(0, 360), MAKELPARAM(screen.left + 397, screen.top + 85));
    ASSERT_EQ(edits.size(), 6u);
    EXPECT_EQ(edits[5].id, Vst::ParamID(kMid));
    EXPECT_NEAR(edits[5].value, 0.53, 1e-12);

    // A right press on LPF asks the host for its menu there; nothing is edited.
    Send(WM_RBUTTONDOWN, MK_RBUTTON, 717, 80);
    ASSERT_EQ(plugin.handler->requests().size(), 1u);
    const auto& request = plugin.handler->requests()[0];
    EXPECT_EQ(request.view, plugin.view.get());
    EXPECT_EQ(request.param, Vst::ParamID(kLpf));
    ASSERT_EQ(request.menu->popups().size(), 1u);
    EXPECT_EQ(request.menu->popups()[0].x, 717);
    EXPECT_EQ(request.menu->popups()[0].y, 80);
    EXPECT_EQ(edits.size(), 6u);

    // No control takes keys: the host's window sees them.
    Send(WM_KEYDOWN, 'Q', 0, 1);
    EXPECT_EQ(plugin.window.keys(), std::vector<std::string> {"keydown 81"});
}

TEST_F(PanelWindow, AClickOnTheWebLinkHandsTheProductPageToTheLauncher)
{
    std::vector<std::string> opened;
    plugin.editor->setBrowserLauncher(std::make_unique<RecordingLauncher>(opened));
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 790, 180);
    Send(WM_LBUTTONUP, 0, 790, 180);
    PFactoryInfo info {};
    ASSERT_EQ(factory->getFactoryInfo(&info), kResultOk);
    EXPECT_EQ(opened, std::vector<std::string> {info.url});
    EXPECT_TRUE(plugin.handler->edits().empty());
}

TEST_F(PanelWindow, RemovedClosesTheWindowAndASecondAttachReopensIt)
{
    EXPECT_EQ(plugin.view->removed(), kResultOk);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(plugin.editor->hasWindow());
    EXPECT_FALSE(wintest::EditorClassRegistered());

    EXPECT_EQ(plugin.view->attached(plugin.window.handle(), kPlatformTypeHWND), kResultOk);
    window = static_cast<HWND>(plugin.editor->windowHandle());
    ASSERT_TRUE(IsWindow(window));
    Tick();
    ExpectShown("panel-defaults.png");
}

TEST_F(PanelWindow, AViewReleasedWithoutRemovedLeavesNoWindowTimerOrClass)
{
    plugin.view = nullptr;
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(plugin.editor->hasWindow());
    EXPECT_FALSE(wintest::EditorClassRegistered());
    wintest::PumpFor(100);
    MSG timer;
    EXPECT_FALSE(PeekMessageA(&timer, nullptr, WM_TIMER, WM_TIMER, PM_NOREMOVE));
}

TEST_F(PanelWindow, TwoEditorsShareTheWindowClassUntilTheLastCloses)
{
    HostedPlugin second(factory, 800);
    const HWND other = second.Open();
    ASSERT_TRUE(other);
    EXPECT_NE(other, window);
    EXPECT_EQ(plugin.view->removed(), kResultOk);
    EXPECT_TRUE(wintest::EditorClassRegistered());
    second.view = nullptr;
    EXPECT_FALSE(wintest::EditorClassRegistered());
}

TEST_F(PanelWindow, AttachingToSomethingThatIsNoWindowFails)
{
    EXPECT_EQ(plugin.view->removed(), kResultOk);
    const auto notAWindow = reinterpret_cast<void*>(INT_PTR(0x7ffe1234));
    EXPECT_EQ(plugin.view->attached(notAWindow, kPlatformTypeHWND), kResultFalse);
    EXPECT_FALSE(wintest::EditorClassRegistered());
}
