#include "PlugParam.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "TextCopy.h"

namespace {

// Truncates toward zero. Values beyond the int range (or NaN) would make the plain
// conversion undefined, so they saturate (NaN gives 0).
int TruncateToInt(double v)
{
    if (std::isnan(v)) return 0;
    if (v >= double(INT_MAX)) return INT_MAX;
    if (v <= double(INT_MIN)) return INT_MIN;
    return int(v);
}

// Fractional digits needed to show multiples of `step`, at most kMaxDecimals.
int DecimalsOfStep(double step)
{
    int decimals = 0;
    for (double x = step; std::floor(x) != x && decimals < PlugParam::kMaxDecimals; x *= 10.0) ++decimals;
    return decimals;
}

}  // namespace

void PlugParam::DefineContinuous(const char* name, double defaultValue, double minimum, double maximum,
                                 double step, const char* label, double curve)
{
    if (kind_ == kUnsetParam) kind_ = kDoubleParam;
    CopyText(name_, name);
    CopyText(label_, label);
    group_[0] = '\0';
    minimum_ = minimum;
    step_ = step;
    defaultValue_ = defaultValue;
    StoreValue(defaultValue);
    // A range narrower than one step is widened upwards to exactly one step.
    maximum_ = std::max(minimum + step, maximum);
    decimals_ = DecimalsOfStep(step);
    if (curve != 0.0) curve_ = curve;
}

void PlugParam::DefineInteger(const char* name, int defaultValue, int minimum, int maximum, const char* label)
{
    if (kind_ == kUnsetParam) kind_ = kIntParam;
    DefineContinuous(name, defaultValue, minimum, maximum, 1.0, label, 1.0);
}

void PlugParam::DefineBool(const char* name, bool defaultValue)
{
    if (kind_ == kUnsetParam) kind_ = kBoolParam;
    DefineInteger(name, defaultValue ? 1 : 0, 0, 1);
}

void PlugParam::DefineEnum(const char* name, int defaultValue, int count)
{
    if (kind_ == kUnsetParam) kind_ = kEnumParam;
    DefineInteger(name, defaultValue, 0, count - 1);
}

void PlugParam::AddValueText(int value, const char* text)
{
    const int count = ValueTextCount();
    valueTexts_.Resize(int32_t(sizeof(ValueText)) * (count + 1), false);
    if (ValueTextCount() != count + 1) return;
    ValueText& entry = valueTexts_.As<ValueText>()[count];
    entry.value = value;
    CopyText(entry.text, text);
}

void PlugParam::SetGroup(const char* group) { CopyText(group_, group); }

void PlugParam::Assign(double v)
{
    if (!std::isfinite(v)) return;
    StoreValue(v < minimum_ ? minimum_ : std::min(v, maximum_));
}

void PlugParam::AssignUnit(double u)
{
    double v = FromUnit(u);
    if (kind_ != kDoubleParam) v = std::floor(v / step_ + 0.5) * step_;
    // Non-finite input, or a curve or step that makes the mapping non-finite, must not
    // poison the record for the life of the instance.
    if (!std::isfinite(v)) return;
    StoreValue(std::min(v, maximum_));
}

double PlugParam::ToUnit(double plain) const
{
    const double bounded = plain < minimum_ ? minimum_ : (plain > maximum_ ? maximum_ : plain);
    return std::pow((bounded - minimum_) / (maximum_ - minimum_), 1.0 / curve_);
}

double PlugParam::FromUnit(double unit) const
{
    return std::pow(unit, curve_) * (maximum_ - minimum_) + minimum_;
}

void PlugParam::FormatPlain(double plain, char* out, size_t size) const
{
    if (size == 0) return;
    if (const char* text = ValueTextFor(plain)) {
        CopyText(out, size, text);
        return;
    }
    if (negateDisplay_) plain = -plain;
    if (decimals_ > 0)
        std::snprintf(out, size, "%.*f", decimals_, plain);
    else
        std::snprintf(out, size, "%d", TruncateToInt(plain));
}

double PlugParam::ParseValue(const char* text) { return text ? std::strtod(text, nullptr) : 0.0; }

int PlugParam::ValueTextCount() const { return valueTexts_.Size() / int32_t(sizeof(ValueText)); }

const ValueText* PlugParam::ValueTextAt(int index) const
{
    return index >= 0 && index < ValueTextCount() ? valueTexts_.As<ValueText>() + index : nullptr;
}

const char* PlugParam::ValueTextFor(double plain) const
{
    if (ValueTextCount() == 0) return nullptr;
    const int n = TruncateToInt(plain);
    for (int i = 0; i < ValueTextCount(); ++i) {
        const ValueText* entry = ValueTextAt(i);
        if (entry->value == n) return entry->text[0] != '\0' ? entry->text : nullptr;
    }
    return nullptr;
}
