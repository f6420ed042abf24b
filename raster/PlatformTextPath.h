#pragma once

#include "BlitBitmap.h"
#include "PlatformText.h"

// What the platform's text drawing needs of a font.
struct PlatformTextStyle {
    LICE_FontHandle font;
    PlatformTextColours colours;
    int lineHeight;
    float opacity; // of the copy back, for destinations without a drawing context
};

// Draws or measures text with the platform's own text rendering. UTF-8 text that
// holds a multi-byte character goes to the platform as UTF-16, other text (and
// text that is not valid UTF-8) as it is. A destination with a drawing context is
// drawn into directly; one without (or none, for measuring) goes through the
// shared text scratch bitmap. Returns the text's height, 0 when nothing was drawn.
int DrawPlatformText(LICE_IBitmap* dest, const char* text, int length, LICE_Rect& rect, unsigned flags,
                     const PlatformTextStyle& style);
