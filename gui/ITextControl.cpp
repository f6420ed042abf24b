#include "ITextControl.h"

#include "IGraphics.h"

ITextControl::ITextControl(IPlugBase* plug, const PixelRect& rect, const char* text)
    : IControl(plug, rect), text_(text ? text : "")
{
}

void ITextControl::setText(const char* text)
{
    const char* newText = text ? text : "";
    if (text_ == newText) return;
    text_ = newText;
    markChanged(false);
}

bool ITextControl::draw(IGraphics& graphics)
{
    PixelRect area = rect();
    return graphics.renderLabel(textStyle(), text_.c_str(), area, false);
}
