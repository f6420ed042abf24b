// Prompting for a value: a menu of the parameter's named values, or a text field
// whose committed text becomes the new value.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "IGraphics.h"

namespace {

bool ChoosesFromTexts(const PlugParam& param)
{
    return param.Kind() == kEnumParam || (param.Kind() == kBoolParam && param.ValueTextCount() > 0);
}

// The first value text with exactly this value, or the empty text.
const char* TextOfValue(const PlugParam& param, int value)
{
    for (int i = 0; i < param.ValueTextCount(); ++i)
        if (param.ValueTextAt(i)->value == value) return param.ValueTextAt(i)->text;
    return "";
}

// The value whose text is exactly `text`; 0 when none is.
int ValueOfText(const PlugParam& param, const char* text)
{
    for (int i = 0; i < param.ValueTextCount(); ++i)
        if (std::strcmp(param.ValueTextAt(i)->text, text) == 0) return param.ValueTextAt(i)->value;
    return 0;
}

// The plain value as a text field starts with it: with the parameter's decimals, or
// as a whole number truncated toward zero.
void FormatForEntry(const PlugParam& param, char* out, std::size_t size)
{
    const double value = param.NegateDisplay() ? -param.Value() : param.Value();
    if (param.Decimals() > 0) {
        std::snprintf(out, size, "%.*f", param.Decimals(), value);
        return;
    }
    const double whole = std::trunc(value);
    std::snprintf(out, size, "%.0f", whole == 0.0 ? 0.0 : whole);  // no "-0"
}

}  // namespace

void IGraphics::askForValue(IControl* control, const PlugParam* param, const PixelRect* area)
{
    if (!control || !param || !area) return;
    if (ChoosesFromTexts(*param)) askWithMenu(*control, *param, *area);
    else askWithTextField(*control, *param, *area);
}

void IGraphics::askWithMenu(IControl& control, const PlugParam& param, const PixelRect& area)
{
    char current[PlugParam::kTextSize];
    param.FormatValue(current, sizeof current);
    PopupMenu menu;
    for (int value = 0; value < param.ValueTextCount(); ++value) {
        const char* text = TextOfValue(param, value);
        menu.addItem(text, std::strcmp(text, current) == 0 ? PopupItem::kTicked : 0);
    }
    if (runPopupMenu(menu, area)) control.takeTypedValue(param.ToUnit(menu.chosenIndex));
}

void IGraphics::askWithTextField(IControl& control, const PlugParam& param, const PixelRect& area)
{
    char text[64];
    FormatForEntry(param, text, sizeof text);
    openTextField(&control, control.textStyle(), area, text, &param);
}

void IGraphics::acceptTextField(IControl* control, const PlugParam* param, const char* text)
{
    if (!control) return;
    if (!param) {
        control->takeTypedText(text ? text : "");
        return;
    }
    double value = 0.0;
    if (param->Kind() == kBoolParam || param->Kind() == kEnumParam) {
        value = ValueOfText(*param, text ? text : "");
    } else {
        value = PlugParam::ParseValue(text);
        if (param->NegateDisplay()) value = -value;
    }
    if (std::isnan(value)) return;  // "nan" typed in: nothing to set
    control->takeTypedValue(param->ToUnit(value));
}
