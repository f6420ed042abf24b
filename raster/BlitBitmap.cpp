#include "BlitBitmap.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

// The part of the source that lands inside the destination.
struct BlitArea {
    int sourceLeft;
    int sourceTop;
    int destX;
    int destY;
    int width;
    int height;
};

bool clipToBitmaps(const LICE_IBitmap& dest, const LICE_IBitmap& source, int x, int y,
                   const LICE_Rect* sourceRect, BlitArea& area)
{
    // 64-bit so that extreme coordinates cannot overflow while being shifted.
    std::int64_t left = sourceRect ? sourceRect->left : 0;
    std::int64_t top = sourceRect ? sourceRect->top : 0;
    std::int64_t right = std::min<std::int64_t>(sourceRect ? sourceRect->right : source.Width(), source.Width());
    std::int64_t bottom = std::min<std::int64_t>(sourceRect ? sourceRect->bottom : source.Height(), source.Height());
    std::int64_t dx = x;
    std::int64_t dy = y;

    // Source area left of or above the source: skip it in the destination too.
    if (left < 0) { dx -= left; left = 0; }
    if (top < 0) { dy -= top; top = 0; }
    // Destination position left of or above the destination: skip that much source.
    if (dx < 0) { left -= dx; dx = 0; }
    if (dy < 0) { top -= dy; dy = 0; }

    if (left >= right || top >= bottom || dx >= dest.Width() || dy >= dest.Height()) return false;
    const std::int64_t width = std::min(right, left + dest.Width() - dx) - left;
    const std::int64_t height = std::min(bottom, top + dest.Height() - dy) - top;
    if (width <= 0 || height <= 0) return false;

    area = {int(left), int(top), int(dx), int(dy), int(width), int(height)};
    return true;
}

// Walks image rows downwards from a given pixel, whichever way the rows are stored:
// a bottom-up bitmap keeps image row r at memory row height - 1 - r.
struct RowCursor {
    LICE_pixel* pixel;
    std::ptrdiff_t step;

    RowCursor(const LICE_IBitmap& bitmap, int x, int row)
    {
        const bool bottomUp = bitmap.BottomUp();
        const int memoryRow = bottomUp ? bitmap.Height() - 1 - row : row;
        step = bottomUp ? -std::ptrdiff_t(bitmap.RowStride()) : bitmap.RowStride();
        pixel = bitmap.PixelData() + std::ptrdiff_t(memoryRow) * bitmap.RowStride() + x;
    }
    void next() { pixel += step; }
};

int channel(LICE_pixel p, int index)
{
    return int(p >> (8 * index)) & 0xff;
}

LICE_pixel packChannels(int b, int g, int r, int a)
{
    return LICE_pixel(b) | LICE_pixel(g) << 8 | LICE_pixel(r) << 16 | LICE_pixel(a) << 24;
}

// s + (d - s) * keep / 256 with the division truncating toward zero: the source
// mixed over the destination, which keeps `keep` / 256 of its own weight.
int mix(int s, int d, int keep)
{
    return s + (d - s) * keep / 256;
}

// Every row blend gets the row pair, the pixel count and the integer opacity
// a = opacity * 256 (1..256).
using RowBlend = void (*)(LICE_pixel* d, const LICE_pixel* s, int count, int a);

void copyRow(LICE_pixel* d, const LICE_pixel* s, int count, int)
{
    std::memmove(d, s, std::size_t(count) * sizeof(LICE_pixel));
}

// Opacity 0.5: each channel halves both sides and adds them, dropping the low bits.
void averageRow(LICE_pixel* d, const LICE_pixel* s, int count, int)
{
    for (int i = 0; i < count; ++i) d[i] = ((s[i] >> 1) & 0x7f7f7f7f) + ((d[i] >> 1) & 0x7f7f7f7f);
}

void copyWeightedRow(LICE_pixel* d, const LICE_pixel* s, int count, int a)
{
    const int keep = 256 - a;
    for (int i = 0; i < count; ++i) {
        const LICE_pixel sp = s[i], dp = d[i];
        d[i] = packChannels(mix(channel(sp, 0), channel(dp, 0), keep), mix(channel(sp, 1), channel(dp, 1), keep),
                            mix(channel(sp, 2), channel(dp, 2), keep), mix(channel(sp, 3), channel(dp, 3), keep));
    }
}

