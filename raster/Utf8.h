#pragma once

#include <string>

// One step of UTF-8 decoding: the character and the bytes it took. A byte that
// does not start a well-formed sequence (a stray continuation byte, a truncated,
// overlong or surrogate sequence, a code beyond U+10FFFF) decodes as itself, one
// byte long, with `wellFormed` false: text in a single-byte encoding then still
// shows its characters instead of vanishing.
struct Utf8Step {
    char32_t code;
    int bytes;
    bool wellFormed;
};

// Decodes the character at `p`; `p` < `end`.
Utf8Step DecodeUtf8(const char* p, const char* end);

// True when the text holds at least one well-formed multi-byte character.
bool HasMultiByteUtf8(const char* text, int length);

// Appends one character as UTF-16: one unit, or a surrogate pair beyond U+FFFF.
void AppendUtf16(char32_t code, std::u16string& out);

// Converts well-formed UTF-8 to UTF-16 (surrogate pairs beyond U+FFFF). Returns
// false, leaving `out` unspecified, at the first malformed sequence.
bool Utf8ToUtf16(const char* text, int length, std::u16string& out);
