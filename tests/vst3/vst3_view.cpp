// The editor view a host gets from the product: views are made and live by the
// usual rules, report the panel's size and open only a window type the build's
// editor can open (VORLA_EDITOR_WINDOW_TYPE, empty when it opens none).
#include <gtest/gtest.h>

#include <string>

#include "PlugFrame.h"
#include "PluginFixture.h"
#include "pluginterfaces/gui/iplugview.h"

using namespace Steinberg;
using namespace vorla;

namespace {

// The reference count of an object, read the only way a host can.
uint32 ReferenceCount(FUnknown* object)
{
    object->addRef();
    return object->release();
}

class View : public ::testing::Test {
protected:
    std::unique_ptr<host::PluginInstance> plugin = test::NewInstance();
    Vst::IEditController* controller = plugin->controller();
};

}  // namespace

TEST_F(View, MadeOnlyForTheExactNameEditor)
{
    IPtr<IPlugView> view = owned(controller->createView("editor"));
    ASSERT_TRUE(view);
    for (const char* name : {"Editor", "EDITOR", "edito", "editor ", "", "view"})
        EXPECT_EQ(controller->createView(name), nullptr) << name;
    EXPECT_EQ(controller->createView(nullptr), nullptr);

    IPlugView* face = nullptr;
    ASSERT_EQ(view->queryInterface(IPlugView::iid, reinterpret_cast<void**>(&face)), kResultOk);
    EXPECT_EQ(face, view.get());
    face->release();
}

TEST_F(View, ReportsThePanelSizeAndOpensOnlyWhatTheBuildCan)
{
    IPtr<IPlugView> view = owned(controller->createView("editor"));
    ASSERT_TRUE(view);
    ViewRect size(1, 2, 3, 4);
    ASSERT_EQ(view->getSize(&size), kResultOk);
    EXPECT_EQ(size.left, 0);
    EXPECT_EQ(size.top, 0);
    EXPECT_EQ(size.right, 796);
    EXPECT_EQ(size.bottom, 189);

    const std::string buildType = VORLA_EDITOR_WINDOW_TYPE;
    int parentWindow = 0;
    for (FIDString type : {kPlatformTypeHWND, kPlatformTypeX11EmbedWindowID, kPlatformTypeNSView, "HWNDX", ""}) {
        const bool opens = !buildType.empty() && buildType == type;
        EXPECT_EQ(view->isPlatformTypeSupported(type), opens ? kResultTrue : kResultFalse) << type;
        if (opens) continue;
        // A type the editor cannot open opens nothing, and still succeeds.
        EXPECT_EQ(view->attached(&parentWindow, type), kResultOk) << type;
        EXPECT_EQ(view->removed(), kResultOk);
    }
    EXPECT_EQ(view->isPlatformTypeSupported(nullptr), kResultFalse);
    EXPECT_EQ(view->attached(nullptr, nullptr), kInvalidArgument);
    EXPECT_EQ(view->getSize(nullptr), kInvalidArgument);
    EXPECT_EQ(view->removed(), kResultOk);
}

TEST_F(View, HostSizingFrameAndInputCalls)
{
    IPtr<IPlugView> view = owned(controller->createView("editor"));
    ASSERT_TRUE(view);
    ViewRect size(0, 0, 796, 189);
    EXPECT_EQ(view->onSize(nullptr), kResultOk);
    EXPECT_EQ(view->onSize(&size), kResultOk);
    auto frame = owned(new host::PlugFrame());
    EXPECT_EQ(view->setFrame(frame), kResultOk);
    EXPECT_EQ(view->setFrame(nullptr), kResultOk);

    EXPECT_EQ(view->canResize(), kResultFalse);
    EXPECT_EQ(view->checkSizeConstraint(&size), kResultFalse);
    EXPECT_EQ(view->onWheel(1.0f), kResultFalse);
    EXPECT_EQ(view->onKeyDown('a', 0, 0), kResultFalse);
    EXPECT_EQ(view->onKeyUp('a', 0, 0), kResultFalse);
    EXPECT_EQ(view->onFocus(true), kResultFalse);
}

TEST_F(View, HoldsOneReferenceToThePluginWhileItLives)
{
    const uint32 before = ReferenceCount(controller);
    IPlugView* first = controller->createView("editor");
    IPlugView* second = controller->createView("editor");
    ASSERT_TRUE(first && second);
    EXPECT_EQ(ReferenceCount(controller), before + 2);
    // Released in creation order: the first view's end also empties the plug-in's
    // views list, which must not harm the second.
    EXPECT_EQ(first->release(), 0u);
    EXPECT_EQ(ReferenceCount(controller), before + 1);
    EXPECT_EQ(second->release(), 0u);
    EXPECT_EQ(ReferenceCount(controller), before);
}

TEST_F(View, KeepsThePluginAliveAfterTheHostReleasesIt)
{
    IPtr<IPlugView> view = owned(controller->createView("editor"));
    ASSERT_TRUE(view);
    plugin.reset();
    ViewRect size;
    EXPECT_EQ(view->getSize(&size), kResultOk);
    EXPECT_EQ(size.right, 796);
    EXPECT_EQ(view->removed(), kResultOk);
}
