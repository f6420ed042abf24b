#include "LICE_CachedFont.h"

#include "FontSharedState.h"
#include "GlyphEffects.h"
#include "PlatformFont.h"
#include "PlatformText.h"
#include "PlatformTextPath.h"
#include "TextGeometry.h"
#include "Utf8.h"

#include <algorithm>
#include <cstring>
#include <utility>

using namespace TextGeometry;

namespace {

// Destinations that answer this extension code hold pixels the platform cannot
// draw into (a YUV surface); only the glyph path writes them correctly.
constexpr int kYuvExtension = 'Y' << 24 | 'U' << 16 | 'V' << 8 | 'x';

constexpr unsigned kGlyphPathFlags = kTextInkHasAlpha | kTextGlyphPathOnly;

// From this line height on, glyph masks would cost more than the platform's text
// drawing, which is then used whenever there is one.
constexpr int kLargeLineHeight = 256;

// The characters of a text one line at a time, as the glyph path reads them:
// carriage returns are ignored and a line feed ends the line, or reads as a
// space in single-line text.
class LineReader {
public:
    LineReader(const char* text, int length, bool singleLine)
        : p_(text), end_(text + length), singleLine_(singleLine) {}

    // The next character of the current line; false at its end, after which the
    // reader stands at the start of the next line, if MoreLines().
    bool Next(char32_t& code)
    {
        while (p_ < end_) {
            const Utf8Step step = DecodeUtf8(p_, end_);
            p_ += step.bytes;
            if (step.code == '\r') continue;
            if (step.code != '\n') { code = step.code; return true; }
            if (!singleLine_) return false;
            code = ' ';
            return true;
        }
        finished_ = true;
        return false;
    }
    bool MoreLines() const { return !finished_; }

private:
    const char* p_;
    const char* end_;
    bool singleLine_;
    bool finished_ = false;
};

// The pen of the glyph path in one of the three writing directions; a line is a
// cell `lineHeight` deep across the direction of writing.
class Pen {
public:
    enum class Direction { Right, Down, Up };

    static Direction DirectionOf(int fontFlags)
    {
        if (!(fontFlags & kGlyphVertical)) return Direction::Right;
        return fontFlags & kGlyphBottomUp ? Direction::Up : Direction::Down;
    }

    Pen(Direction direction, int x, int y, int lineHeight) : direction_(direction), x_(x), y_(y), lineHeight_(lineHeight) {}

    // The pen at the start of a line `across` pixels into the text's box; `x`
    // is where a horizontal line starts.
    static Pen StartOfLine(Direction direction, const LICE_Rect& box, int x, int across, int lineHeight)
    {
        switch (direction) {
        case Direction::Right: return Pen(direction, x, box.top + across, lineHeight);
        case Direction::Down: return Pen(direction, box.right - lineHeight - across, box.top, lineHeight); // first line right
        case Direction::Up: break;
        }
        return Pen(direction, box.left + across, box.bottom, lineHeight);
    }

    int GlyphX(const GlyphRecord& glyph) const { return direction_ == Direction::Right ? x_ + glyph.left : x_; }
    int GlyphY(const GlyphRecord& glyph) const
    {
        switch (direction_) {
        case Direction::Right: return y_;
        case Direction::Down: return y_ + glyph.left;
        case Direction::Up: break;
        }
        return y_ - glyph.left - glyph.height;
    }
    // The character cell the glyph occupies (what an opaque paper fills).
    LICE_Rect Cell(const GlyphRecord& glyph) const
    {
        switch (direction_) {
        case Direction::Right: return {x_, y_, x_ + glyph.advance, y_ + lineHeight_};
        case Direction::Down: return {x_, y_, x_ + lineHeight_, y_ + glyph.advance};
        case Direction::Up: break;
        }
        return {x_, y_ - glyph.advance, x_ + lineHeight_, y_};
    }
    void Advance(const GlyphRecord& glyph)
    {
        switch (direction_) {
        case Direction::Right: x_ += glyph.advance; break;
        case Direction::Down: y_ += glyph.advance; break;
        case Direction::Up: y_ -= glyph.advance; break;
        }
    }

private:
    Direction direction_;
    int x_;
    int y_;
    int lineHeight_;
};

} // namespace

LICE_CachedFont::LICE_CachedFont()
{
    FontShared::FontCreated();
}

LICE_CachedFont::~LICE_CachedFont()
{
    releaseHandle();
    FontShared::FontDestroyed();
}

