#include "IBitmapControl.h"

#include "IGraphics.h"

IBitmapControl::IBitmapControl(IPlugBase* plug, int x, int y, int paramIndex, const BitmapStrip& strip,
                               BlendKind blend)
    : IControl(plug, strip.rectAt(x, y), paramIndex, BlendSpec {blend, 1.0f}), strip_(strip)
{
}

bool IBitmapControl::draw(IGraphics& graphics)
{
    return graphics.drawStripFrame(strip_, rect(), value(), blend());
}
