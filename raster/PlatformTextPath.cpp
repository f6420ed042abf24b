#include "PlatformTextPath.h"

#include "FontSharedState.h"
#include "TextGeometry.h"
#include "Utf8.h"

#include <algorithm>
#include <string>

using namespace TextGeometry;

namespace {

constexpr unsigned kHorizontalAlignment = kTextCenter | kTextRight;
constexpr unsigned kVerticalAlignment = kTextVCenter | kTextBottom;

// The text as the platform takes it; owns the UTF-16 form when there is one.
class TextForPlatform {
public:
    TextForPlatform(const char* text, int length)
        : string_{text, length, nullptr, 0}
    {
        if (HasMultiByteUtf8(text, length) && Utf8ToUtf16(text, length, wide_)) {
            string_.wide = wide_.data();
            string_.wideLength = int(wide_.size());
        }
    }
    TextForPlatform(const TextForPlatform&) = delete;
    TextForPlatform& operator=(const TextForPlatform&) = delete;
    const PlatformString& string() const { return string_; }

private:
    std::u16string wide_;
    PlatformString string_;
};

// Room left of the text for glyphs that reach back past the pen (italics).
int leftMargin(int lineHeight)
{
    return lineHeight < 16 ? 2 : lineHeight / 16 + 2;
}

// For destinations without a drawing context: measure in the scratch bitmap, copy
// the destination's pixels under the text into it, draw there, and copy them back
// with the font's opacity.
int drawThroughScratch(LICE_IBitmap* dest, const PlatformString& text, LICE_Rect& rect, unsigned flags,
                       const PlatformTextStyle& style)
{
    LICE_SysBitmap& scratch = FontShared::TextScratch(0, 0);
    if (!scratch.DrawContext()) return 0;

    LICE_Rect extent = {0, 0, 0, 0};
    const unsigned measureFlags = (flags & ~(kHorizontalAlignment | kVerticalAlignment)) | kTextCalcRect;
    const int measured = PlatformDrawText(scratch.DrawContext(), style.font, text, extent, measureFlags, style.colours);
    if (!Placeable(extent)) return 0;
    const int width = extent.right - extent.left, height = extent.bottom - extent.top;
    if (flags & kTextCalcRect) {
        rect.right = rect.left + width;
        rect.bottom = rect.top + height;
        return measured;
    }
    if (!dest || !dest->PixelData()) return 0;

    const int x = AlignedStart(rect.left, rect.right, width, flags & kTextCenter, flags & kTextRight);
    const int y = AlignedStart(rect.top, rect.bottom, height, flags & kTextVCenter, flags & kTextBottom);
    LICE_Rect area = Intersection({x, y, x + width, y + height}, Bounds(*dest));
    if (!(flags & kTextNoClip)) area = Intersection(area, rect);
    if (IsEmpty(area)) return 0;
    area.left -= std::max(0, std::min(leftMargin(style.lineHeight), area.left));

    const int areaWidth = area.right - area.left, areaHeight = area.bottom - area.top;
    FontShared::TextScratch(areaWidth, areaHeight);
    if (scratch.Width() < areaWidth || scratch.Height() < areaHeight) return 0;
    BlitBitmap(&scratch, dest, 0, 0, &area, 1.0f, kBlitCopy);

    // The text box is exactly the measured extent, so only horizontal alignment
    // (of lines within the box) still matters; clipping was done by the area.
    LICE_Rect box = {x - area.left, y - area.top, x - area.left + width, y - area.top + height};
    const unsigned drawFlags = (flags & ~(kVerticalAlignment | kTextCalcRect)) | kTextNoClip;
    const int drawn = PlatformDrawText(scratch.DrawContext(), style.font, text, box, drawFlags, style.colours);

    const LICE_Rect scratchArea = {0, 0, areaWidth, areaHeight};
    BlitBitmap(dest, &scratch, area.left, area.top, &scratchArea, style.opacity, kBlitCopy);
    return drawn;
}

} // namespace

int DrawPlatformText(LICE_IBitmap* dest, const char* text, int length, LICE_Rect& rect, unsigned flags,
                     const PlatformTextStyle& style)
{
    if (!style.font) return 0;
    const TextForPlatform platformText(text, length);
    flags |= kTextNoPrefix;
    if (dest && dest->DrawContext())
        return PlatformDrawText(dest->DrawContext(), style.font, platformText.string(), rect, flags, style.colours);
    return drawThroughScratch(dest, platformText.string(), rect, flags, style);
}
