#pragma once

#include <memory>

#include "IEditorRunLoop.h"
#include "public.sdk/source/common/pluginview.h"

class IPlugEditor;
class IPlugVST3;

// The host's view of the editor. The editor object belongs to the plug-in core and
// lives as long as the plug-in; the view only opens and closes its window inside
// the host's parent window and reports its fixed size. Without an editor object the
// view still exists, but answers kResultFalse where it would need one.
//
// The view holds one reference to its plug-in, so the plug-in outlives every view.
// All operations run on the host's user-interface thread. Where the host owns the
// run loop (Linux), the view lends the loop of the frame it was given to the editor
// while the window is open, and takes it back, with everything the editor
// registered on it, when the window closes or the view goes.
class IPlugVST3View : public Steinberg::CPluginView {
public:
    explicit IPlugVST3View(IPlugVST3& plug);
    ~IPlugVST3View() override;

    Steinberg::tresult PLUGIN_API isPlatformTypeSupported(Steinberg::FIDString type) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API attached(void* parent, Steinberg::FIDString type) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API removed() SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API getSize(Steinberg::ViewRect* size) SMTG_OVERRIDE;

    // Asks the host's frame, once one is set, to give the view this size.
    void RequestSize(int width, int height);

    OBJ_METHODS(IPlugVST3View, CPluginView)

private:
    // Lends the frame's run loop to the editor and opens its window; false when
    // no window opened.
    bool OpenWindow(IPlugEditor& editor, void* parent);

    IPlugVST3& plug_;
    std::unique_ptr<IEditorRunLoop> runLoop_;
    bool openedWindow_ = false;
};
