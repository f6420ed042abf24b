#include "Utf8.h"

namespace {

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

Utf8Step single(const char* p, bool wellFormed)
{
    return {char32_t(static_cast<unsigned char>(*p)), 1, wellFormed};
}

} // namespace

Utf8Step DecodeUtf8(const char* p, const char* end)
{
    const unsigned char lead = static_cast<unsigned char>(*p);
    if (lead < 0x80) return single(p, true);

    int length;
    char32_t code;
    char32_t smallest; // below this the sequence is overlong
    if ((lead & 0xE0) == 0xC0) { length = 2; code = lead & 0x1F; smallest = 0x80; }
    else if ((lead & 0xF0) == 0xE0) { length = 3; code = lead & 0x0F; smallest = 0x800; }
    else if ((lead & 0xF8) == 0xF0) { length = 4; code = lead & 0x07; smallest = 0x10000; }
    else return single(p, false);

    if (end - p < length) return single(p, false);
    for (int i = 1; i < length; ++i) {
        const unsigned char byte = static_cast<unsigned char>(p[i]);
        if (!isContinuation(byte)) return single(p, false);
        code = code << 6 | (byte & 0x3F);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (code < smallest || code > 0x10FFFF || surrogate) return single(p, false);
    return {code, length, true};
}

bool HasMultiByteUtf8(const char* text, int length)
{
    const char* end = text + length;
    for (const char* p = text; p < end;) {
        const Utf8Step step = DecodeUtf8(p, end);
        if (step.wellFormed && step.bytes > 1) return true;
        p += step.bytes;
    }
    return false;
}

void AppendUtf16(char32_t code, std::u16string& out)
{
    if (code < 0x10000) {
        out.push_back(char16_t(code));
        return;
    }
    const char32_t offset = code - 0x10000;
    out.push_back(char16_t(0xD800 + (offset >> 10)));
    out.push_back(char16_t(0xDC00 + (offset & 0x3FF)));
}

bool Utf8ToUtf16(const char* text, int length, std::u16string& out)
{
    out.clear();
    const char* end = text + length;
    for (const char* p = text; p < end;) {
        const Utf8Step step = DecodeUtf8(p, end);
        if (!step.wellFormed) return false;
        AppendUtf16(step.code, out);
        p += step.bytes;
    }
    return true;
}
