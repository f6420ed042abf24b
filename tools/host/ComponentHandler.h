#pragma once

#include "base/source/fobject.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <vector>

namespace vorla::host {

// A component handler that records every edit and restart request a plug-in sends.
class ComponentHandler : public Steinberg::FObject, public Steinberg::Vst::IComponentHandler {
public:
    enum class EditKind { Begin, Perform, End };
    struct Edit {
        EditKind kind;
        Steinberg::Vst::ParamID id;
        double value; // the normalised value of a perform; 0 otherwise
    };

    const std::vector<Edit>& edits() const { return recorded; }
    const std::vector<Steinberg::int32>& restarts() const { return restartFlags; }

    Steinberg::tresult PLUGIN_API beginEdit(Steinberg::Vst::ParamID id) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API performEdit(Steinberg::Vst::ParamID id,
                                              Steinberg::Vst::ParamValue value) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API endEdit(Steinberg::Vst::ParamID id) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API restartComponent(Steinberg::int32 flags) SMTG_OVERRIDE;

    OBJ_METHODS(ComponentHandler, FObject)
    DEFINE_INTERFACES
        DEF_INTERFACE(IComponentHandler)
    END_DEFINE_INTERFACES(FObject)
    REFCOUNT_METHODS(FObject)

private:
    std::vector<Edit> recorded;
    std::vector<Steinberg::int32> restartFlags;
};

} // namespace vorla::host
