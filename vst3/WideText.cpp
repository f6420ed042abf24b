#include "WideText.h"

void WidenText(const char* text, Steinberg::Vst::String128 out)
{
    size_t i = 0;
    for (; text && text[i] != '\0' && i < 127; ++i)
        out[i] = Steinberg::Vst::TChar(static_cast<unsigned char>(text[i]));
    out[i] = 0;
}

void NarrowText(const Steinberg::Vst::TChar* text, char* out, size_t capacity)
{
    if (capacity == 0) return;
    size_t i = 0;
    for (; text && text[i] != 0 && i + 1 < capacity; ++i) out[i] = char(text[i] & 0xFF);
    out[i] = '\0';
}
