#include "IPlugParameter.h"

#include <cmath>

#include "WideText.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

// A record the product never defined only holds its place in the state. Hosts need
// a title for every parameter, and must neither show nor change this one.
const char kSpareTitle[] = "Spare";
constexpr int32 kSpareFlags = ParameterInfo::kIsReadOnly | ParameterInfo::kIsHidden;

// The default's position as ToUnit gives it, but unclamped: a default outside the
// range is reported as it is.
double DefaultUnitValue(const PlugParam& param)
{
    const double span = param.Maximum() - param.Minimum();
    return std::pow((param.DefaultValue() - param.Minimum()) / span, 1.0 / param.Curve());
}

}  // namespace

IPlugParameter::IPlugParameter(PlugParam* param, ParamID tag, UnitID unitId) : param_(param)
{
    const bool spare = param->Kind() == kUnsetParam;
    WidenText(spare ? kSpareTitle : param->Name(), info.title);
    info.shortTitle[0] = 0;
    WidenText(param->ValueTextFor(param->Value()) ? "" : param->Label(), info.units);
    info.id = tag;
    info.unitId = unitId;
    info.stepCount = param->Kind() == kDoubleParam ? 0 : int32(param->Maximum() - param->Minimum());
    if (spare)
        info.flags = kSpareFlags;
    else
        info.flags = param->Automatable() ? ParameterInfo::kCanAutomate : 0;
    info.defaultNormalizedValue = DefaultUnitValue(*param);
    valueNormalized = info.defaultNormalizedValue;
    precision = param->Decimals();
}

void IPlugParameter::toString(ParamValue normalized, String128 text) const
{
    char plainText[128];
    param_->FormatPlain(param_->FromUnit(normalized), plainText, sizeof plainText);
    WidenText(plainText, text);
}

bool IPlugParameter::fromString(const TChar* text, ParamValue& normalized) const
{
    char plainText[128];
    NarrowText(text, plainText, sizeof plainText);
    // "nan" reads as not-a-number, which carries no number: like a text without
    // one, it means plain 0.
    const double plain = PlugParam::ParseValue(plainText);
    normalized = param_->ToUnit(std::isnan(plain) ? 0.0 : plain);
    return true;
}

ParamValue IPlugParameter::toPlain(ParamValue normalized) const { return param_->FromUnit(normalized); }

ParamValue IPlugParameter::toNormalized(ParamValue plain) const { return param_->ToUnit(plain); }
