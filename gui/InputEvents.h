#pragma once

// The state of the modifier keys and buttons that comes with a mouse event.
struct MouseMods {
    bool left = false;   // buttons held
    bool right = false;
    bool shift = false;
    bool control = false;
    bool alt = false;
};

// The keys a control can take: space, the four arrows, the digits and the letters.
enum KeyCode : int {
    kKeySpace = 0,
    kKeyUp = 1,
    kKeyDown = 2,
    kKeyLeft = 3,
    kKeyRight = 4,
    kKeyDigit0 = 5,   // ... kKeyDigit0 + 9 is the digit 9
    kKeyLetterA = 15, // ... kKeyLetterA + 25 is the letter Z
    kKeyCodeCount = 41,
};