void LICE_CachedFont::releaseHandle()
{
    if (fontHandle_ && (fontFlags_ & kFontOwnsHandle)) DeletePlatformFont(fontHandle_);
    fontHandle_ = nullptr;
}

void LICE_CachedFont::AttachFontHandle(LICE_FontHandle handle, int flags)
{
    if (handle != fontHandle_) releaseHandle();
    fontFlags_ = flags;
    fontHandle_ = handle;
    // Without a handle no line height is known; a stale one would only mislead.
    lineHeight_ = handle ? PlatformFontLineHeight(handle) : 0;
    glyphs_.Reset(handle, flags);
    if (handle && (flags & kFontPrerenderAscii))
        for (char32_t code = 0; code < 128; ++code) glyphs_.Find(code);
}

LICE_pixel LICE_CachedFont::SetInkColour(LICE_pixel colour) { return std::exchange(inkColour_, colour); }
LICE_pixel LICE_CachedFont::SetPaperColour(LICE_pixel colour) { return std::exchange(paperColour_, colour); }
LICE_pixel LICE_CachedFont::SetEffectColour(LICE_pixel colour) { return std::exchange(effectColour_, colour); }
int LICE_CachedFont::SetPaperMode(int mode) { return std::exchange(paperMode_, mode); }

void LICE_CachedFont::SetBlend(int mode, float opacity)
{
    blendMode_ = mode;
    opacity_ = opacity;
}

LICE_TextPath LICE_CachedFont::PathFor(LICE_IBitmap* dest, unsigned flags)
{
    if (!dest && !(flags & kTextCalcRect)) return LICE_TextPath::None;
    if (dest && dest->ExtensionCall(kYuvExtension, nullptr)) return LICE_TextPath::Glyphs;
    if (platformPathPreferred(flags)) return LICE_TextPath::Platform;
    if (lineHeight_ >= kLargeLineHeight && PlatformHasTextDrawing()) return LICE_TextPath::Platform;
    return LICE_TextPath::Glyphs;
}

bool LICE_CachedFont::platformPathPreferred(unsigned flags)
{
    // The emulation probe comes last so that it runs only when it decides.
    return (fontFlags_ & kFontPreferPlatform) && fontHandle_ && !(flags & kGlyphPathFlags) &&
           !(fontFlags_ & kFontEffectMask) && (lineSpacing_ == 0 || (flags & kTextSingleLine)) &&
           FontShared::PlatformTextUsable();
}

int LICE_CachedFont::RenderText(LICE_IBitmap* dest, const char* text, int length, LICE_Rect* rect, unsigned flags)
{
    if (!text || !rect || !Placeable(*rect)) return 0;
    if (length < 0) length = int(std::strlen(text));
    switch (PathFor(dest, flags)) {
    case LICE_TextPath::Platform: return renderPlatformText(dest, text, length, *rect, flags);
    case LICE_TextPath::Glyphs: return renderGlyphText(dest, text, length, *rect, flags);
    case LICE_TextPath::None: break;
    }
    return 0;
}

int LICE_CachedFont::renderPlatformText(LICE_IBitmap* dest, const char* text, int length, LICE_Rect& rect,
                                        unsigned flags)
{
    const PlatformTextStyle style = {fontHandle_, {inkColour_, paperColour_, paperMode_}, lineHeight_, opacity_};
    return DrawPlatformText(dest, text, length, rect, flags, style);
}

namespace {

struct TextBlock {
    long long lines = 0;
    long long longest = 0; // the longest line's length along the direction of writing
};

long long lineLength(GlyphCache& glyphs, LineReader& reader)
{
    long long length = 0;
    char32_t code;
    while (reader.Next(code))
        if (const GlyphRecord* glyph = glyphs.Find(code)) length += glyph->advance;
    return length;
}

TextBlock measureBlock(GlyphCache& glyphs, LineReader reader) // a copy: the caller's stays at the start
{
    TextBlock block;
    do {
        block.longest = std::max(block.longest, lineLength(glyphs, reader));
        ++block.lines;
    } while (reader.MoreLines());
    return block;
}

} // namespace

