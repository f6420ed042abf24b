#include "GlyphEffects.h"

#include <algorithm>

namespace {

using Plane = std::vector<std::uint8_t>;

// Rotates a w x h plane a quarter turn: clockwise for text running down,
// anticlockwise for text running up. The result is h wide and w high.
Plane rotated(const Plane& plane, int w, int h, bool clockwise)
{
    Plane turned(plane.size());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int tx = clockwise ? h - 1 - y : y;
            const int ty = clockwise ? x : w - 1 - x;
            turned[std::size_t(ty) * h + tx] = plane[std::size_t(y) * w + x];
        }
    return turned;
}

// Adds empty columns on either side so that spreading effects are not cut off.
void widen(RawGlyph& glyph, int left, int right)
{
    const int w = glyph.width, wider = w + left + right;
    Plane padded(std::size_t(wider) * glyph.height, 0);
    for (int y = 0; y < glyph.height; ++y)
        std::copy_n(glyph.coverage.begin() + std::ptrdiff_t(y) * w, w, padded.begin() + std::ptrdiff_t(y) * wider + left);
    glyph.coverage.swap(padded);
    glyph.width = wider;
    glyph.left -= left;
}

std::uint8_t at(const Plane& plane, int w, int h, int x, int y)
{
    return x < 0 || y < 0 || x >= w || y >= h ? 0 : plane[std::size_t(y) * w + x];
}

Plane shifted(const Plane& ink, int w, int h)
{
    Plane shadow(ink.size());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) shadow[std::size_t(y) * w + x] = at(ink, w, h, x - 1, y - 1);
    return shadow;
}

Plane dilated(const Plane& ink, int w, int h)
{
    Plane rim(ink.size());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t most = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) most = std::max(most, at(ink, w, h, x + dx, y + dy));
            rim[std::size_t(y) * w + x] = most;
        }
    return rim;
}

// The 1-2-1 kernel in both directions, weights summing to 16.
void blur(Plane& plane, int w, int h)
{
    const Plane source = plane;
    static constexpr int kWeights[3] = {1, 2, 1};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int sum = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) sum += kWeights[dx + 1] * kWeights[dy + 1] * at(source, w, h, x + dx, y + dy);
            plane[std::size_t(y) * w + x] = std::uint8_t(sum / 16);
        }
}

} // namespace

bool HasEffectPlane(int fontFlags)
{
    return fontFlags & (kGlyphShadow | kGlyphOutline);
}

void ApplyGlyphEffects(RawGlyph& glyph, Plane& effect, int fontFlags)
{
    effect.clear();
    if (fontFlags & kGlyphInverted)
        for (std::uint8_t& c : glyph.coverage) c = std::uint8_t(255 - c);
    if (fontFlags & kGlyphMonochrome)
        for (std::uint8_t& c : glyph.coverage) c = c >= 130 ? 255 : 0;

    const bool outline = fontFlags & kGlyphOutline, shadow = fontFlags & kGlyphShadow;
    const bool blurred = fontFlags & kGlyphBlur;
    const int spread = (outline || blurred ? 1 : 0);
    if (spread || shadow) widen(glyph, spread, std::max(spread, shadow ? 1 : 0));
    if (outline) effect = dilated(glyph.coverage, glyph.width, glyph.height);
    else if (shadow) effect = shifted(glyph.coverage, glyph.width, glyph.height);

    if (blurred) {
        blur(glyph.coverage, glyph.width, glyph.height);
        if (!effect.empty()) blur(effect, glyph.width, glyph.height);
    }

    if (fontFlags & kGlyphVertical) {
        const bool clockwise = !(fontFlags & kGlyphBottomUp);
        glyph.coverage = rotated(glyph.coverage, glyph.width, glyph.height, clockwise);
        if (!effect.empty()) effect = rotated(effect, glyph.width, glyph.height, clockwise);
        std::swap(glyph.width, glyph.height);
    }
}