// The source pixel over the destination with coverage `cover` (0..255 of 256):
// colours mixed keeping `keep` of the destination, alphas added and saturated.
LICE_pixel alphaOver(LICE_pixel sp, LICE_pixel dp, int cover, int keep)
{
    return packChannels(mix(channel(sp, 0), channel(dp, 0), keep), mix(channel(sp, 1), channel(dp, 1), keep),
                        mix(channel(sp, 2), channel(dp, 2), keep), std::min(255, cover + channel(dp, 3)));
}

void alphaCopyFullRow(LICE_pixel* d, const LICE_pixel* s, int count, int)
{
    for (int i = 0; i < count; ++i) {
        const int sa = channel(s[i], 3);
        if (sa == 255) d[i] = s[i];
        else if (sa != 0) d[i] = alphaOver(s[i], d[i], sa, 255 - sa);
    }
}

void alphaCopyRow(LICE_pixel* d, const LICE_pixel* s, int count, int a)
{
    for (int i = 0; i < count; ++i) {
        const int sa = channel(s[i], 3);
        if (sa == 0) continue;
        const int w = a * (sa + 1) / 256;
        d[i] = alphaOver(s[i], d[i], w, 256 - w);
    }
}

void addRow(LICE_pixel* d, const LICE_pixel* s, int count, int a)
{
    for (int i = 0; i < count; ++i) {
        const int sa = channel(s[i], 3);
        if (sa == 0) continue;
        const int w = a * (sa + 1) / 256;
        int out[4];
        for (int c = 0; c < 4; ++c) out[c] = std::min(255, channel(d[i], c) + channel(s[i], c) * w / 256);
        d[i] = packChannels(out[0], out[1], out[2], out[3]);
    }
}

void dodgeRow(LICE_pixel* d, const LICE_pixel* s, int count, int a)
{
    for (int i = 0; i < count; ++i) {
        const int w = a * (channel(s[i], 3) + 1) / 256;
        int out[4];
        for (int c = 0; c < 4; ++c) {
            const int k = channel(s[i], c) * w / 256;
            const int dv = channel(d[i], c) * 256;
            out[c] = std::min(255, k < 255 ? dv / (256 - k) : dv);
        }
        d[i] = packChannels(out[0], out[1], out[2], out[3]);
    }
}

// Picks the row loop for a mode and opacity; null when the blit draws nothing.
RowBlend chooseRowBlend(int mode, float opacity, int a)
{
    switch (mode) {
    case kBlitCopy:
        if (opacity == 1.0f) return copyRow;
        if (opacity == 0.5f) return averageRow;
        return a < 1 ? nullptr : copyWeightedRow;
    case kBlitCopy | kBlitUseSourceAlpha:
        return a == 256 ? alphaCopyFullRow : alphaCopyRow;
    case kBlitAdd | kBlitUseSourceAlpha:
        return addRow;
    case kBlitDodge | kBlitUseSourceAlpha:
        return dodgeRow;
    default:
        return nullptr;
    }
}

} // namespace

void BlitBitmap(LICE_IBitmap* dest, const LICE_IBitmap* source, int x, int y,
                const LICE_Rect* sourceRect, float opacity, int mode)
{
    // NaN and negative opacities draw nothing like 0.0 does; more than full is full.
    if (!dest || !source || !dest->PixelData() || !source->PixelData() || !(opacity > 0.0f)) return;
    opacity = std::min(opacity, 1.0f);

    BlitArea area;
    if (!clipToBitmaps(*dest, *source, x, y, sourceRect, area)) return;
    const int a = int(opacity * 256);
    const RowBlend blend = chooseRowBlend(mode, opacity, a);
    if (!blend) return;

    RowCursor d(*dest, area.destX, area.destY);
    RowCursor s(*source, area.sourceLeft, area.sourceTop);
    for (int row = 0; row < area.height; ++row, d.next(), s.next()) blend(d.pixel, s.pixel, area.width, a);
}
