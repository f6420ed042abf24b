#pragma once

#include "BlitBitmap.h"
#include "LICE_IFont.h"

#include <cstdint>
#include <vector>

// The platform half of LICE_CachedFont: what a font needs from the system's font
// engine. Each platform folder implements it (GDI on Windows, FreeType natively);
// everything else about text is shared.

// One character rasterised alone: a coverage mask one text line high, its top
// row at the top of the line.
struct RawGlyph {
    int width = 0;    // columns of `coverage`
    int height = 0;   // rows of `coverage`
    int advance = 0;  // how far the pen moves after the character
    int left = 0;     // where column 0 lies relative to the pen
    std::vector<std::uint8_t> coverage; // width x height, rows top to bottom; 255 = full ink
};

// The line height of a font in pixels (the character cell's height); 0 when unknown.
int PlatformFontLineHeight(LICE_FontHandle font);

// Rasterises `code` with `font`. False when the character has no extent at all.
bool PlatformRenderGlyph(LICE_FontHandle font, char32_t code, RawGlyph& glyph);

// Whether the platform can draw text into a bitmap's drawing context at all.
bool PlatformHasTextDrawing();

// Whether the platform's own text drawing is emulated (Wine) and so better left
// alone. Asks the system each time; the caller keeps the answer.
bool PlatformTextIsEmulated();

// A text for the platform's text drawing: wide (UTF-16) when `wide` is set, else narrow.
struct PlatformString {
    const char* narrow;
    int narrowLength;
    const char16_t* wide;
    int wideLength;
};

struct PlatformTextColours {
    LICE_pixel ink;
    LICE_pixel paper;
    int paperMode; // LICE_PaperMode
};

// The platform's text-format flag that shows '&' literally instead of underlining.
constexpr unsigned kTextNoPrefix = 0x800;

// Draws (or with kTextCalcRect measures, writing the extent back to `rect`) the
// text into a drawing context with the platform's own text rendering. Returns
// the text's height, 0 on failure. Only called where PlatformHasTextDrawing().
int PlatformDrawText(void* context, LICE_FontHandle font, const PlatformString& text, LICE_Rect& rect,
                     unsigned flags, const PlatformTextColours& colours);
