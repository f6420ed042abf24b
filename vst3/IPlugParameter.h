#pragma once

#include "PlugParam.h"
#include "public.sdk/source/vst/vstparameters.h"

// Shows one core parameter to the host as an entry of the SDK's parameter
// container. A VST3 normalised value is the core's unit value, so the conversions
// are the parameter's own unit mapping and display text. The core parameter is
// linked, not owned: the core outlives the container.
class IPlugParameter : public Steinberg::Vst::Parameter {
public:
    IPlugParameter(PlugParam* param, Steinberg::Vst::ParamID tag, Steinberg::Vst::UnitID unitId);

    void toString(Steinberg::Vst::ParamValue normalized, Steinberg::Vst::String128 text) const SMTG_OVERRIDE;
    bool fromString(const Steinberg::Vst::TChar* text, Steinberg::Vst::ParamValue& normalized) const SMTG_OVERRIDE;
    Steinberg::Vst::ParamValue toPlain(Steinberg::Vst::ParamValue normalized) const SMTG_OVERRIDE;
    Steinberg::Vst::ParamValue toNormalized(Steinberg::Vst::ParamValue plain) const SMTG_OVERRIDE;

    OBJ_METHODS(IPlugParameter, Parameter)

private:
    PlugParam* param_;
};
