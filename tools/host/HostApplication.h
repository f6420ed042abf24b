#pragma once

#include "base/source/fobject.h"
#include "pluginterfaces/vst/ivsthostapplication.h"

#include <string>

namespace vorla::host {

// The host context handed to a plug-in's initialize: it names the host and makes
// no objects for the plug-in.
class HostApplication : public Steinberg::FObject, public Steinberg::Vst::IHostApplication {
public:
    explicit HostApplication(std::string name = "VORLA headless host") : name(std::move(name)) {}

    Steinberg::tresult PLUGIN_API getName(Steinberg::Vst::String128 out) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API createInstance(Steinberg::TUID cid, Steinberg::TUID iid,
                                                 void** obj) SMTG_OVERRIDE;

    OBJ_METHODS(HostApplication, FObject)
    DEFINE_INTERFACES
        DEF_INTERFACE(IHostApplication)
    END_DEFINE_INTERFACES(FObject)
    REFCOUNT_METHODS(FObject)

private:
    std::string name;
};

} // namespace vorla::host
