#pragma once

#include "BitmapStrip.h"
#include "IControl.h"

// A picture chosen from a film strip by the control's value. Its rectangle is one
// frame of the strip placed at (x, y).
class IBitmapControl : public IControl {
public:
    IBitmapControl(IPlugBase* plug, int x, int y, int paramIndex, const BitmapStrip& strip,
                   BlendKind blend = kMixAlpha);

    bool draw(IGraphics& graphics) override;
    const BitmapStrip& strip() const { return strip_; }

private:
    BitmapStrip strip_;
};
