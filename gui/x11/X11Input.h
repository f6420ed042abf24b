#pragma once

#include <cstdint>

#include "InputEvents.h"

// What X input means to the graphics core, kept apart from the window so that it
// can be checked without a display. The meaning is the Win32 window's: the buttons
// held and the modifier keys come with every mouse event, and the keys a control
// can take are space, the arrows, the digits and the letters.

// The buttons and modifier keys of an X event's state field.
MouseMods ModsFromState(unsigned int state);

// The mods of a button press or release. X reports the state before the event, so
// a press does not yet list its own button and a release still does; the core
// expects the buttons held after the event, as Win32 reports them.
MouseMods ModsForButton(unsigned int state, unsigned int button, bool pressed);

// The key a keysym stands for; false for every key the editor leaves to the host.
bool KeyCodeForKeysym(unsigned long keysym, KeyCode& key);

// Tells a double-click from two clicks: a left press counts as the second click of
// a double-click when it comes within kTimeMs of the previous left press and
// within kSlopPixels of it in each direction. The press after a double-click starts
// a new pair, and any other button's press breaks the pair. Times are the server's
// 32-bit millisecond stamps, which wrap around.
class DoubleClickDetector {
public:
    static constexpr std::uint32_t kTimeMs = 500;
    static constexpr int kSlopPixels = 4;

    // A left press; true when it completes a double-click.
    bool leftPress(std::uint32_t time, int x, int y);
    void otherPress() { pending_ = false; }

private:
    bool pending_ = false;
    std::uint32_t time_ = 0;
    int x_ = 0;
    int y_ = 0;
};
