#pragma once

#include "IBitmapControl.h"

// A film strip that steps to its next frame on each click and wraps to the first
// after the last: a two-frame switch alternates 0 and 1. A double-click is a second
// click.
class ISwitchControl : public IBitmapControl {
public:
    using IBitmapControl::IBitmapControl;

    void onMouseDown(int x, int y, const MouseMods& mods) override;
    void onMouseDblClick(int x, int y, const MouseMods& mods) override { onMouseDown(x, y, mods); }
};
