#pragma once

#include "BlitBitmap.h"
#include "LICE_CachedFont.h"
#include "LICE_MemBitmap.h"
#include "PlatformFont.h"

#include <gtest/gtest.h>

#include <memory>

namespace text_fixtures {

constexpr LICE_pixel kBackground = 0xFF203040;
constexpr LICE_pixel kBlack = 0xFF000000;

// A plain-memory bitmap filled with one colour, addressed by (x, y).
struct Canvas : LICE_MemBitmap {
    Canvas(int width, int height, LICE_pixel fill = kBackground)
    {
        Resize(width, height);
        Fill(fill);
    }
    void Fill(LICE_pixel fill)
    {
        for (int y = 0; y < Height(); ++y)
            for (int x = 0; x < Width(); ++x) at(x, y) = fill;
    }
    LICE_pixel& at(int x, int y) { return PixelData()[y * RowStride() + x]; }
    LICE_pixel at(int x, int y) const { return PixelData()[y * RowStride() + x]; }
};

inline bool samePixels(const Canvas& a, const Canvas& b)
{
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.at(x, y) != b.at(x, y)) return false;
    return true;
}

// A font made the way the editor makes its fonts: owned handle, flags 0x600.
inline std::unique_ptr<LICE_CachedFont> makeFont(int height, int flags = kFontOwnsHandle | kFontPreferPlatform,
                                                 bool bold = false)
{
    const LICE_FontHandle handle = CreatePlatformFont({"Verdana", height, bold ? 700 : 400, false, 0, 2});
    if (!handle) return nullptr;
    auto font = std::make_unique<LICE_CachedFont>();
    font->AttachFontHandle(handle, flags | kFontOwnsHandle);
    font->SetInkColour(kBlack);
    return font;
}

// The extent the font measures for a text: right and bottom of a measuring call
// on an empty rectangle at the origin, and the call's result.
struct Extent {
    int width;
    int height;
    int result;
};

inline Extent measure(LICE_IFont& font, const char* text, unsigned flags = 0)
{
    LICE_Rect rect = {0, 0, 0, 0};
    const int result = font.RenderText(nullptr, text, -1, &rect, flags | kTextCalcRect);
    return {rect.right, rect.bottom, result};
}

} // namespace text_fixtures