int LICE_CachedFont::renderGlyphText(LICE_IBitmap* dest, const char* text, int length, LICE_Rect& rect,
                                     unsigned flags)
{
    if (!fontHandle_) return 0;
    LineReader reader(text, length, flags & kTextSingleLine);
    const TextBlock block = measureBlock(glyphs_, reader);
    const Pen::Direction direction = Pen::DirectionOf(fontFlags_);
    const bool horizontal = direction == Pen::Direction::Right;
    const long long depth = block.lines * lineHeight_ + (block.lines - 1) * lineSpacing_;
    if (block.longest > kMaxCoordinate || depth > kMaxCoordinate || depth < 0) return 0;
    const int width = int(horizontal ? block.longest : depth);
    const int height = int(horizontal ? depth : block.longest);
    if (flags & kTextCalcRect) {
        rect.right = rect.left + width;
        rect.bottom = rect.top + height;
        return height;
    }
    if (!dest->PixelData()) return 0;

    const LICE_Rect clip = flags & kTextNoClip ? Bounds(*dest) : Intersection(rect, Bounds(*dest));
    const int left = AlignedStart(rect.left, rect.right, width, flags & kTextCenter, flags & kTextRight);
    const int top = AlignedStart(rect.top, rect.bottom, height, flags & kTextVCenter, flags & kTextBottom);
    const LICE_Rect box = {left, top, left + width, top + height};
    for (long long line = 0; line < block.lines; ++line) {
        // Horizontal lines are aligned one by one, as the platform's text drawing
        // does; vertical text is aligned as one block.
        LineReader probe = reader;
        const int x = horizontal ? AlignedStart(rect.left, rect.right, int(lineLength(glyphs_, probe)),
                                                flags & kTextCenter, flags & kTextRight)
                                 : box.left;
        Pen pen = Pen::StartOfLine(direction, box, x, int(line * (lineHeight_ + lineSpacing_)), lineHeight_);
        char32_t code;
        while (reader.Next(code)) {
            const GlyphRecord* glyph = glyphs_.Find(code);
            if (!glyph) continue;
            if (paperMode_ == kPaperOpaque) fillPaper(dest, pen.Cell(*glyph), clip);
            if (glyph->width > 0) RenderGlyph(dest, pen.GlyphX(*glyph), pen.GlyphY(*glyph), glyphs_.Mask(*glyph), clip);
            pen.Advance(*glyph);
        }
    }
    return height;
}

void LICE_CachedFont::RenderGlyph(LICE_IBitmap* dest, int x, int y, const GlyphMask& mask, const LICE_Rect& clip)
{
    if (!dest || !mask.coverage || !Placeable({x, y, x, y})) return;
    const LICE_Rect area = Intersection(Intersection({x, y, x + mask.width, y + mask.height}, clip), Bounds(*dest));
    if (IsEmpty(area)) return;
    const std::uint8_t* first = mask.coverage + std::size_t(area.top - y) * mask.width + (area.left - x);
    if (mask.effect) blendPlane(dest, area, mask.effect + (first - mask.coverage), mask.width, effectColour_);
    blendPlane(dest, area, first, mask.width, inkColour_);
}

// Hands the blitter a source of the colour whose alpha is coverage x the colour's
// own alpha, so that the raster library's alpha-weighted blend modes do the rest.
void LICE_CachedFont::blendPlane(LICE_IBitmap* dest, const LICE_Rect& area, const std::uint8_t* plane, int planeWidth,
                                 LICE_pixel colour)
{
    const int width = area.right - area.left, height = area.bottom - area.top;
    blendSource_.Resize(width, height);
    LICE_pixel* row = blendSource_.PixelData();
    if (!row || blendSource_.Width() != width) return;
    const LICE_pixel rgb = colour & 0xFFFFFF;
    const unsigned alphaWeight = (colour >> 24) + 1;
    for (int y = 0; y < height; ++y, row += blendSource_.RowStride(), plane += planeWidth)
        for (int x = 0; x < width; ++x) row[x] = rgb | LICE_pixel(plane[x] * alphaWeight / 256) << 24;
    BlitBitmap(dest, &blendSource_, area.left, area.top, nullptr, opacity_,
               (blendMode_ & kBlitOperationMask) | kBlitUseSourceAlpha);
}

void LICE_CachedFont::fillPaper(LICE_IBitmap* dest, const LICE_Rect& cell, const LICE_Rect& clip)
{
    const LICE_Rect area = Intersection(cell, clip);
    if (IsEmpty(area)) return;
    const int width = area.right - area.left, height = area.bottom - area.top;
    blendSource_.Resize(width, height);
    LICE_pixel* row = blendSource_.PixelData();
    if (!row || blendSource_.Width() != width) return;
    for (int y = 0; y < height; ++y, row += blendSource_.RowStride()) std::fill_n(row, width, paperColour_);
    BlitBitmap(dest, &blendSource_, area.left, area.top, nullptr, opacity_, kBlitCopy);
}
