#pragma once

#include "base/source/fobject.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"

#include <memory>
#include <utility>
#include <vector>

namespace vorla::host {

// The automation points of one parameter within one block.
class ParamValueQueue : public Steinberg::FObject, public Steinberg::Vst::IParamValueQueue {
public:
    explicit ParamValueQueue(Steinberg::Vst::ParamID id) : id(id) {}

    Steinberg::Vst::ParamID PLUGIN_API getParameterId() SMTG_OVERRIDE { return id; }
    Steinberg::int32 PLUGIN_API getPointCount() SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API getPoint(Steinberg::int32 index, Steinberg::int32& sampleOffset,
                                           Steinberg::Vst::ParamValue& value) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API addPoint(Steinberg::int32 sampleOffset, Steinberg::Vst::ParamValue value,
                                           Steinberg::int32& index) SMTG_OVERRIDE;

    OBJ_METHODS(ParamValueQueue, FObject)
    DEFINE_INTERFACES
        DEF_INTERFACE(IParamValueQueue)
    END_DEFINE_INTERFACES(FObject)
    REFCOUNT_METHODS(FObject)

private:
    Steinberg::Vst::ParamID id;
    std::vector<std::pair<Steinberg::int32, Steinberg::Vst::ParamValue>> points;
};

// The parameter changes that travel with one process call, one queue per parameter.
class ParameterChanges : public Steinberg::FObject, public Steinberg::Vst::IParameterChanges {
public:
    // Adds a point for the parameter, creating its queue on first use.
    void add(Steinberg::Vst::ParamID id, Steinberg::int32 sampleOffset, double value);
    void clear() { queues.clear(); }

    Steinberg::int32 PLUGIN_API getParameterCount() SMTG_OVERRIDE;
    Steinberg::Vst::IParamValueQueue* PLUGIN_API getParameterData(Steinberg::int32 index) SMTG_OVERRIDE;
    Steinberg::Vst::IParamValueQueue* PLUGIN_API addParameterData(const Steinberg::Vst::ParamID& id,
                                                                  Steinberg::int32& index) SMTG_OVERRIDE;

    OBJ_METHODS(ParameterChanges, FObject)
    DEFINE_INTERFACES
        DEF_INTERFACE(IParameterChanges)
    END_DEFINE_INTERFACES(FObject)
    REFCOUNT_METHODS(FObject)

private:
    std::vector<Steinberg::IPtr<ParamValueQueue>> queues;
};

} // namespace vorla::host
