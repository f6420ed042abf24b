#include "PlatformText.h"

#include "NativeFont.h"

#include FT_SYNTHESIS_H

#include <cstddef>
#include <cstdint>

namespace {

// Row r of a FreeType bitmap, whichever way its rows are stored.
const unsigned char* bitmapRow(const FT_Bitmap& bitmap, unsigned r)
{
    const int pitch = bitmap.pitch;
    const unsigned memoryRow = pitch >= 0 ? r : bitmap.rows - 1 - r;
    return bitmap.buffer + std::ptrdiff_t(memoryRow) * (pitch >= 0 ? pitch : -pitch);
}

std::uint8_t coverageAt(const FT_Bitmap& bitmap, const unsigned char* row, unsigned x)
{
    if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) return (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
    return row[x];
}

bool supported(const FT_Bitmap& bitmap)
{
    return bitmap.pixel_mode == FT_PIXEL_MODE_MONO || bitmap.pixel_mode == FT_PIXEL_MODE_GRAY;
}

} // namespace

int PlatformFontLineHeight(LICE_FontHandle handle)
{
    const NativeFont* font = NativeFontFrom(handle);
    return font ? font->lineHeight : 0;
}

bool PlatformRenderGlyph(LICE_FontHandle handle, char32_t code, RawGlyph& glyph)
{
    const NativeFont* font = NativeFontFrom(handle);
    if (!font) return false;
    FT_Face face = font->face;
    if (FT_Load_Char(face, code, font->loadFlags)) return false;
    FT_GlyphSlot slot = face->glyph;
    if (font->oblique) FT_GlyphSlot_Oblique(slot);
    if (font->embolden) FT_GlyphSlot_Embolden(slot);
    if (FT_Render_Glyph(slot, font->renderMode)) return false;

    const FT_Bitmap& bitmap = slot->bitmap;
    const int advance = int((slot->advance.x + 32) >> 6);
    const bool inked = bitmap.width > 0 && bitmap.rows > 0;
    if (advance <= 0 && !inked) return false;
    if (inked && !supported(bitmap)) return false;

    glyph.width = inked ? int(bitmap.width) : 0;
    glyph.height = font->lineHeight;
    glyph.advance = advance;
    glyph.left = inked ? slot->bitmap_left : 0;
    glyph.coverage.assign(std::size_t(glyph.width) * glyph.height, 0);
    for (unsigned r = 0; inked && r < bitmap.rows; ++r) {
        const int y = font->ascender - slot->bitmap_top + int(r);
        if (y < 0 || y >= glyph.height) continue;
        const unsigned char* row = bitmapRow(bitmap, r);
        std::uint8_t* cell = glyph.coverage.data() + std::size_t(y) * glyph.width;
        for (unsigned x = 0; x < bitmap.width; ++x) cell[x] = coverageAt(bitmap, row, x);
    }
    return true;
}

bool PlatformHasTextDrawing()
{
    return false; // the glyph path draws all text here
}

bool PlatformTextIsEmulated()
{
    return false;
}

int PlatformDrawText(void*, LICE_FontHandle, const PlatformString&, LICE_Rect&, unsigned, const PlatformTextColours&)
{
    return 0; // unreachable: PlatformHasTextDrawing() is false
}
