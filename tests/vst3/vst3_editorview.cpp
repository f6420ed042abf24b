// The editor view at the binding level: a test plug-in with a fake editor object,
// driven through the view as a host would, with a recording frame and handler.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ContextMenu.h"
#include "FourCC.h"
#include "IPlugVST3.h"
#include "PlugFrame.h"

using namespace Steinberg;
using namespace vorla;

namespace {

// Records the window calls the view makes. It opens windows of one platform type.
class FakeEditor : public IPlugEditor {
public:
    static constexpr const char* kWindowType = "HWND";

    explicit FakeEditor(std::vector<std::string>& log) : log_(log) {}
    void pushParamToControls(int, double, bool) override {}
    void allocateSurface() override {}
    int width() const override { return 796; }
    int height() const override { return 189; }
    bool supportsWindowType(const char* type) const override
    {
        return type && std::string(type) == kWindowType;
    }
    void* attachWindow(void* parent) override
    {
        log_.push_back("attach");
        return refuse ? nullptr : parent;
    }
    void detachWindow() override { log_.push_back("detach"); }
    void setRunLoop(IEditorRunLoop* loop) override { log_.push_back(loop ? "loop" : "no loop"); }

    bool refuse = false;  // no window can be opened

private:
    std::vector<std::string>& log_;
};

class TestPlug : public IPlugVST3 {
public:
    TestPlug() : IPlugVST3("Test", "", "Maker", FourCC("Test"), FourCC("Mkr1"), 0x10000, "2-2", 1, 1) {}
};

class EditorView : public ::testing::Test {
protected:
    ~EditorView() override { plug->release(); }

    IPtr<IPlugView> NewView() { return owned(plug->createView("editor")); }
    FakeEditor* GiveEditor()
    {
        auto* editor = new FakeEditor(log);
        plug->AttachEditor(editor);
        return editor;
    }

    TestPlug* plug = new TestPlug;
    std::vector<std::string> log;
};

}  // namespace

TEST_F(EditorView, ReportsTheEditorSizeBeforeAttachingAndTakesTheEditorsWindowType)
{
    GiveEditor();
    IPtr<IPlugView> view = NewView();
    ViewRect rect(5, 6, 7, 8);
    ASSERT_EQ(view->getSize(&rect), kResultOk);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, 796);
    EXPECT_EQ(rect.bottom, 189);
    EXPECT_EQ(view->getSize(nullptr), kInvalidArgument);

    EXPECT_EQ(view->isPlatformTypeSupported(FakeEditor::kWindowType), kResultTrue);
    for (const char* type : {"HWNDX", "X11EmbedWindowID", ""})
        EXPECT_EQ(view->isPlatformTypeSupported(type), kResultFalse) << type;
    EXPECT_EQ(view->isPlatformTypeSupported(nullptr), kResultFalse);
}

TEST_F(EditorView, AttachOpensTheWindowOnlyForTheEditorsWindowType)
{
    GiveEditor();
    IPtr<IPlugView> view = NewView();
    int parent = 0;
    EXPECT_EQ(view->attached(&parent, FakeEditor::kWindowType), kResultOk);
    EXPECT_EQ(view->removed(), kResultOk);
    // Other window types open nothing but still succeed, and removing such a view
    // closes nothing; a missing parent is refused rather than becoming a window
    // without a parent.
    EXPECT_EQ(view->attached(&parent, "NSView"), kResultOk);
    EXPECT_EQ(view->attached(&parent, nullptr), kResultOk);
    EXPECT_EQ(view->attached(nullptr, FakeEditor::kWindowType), kInvalidArgument);
    EXPECT_EQ(view->removed(), kResultOk);
    EXPECT_EQ(view->attached(&parent, FakeEditor::kWindowType), kResultOk);
    EXPECT_EQ(log, (std::vector<std::string>{"no loop", "attach", "detach", "no loop", "no loop", "no loop",
                                             "attach"}));
}

