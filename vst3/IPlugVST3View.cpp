#include "IPlugVST3View.h"

#include "HostCall.h"
#include "HostRunLoop.h"
#include "IPlugVST3.h"

using namespace Steinberg;

IPlugVST3View::IPlugVST3View(IPlugVST3& plug) : plug_(plug) { plug_.addRef(); }

// Closing any view empties the plug-in's whole views list: resize requests and
// context menus then go to no view until the host creates one again, and never to
// a view that is gone. A host that releases the view without removing it first
// still gets the window closed and its run loop emptied.
IPlugVST3View::~IPlugVST3View()
{
    if (openedWindow_) removed();
    plug_.ForgetViews();
    plug_.release();
}

tresult PLUGIN_API IPlugVST3View::isPlatformTypeSupported(FIDString type)
{
    const IPlugEditor* editor = plug_.Editor();
    return editor && editor->supportsWindowType(type) ? kResultTrue : kResultFalse;
}

// A window type the editor cannot open opens nothing, but hosts that probe with
// attached instead of isPlatformTypeSupported expect success all the same. Without
// a parent there is nothing to open the window in, and a window the editor cannot
// open in the parent it was given is a failure.
tresult PLUGIN_API IPlugVST3View::attached(void* parent, FIDString type)
{
    IPlugEditor* editor = plug_.Editor();
    if (!editor) return kResultFalse;
    if (!parent) return kInvalidArgument;
    return HostCall([&] {
        if (editor->supportsWindowType(type) && !OpenWindow(*editor, parent)) return tresult(kResultFalse);
        return CPluginView::attached(parent, type);
    });
}

// The editor moves to the frame's loop before the view gives up the one it held,
// so the editor never holds a loop that is gone.
bool IPlugVST3View::OpenWindow(IPlugEditor& editor, void* parent)
{
    std::unique_ptr<IEditorRunLoop> loop = HostRunLoopOf(plugFrame);
    editor.setRunLoop(loop.get());
    runLoop_ = std::move(loop);
    openedWindow_ = editor.attachWindow(parent) != nullptr;
    if (openedWindow_) return true;
    editor.setRunLoop(nullptr);
    runLoop_.reset();
    return false;
}

// Only a window this view opened is closed: the editor is the plug-in's, and another
// view of the same plug-in may have it open.
tresult PLUGIN_API IPlugVST3View::removed()
{
    const tresult closed = HostCall([this] {
        IPlugEditor* editor = plug_.Editor();
        if (editor && openedWindow_) editor->detachWindow();
        return kResultOk;
    });
    openedWindow_ = false;
    // The host's parent window and its loop are given up whatever the editor did;
    // the editor lets go of the loop first.
    if (IPlugEditor* editor = plug_.Editor()) editor->setRunLoop(nullptr);
    runLoop_.reset();
    CPluginView::removed();
    return closed;
}

// The editor's size is fixed, so it is known before any window opens.
tresult PLUGIN_API IPlugVST3View::getSize(ViewRect* size)
{
    const IPlugEditor* editor = plug_.Editor();
    if (!editor) return kResultFalse;
    if (!size) return kInvalidArgument;
    return HostCall([&] {
        *size = ViewRect(0, 0, editor->width(), editor->height());
        return kResultOk;
    });
}

void IPlugVST3View::RequestSize(int width, int height)
{
    if (!plugFrame) return;
    ViewRect size(0, 0, width, height);
    plugFrame->resizeView(this, &size);
}
