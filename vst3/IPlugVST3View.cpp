#include "IPlugVST3View.h"

#include "HostCall.h"
#include "IPlugVST3.h"

using namespace Steinberg;

IPlugVST3View::IPlugVST3View(IPlugVST3& plug) : plug_(plug) { plug_.addRef(); }

// Closing any view empties the plug-in's whole views list: resize requests and
// context menus then go to no view until the host creates one again, and never to
// a view that is gone.
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
// a parent there is nothing to open the window in, and a window the system would not
// make is reported as the failure it is.
tresult PLUGIN_API IPlugVST3View::attached(void* parent, FIDString type)
{
    IPlugEditor* editor = plug_.Editor();
    if (!editor) return kResultFalse;
    if (!parent) return kInvalidArgument;
    return HostCall([&]() -> tresult {
        if (editor->supportsWindowType(type)) {
            openedWindow_ = editor->attachWindow(parent) != nullptr;
            if (!openedWindow_) return kResultFalse;
        }
        return CPluginView::attached(parent, type);
    });
}

tresult PLUGIN_API IPlugVST3View::removed()
{
    const tresult closed = HostCall([this] {
        if (IPlugEditor* editor = plug_.Editor()) editor->detachWindow();
        return kResultOk;
    });
    openedWindow_ = false;
    // The host's parent window is forgotten whatever the editor did.
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