// The editor belongs to the plug-in, not to a view: a second view that opened no
// window closes nothing when it goes.
TEST_F(EditorView, RemovingAViewThatOpenedNothingLeavesTheOtherViewsWindow)
{
    GiveEditor();
    IPtr<IPlugView> shown = NewView();
    IPtr<IPlugView> probe = NewView();
    int parent = 0;
    EXPECT_EQ(shown->attached(&parent, FakeEditor::kWindowType), kResultOk);
    EXPECT_EQ(probe->attached(&parent, "NSView"), kResultOk);
    EXPECT_EQ(probe->removed(), kResultOk);
    probe = nullptr;
    EXPECT_EQ(std::count(log.begin(), log.end(), "detach"), 0);
    EXPECT_EQ(shown->removed(), kResultOk);
    EXPECT_EQ(std::count(log.begin(), log.end(), "detach"), 1);
}

// The editor gets the frame's loop (none from a frame without one) before its
// window opens and lets go of it after the window closed, also when the window
// cannot open and when the host releases the view without removing it.
TEST_F(EditorView, TheEditorHoldsTheHostsLoopOnlyWhileItsWindowIsOpen)
{
    FakeEditor* editor = GiveEditor();
    IPtr<IPlugView> view = NewView();
    auto frame = owned(new host::PlugFrame);
    view->setFrame(frame);
    int parent = 0;
    editor->refuse = true;
    EXPECT_EQ(view->attached(&parent, FakeEditor::kWindowType), kResultFalse);
    EXPECT_EQ(log, (std::vector<std::string>{"no loop", "attach", "no loop"}));

    log.clear();
    editor->refuse = false;
    EXPECT_EQ(view->attached(&parent, FakeEditor::kWindowType), kResultOk);
    view = nullptr;
    EXPECT_EQ(log, (std::vector<std::string>{"no loop", "attach", "detach", "no loop"}));
}

TEST_F(EditorView, ResizeRequestsGoToTheFirstViewsFrame)
{
    auto frame = owned(new host::PlugFrame);
    plug->EditorResized(10, 20);  // no editor, no view: nothing to reach

    IPtr<IPlugView> first = NewView();
    IPtr<IPlugView> second = NewView();
    plug->EditorResized(10, 20);  // no editor object
    GiveEditor();
    plug->EditorResized(10, 20);  // no frame yet
    second->setFrame(frame);
    plug->EditorResized(10, 20);  // the second view's frame is not asked
    EXPECT_TRUE(frame->resizes().empty());

    first->setFrame(frame);
    plug->EditorResized(300, 120);
    ASSERT_EQ(frame->resizes().size(), 1u);
    EXPECT_EQ(frame->resizes()[0].view, first.get());
    const ViewRect& rect = frame->resizes()[0].size;
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, 300);
    EXPECT_EQ(rect.bottom, 120);

    // Releasing any view empties the list, so no later request reaches a frame.
    second = nullptr;
    plug->EditorResized(400, 100);
    EXPECT_EQ(frame->resizes().size(), 1u);
}

TEST_F(EditorView, ParameterMenusComeFromAHandlerThatOffersThem)
{
    auto plainHandler = owned(new host::ComponentHandler);
    auto menuHandler = owned(new host::ContextMenuHandler);
    plug->setComponentHandler(menuHandler);
    plug->HostParamMenu(0, 1, 2);  // no view yet
    EXPECT_TRUE(menuHandler->requests().empty());

    IPtr<IPlugView> view = NewView();
    plug->setComponentHandler(plainHandler);
    plug->HostParamMenu(0, 1, 2);  // the handler has no menus: nothing happens

    plug->setComponentHandler(menuHandler);
    plug->HostParamMenu(0, 30, 40);
    plug->HostParamMenu(3, 5, 6);
    ASSERT_EQ(menuHandler->requests().size(), 2u);
    const auto& request = menuHandler->requests()[1];
    EXPECT_EQ(request.view, view.get());
    ASSERT_TRUE(request.hasParam);
    EXPECT_EQ(request.param, 3u);
    ASSERT_EQ(request.menu->popups().size(), 1u);
    EXPECT_EQ(request.menu->popups()[0].x, 5);
    EXPECT_EQ(request.menu->popups()[0].y, 6);
    // The plug-in gave its reference back: only the handler's record holds the menu.
    request.menu->addRef();
    EXPECT_EQ(request.menu->release(), 1u);
    plug->setComponentHandler(nullptr);
}
