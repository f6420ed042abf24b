#pragma once

#include "base/source/fobject.h"
#include "pluginterfaces/gui/iplugview.h"

#include <vector>

namespace vorla::host {

// The host's frame around a plug-in view. It records every resize a plug-in asks
// for and grants it at once, answering with onSize as a host does.
class PlugFrame : public Steinberg::FObject, public Steinberg::IPlugFrame {
public:
    struct Resize {
        Steinberg::IPlugView* view;
        Steinberg::ViewRect size;
    };

    const std::vector<Resize>& resizes() const { return recorded; }

    Steinberg::tresult PLUGIN_API resizeView(Steinberg::IPlugView* view, Steinberg::ViewRect* newSize) SMTG_OVERRIDE;

    OBJ_METHODS(PlugFrame, FObject)
    DEFINE_INTERFACES
        DEF_INTERFACE(IPlugFrame)
    END_DEFINE_INTERFACES(FObject)
    REFCOUNT_METHODS(FObject)

private:
    std::vector<Resize> recorded;
};

} // namespace vorla::host
