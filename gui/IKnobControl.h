#pragma once

#include "IControl.h"

// A knob's gestures: dragging along its axis and turning the mouse wheel. Control
// or Shift make both ten times finer.
class IKnobControl : public IControl {
public:
    enum DragAxis : int { kVertical = 0, kHorizontal = 1 };

    IKnobControl(IPlugBase* plug, const PixelRect& rect, int paramIndex, int dragAxis, double dragScale,
                 const BlendSpec& blend = {});

    // The whole range takes dragScale times the control's length of travel: upward
    // (or rightward) travel raises the value.
    void onMouseDrag(int x, int y, int dx, int dy, const MouseMods& mods) override;
    // Each notch moves the value by 0.01.
    void onMouseWheel(int x, int y, const MouseMods& mods, int notches) override;

private:
    int dragAxis_;
    double dragScale_;
};
