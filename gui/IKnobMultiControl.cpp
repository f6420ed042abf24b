#include "IKnobMultiControl.h"

#include "IGraphics.h"

IKnobMultiControl::IKnobMultiControl(IPlugBase* plug, int x, int y, int paramIndex, const BitmapStrip& strip,
                                     int dragAxis, double dragScale, BlendKind blend)
    : IKnobControl(plug, strip.rectAt(x, y), paramIndex, dragAxis, dragScale, BlendSpec {blend, 1.0f}),
      strip_(strip)
{
}

bool IKnobMultiControl::draw(IGraphics& graphics)
{
    return graphics.drawStripFrame(strip_, rect(), value(), blend());
}
