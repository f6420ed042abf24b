#pragma once

#include <memory>

#include "IEditorRunLoop.h"
#include "pluginterfaces/gui/iplugview.h"

// The host's run loop behind a view's frame, as the editor's IEditorRunLoop. On
// Linux the frame answers for Steinberg::Linux::IRunLoop; elsewhere, or when the
// host offers none, the result is null. Whatever the editor still has registered
// is unregistered when the result goes, so the host's loop is left as it was found.
std::unique_ptr<IEditorRunLoop> HostRunLoopOf(Steinberg::IPlugFrame* frame);
