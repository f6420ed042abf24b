#pragma once

#include "InputEvents.h"

// What a window system's raw input means to the editor, the same for every window
// layer: each layer describes its events in these terms and leaves the meaning here.

// Buttons and modifiers held during a mouse event, as bits. The values are those of
// the Win32 mouse-message flags; other window systems map their own masks to them.
enum MouseFlag : unsigned {
    kMouseFlagLeft = 0x01,
    kMouseFlagRight = 0x02,
    kMouseFlagShift = 0x04,
    kMouseFlagControl = 0x08,
    kMouseFlagMiddle = 0x10,
};

// The editor's modifiers for a mouse event. Alt is not among the mouse flags; the
// layer reads it from the keyboard.
MouseMods ModsFromMouseFlags(unsigned flags, bool altHeld);

// One wheel step is 120 units of wheel travel. Partial travel counts for nothing:
// the division truncates toward zero, so +60 gives no notch and -120 gives -1.
constexpr int kWheelStep = 120;
constexpr int WheelNotches(int travel) { return travel / kWheelStep; }

// A key press as the layer describes it: one of the named keys, or else the
// character the key stands for (a digit, a letter in either case, a blank, ...).
enum class NamedKey { kNone, kUp, kDown, kLeft, kRight };
struct KeyStroke {
    NamedKey named = NamedKey::kNone;
    char32_t character = 0;  // when named is kNone
};

// The editor's key for a press, or false for a key no control takes (the layer
// then passes it on to the host). Letters map the same in either case.
bool TranslateKey(const KeyStroke& stroke, KeyCode& key);
