#pragma once

#include "BitmapStrip.h"
#include "IKnobControl.h"

// A knob drawn from a film strip: one frame per position, chosen by the value.
class IKnobMultiControl : public IKnobControl {
public:
    IKnobMultiControl(IPlugBase* plug, int x, int y, int paramIndex, const BitmapStrip& strip, int dragAxis,
                      double dragScale, BlendKind blend = kMixAlpha);

    bool draw(IGraphics& graphics) override;
    const BitmapStrip& strip() const { return strip_; }

private:
    BitmapStrip strip_;
};
