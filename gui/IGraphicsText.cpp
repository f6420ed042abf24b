// Text in the editor: drawing a label into the surface and measuring one.
#include "IGraphics.h"

#include "FontCache.h"

namespace {
constexpr int kOpaque = 255;

// The middle of a span, rounded down also left of the origin.
int32_t FloorMiddle(int32_t a, int32_t b)
{
    const int64_t sum = int64_t(a) + b;
    return int32_t(sum >= 0 ? sum / 2 : -((1 - sum) / 2));
}
}  // namespace

bool IGraphics::textExtent(TextStyle& style, const char* text, PixelRect& area)
{
    return renderLabel(style, text, area, true);
}

bool IGraphics::renderLabel(TextStyle& style, const char* text, PixelRect& area, bool measureOnly)
{
    if (!text || !*text) return true;
    LICE_IFont* font = style.cachedFont ? style.cachedFont : SharedFontCache().fontFor(style);
    if (!font) return false;
    font->SetInkColour(style.color.pixel());

    // The raster library uses the ink's alpha only on its glyph path.
    unsigned flags = kTextNoClip | (style.color.alpha == kOpaque ? 0u : unsigned(kTextInkHasAlpha));
    if (style.align == TextStyle::kAlignCenter) flags |= kTextCenter;
    else if (style.align != TextStyle::kAlignLeft) flags |= kTextRight;

    if (!measureOnly) {
        LICE_Rect rect = {area.left, area.top, area.right, area.bottom};
        font->RenderText(surface(), text, -1, &rect, flags);
        return true;
    }
    LICE_Rect extent = {0, 0, 0, 0};
    font->RenderText(nullptr, text, -1, &extent, flags | kTextCalcRect);
    const int textWidth = extent.right - extent.left;
    const int textHeight = extent.bottom - extent.top;
    switch (style.align) {
    case TextStyle::kAlignLeft: break;
    case TextStyle::kAlignCenter: area.left = FloorMiddle(area.left, area.right) - textWidth / 2; break;
    default: area.left = area.right - textWidth; break;
    }
    area.right = area.left + textWidth;
    area.bottom = area.top + textHeight;
    return true;
}
