#include "WindowInput.h"

MouseMods ModsFromMouseFlags(unsigned flags, bool altHeld)
{
    MouseMods mods;
    mods.left = (flags & kMouseFlagLeft) != 0;
    mods.right = (flags & kMouseFlagRight) != 0;
    mods.shift = (flags & kMouseFlagShift) != 0;
    mods.control = (flags & kMouseFlagControl) != 0;
    mods.alt = altHeld;
    return mods;
}

namespace {

bool TranslateNamedKey(NamedKey named, KeyCode& key)
{
    switch (named) {
    case NamedKey::kUp: key = kKeyUp; return true;
    case NamedKey::kDown: key = kKeyDown; return true;
    case NamedKey::kLeft: key = kKeyLeft; return true;
    case NamedKey::kRight: key = kKeyRight; return true;
    case NamedKey::kNone: break;
    }
    return false;
}

bool TranslateCharacter(char32_t c, KeyCode& key)
{
    if (c == U' ') key = kKeySpace;
    else if (c >= U'0' && c <= U'9') key = KeyCode(kKeyDigit0 + int(c - U'0'));
    else if (c >= U'A' && c <= U'Z') key = KeyCode(kKeyLetterA + int(c - U'A'));
    else if (c >= U'a' && c <= U'z') key = KeyCode(kKeyLetterA + int(c - U'a'));
    else return false;
    return true;
}

}  // namespace

bool TranslateKey(const KeyStroke& stroke, KeyCode& key)
{
    if (stroke.named != NamedKey::kNone) return TranslateNamedKey(stroke.named, key);
    return TranslateCharacter(stroke.character, key);
}
