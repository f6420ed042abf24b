#include "X11Input.h"

#include "XlibHeaders.h"

#include <cstdlib>

MouseMods ModsFromState(unsigned int state)
{
    MouseMods mods;
    mods.left = (state & Button1Mask) != 0;
    mods.right = (state & Button3Mask) != 0;
    mods.shift = (state & ShiftMask) != 0;
    mods.control = (state & ControlMask) != 0;
    mods.alt = (state & Mod1Mask) != 0;
    return mods;
}

MouseMods ModsForButton(unsigned int state, unsigned int button, bool pressed)
{
    unsigned int mask = 0;
    if (button == Button1) mask = Button1Mask;
    if (button == Button3) mask = Button3Mask;
    return ModsFromState(pressed ? state | mask : state & ~mask);
}

bool KeyCodeForKeysym(unsigned long keysym, KeyCode& key)
{
    int code = -1;
    if (keysym == XK_space) code = kKeySpace;
    else if (keysym == XK_Up) code = kKeyUp;
    else if (keysym == XK_Down) code = kKeyDown;
    else if (keysym == XK_Left) code = kKeyLeft;
    else if (keysym == XK_Right) code = kKeyRight;
    else if (keysym >= XK_0 && keysym <= XK_9) code = int(kKeyDigit0 + (keysym - XK_0));
    else if (keysym >= XK_a && keysym <= XK_z) code = int(kKeyLetterA + (keysym - XK_a));
    else if (keysym >= XK_A && keysym <= XK_Z) code = int(kKeyLetterA + (keysym - XK_A));
    if (code < 0) return false;
    key = KeyCode(code);
    return true;
}

bool DoubleClickDetector::leftPress(std::uint32_t time, int x, int y)
{
    const bool second = pending_ && std::uint32_t(time - time_) <= kTimeMs && std::abs(x - x_) <= kSlopPixels &&
                        std::abs(y - y_) <= kSlopPixels;
    pending_ = !second;
    time_ = time;
    x_ = x;
    y_ = y;
    return second;
}
