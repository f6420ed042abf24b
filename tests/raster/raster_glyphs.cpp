#include "GlyphCache.h"
#include "GlyphEffects.h"
#include "TextFixtures.h"
#include "Utf8.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace text_fixtures;

namespace {

LICE_pixel argb(int a, int r, int g, int b)
{
    return LICE_pixel(a) << 24 | LICE_pixel(r) << 16 | LICE_pixel(g) << 8 | LICE_pixel(b);
}

const LICE_pixel kDest = argb(128, 200, 100, 50);
const LICE_pixel kInk = argb(255, 30, 60, 90);
const LICE_Rect kEverywhere = {-1000, -1000, 1000, 1000};

// Draws a one-row mask at (x, 0) of a 4 x 1 destination and returns its pixels.
std::vector<LICE_pixel> drawRow(LICE_CachedFont& font, std::vector<std::uint8_t> coverage, int x = 0,
                                const LICE_Rect& clip = kEverywhere, const std::uint8_t* effect = nullptr)
{
    Canvas dest(4, 1, kDest);
    font.RenderGlyph(&dest, x, 0, {coverage.data(), effect, int(coverage.size()), 1}, clip);
    return {dest.at(0, 0), dest.at(1, 0), dest.at(2, 0), dest.at(3, 0)};
}

// Copy weighted by alpha: with sa = 128 at full opacity each colour channel is
// s + (d - s) * 127 / 256 and alpha is min(255, 128 + 128):
// red 30 + 170 * 127 / 256 = 114, green 60 + 40 * 127 / 256 = 79,
// blue 90 - 40 * 127 / 256 = 71 (truncated toward zero).
const LICE_pixel kHalfInk = argb(255, 114, 79, 71);

TEST(RenderGlyph, BlendsTheInkByCoverage)
{
    LICE_CachedFont font;
    font.SetInkColour(kInk);
    const auto row = drawRow(font, {255, 0, 128, 255}, 0, {0, 0, 3, 1});
    EXPECT_EQ(row[0], kInk);     // full coverage copies the ink
    EXPECT_EQ(row[1], kDest);    // none leaves the destination
    EXPECT_EQ(row[2], kHalfInk); // half mixes
    EXPECT_EQ(row[3], kDest);    // outside the clip

    // An ink of alpha 128 at full coverage weighs like half coverage: 255 * 129 / 256 = 128.
    font.SetInkColour(argb(128, 30, 60, 90));
    EXPECT_EQ(drawRow(font, {255})[0], kHalfInk);
}

TEST(RenderGlyph, AppliesOpacityAndBlendMode)
{
    LICE_CachedFont font;
    font.SetInkColour(kInk);
    // Opacity 0.5: w = 128 * 256 / 256 = 128, colours s + (d - s) * 128 / 256,
    // alpha min(255, 128 + 128).
    font.SetBlend(kBlitCopy, 0.5f);
    EXPECT_EQ(drawRow(font, {255})[0], argb(255, 115, 80, 70));

    // Add: every channel min(255, d + s * w / 256) with w = 256 at full coverage.
    font.SetBlend(kBlitAdd, 1.0f);
    const auto added = drawRow(font, {255, 0});
    EXPECT_EQ(added[0], argb(255, 230, 160, 140));
    EXPECT_EQ(added[1], kDest);
}

TEST(RenderGlyph, StaysInsideTheDestination)
{
    LICE_CachedFont font;
    font.SetInkColour(kInk);
    const auto row = drawRow(font, {255, 0, 255, 0, 255, 255}, -2);
    EXPECT_EQ(row, (std::vector<LICE_pixel>{kInk, kDest, kInk, kInk}));
    EXPECT_EQ(drawRow(font, {255, 255}, 3), (std::vector<LICE_pixel>{kDest, kDest, kDest, kInk}));
    EXPECT_EQ(drawRow(font, {255}, 4), (std::vector<LICE_pixel>(4, kDest)));
}

TEST(RenderGlyph, DrawsTheEffectPlaneUnderTheInk)
{
    LICE_CachedFont font;
    font.SetInkColour(kInk);
    const LICE_pixel effectColour = argb(255, 1, 2, 3);
    font.SetEffectColour(effectColour);
    const std::vector<std::uint8_t> effect = {255, 255, 0};
    const auto row = drawRow(font, {0, 255, 255}, 0, kEverywhere, effect.data());
    EXPECT_EQ(row[0], effectColour);
    EXPECT_EQ(row[1], kInk);
    EXPECT_EQ(row[2], kInk);
    EXPECT_EQ(row[3], kDest);
}

// The masks of one character rendered with and without an effect, side by side.
struct EffectPair {
    std::vector<std::uint8_t> plain, ink, effect;
    int width, height, effectWidth, effectHeight;
};

EffectPair renderBoth(LICE_FontHandle handle, int effectFlags, char32_t code = 'g')
{
    GlyphCache plainCache, effectCache;
    plainCache.Reset(handle, 0);
    effectCache.Reset(handle, effectFlags);
    const GlyphRecord* plain = plainCache.Find(code);
    const GlyphRecord* changed = effectCache.Find(code);
    EXPECT_TRUE(plain && changed);
    const GlyphMask a = plainCache.Mask(*plain), b = effectCache.Mask(*changed);
    const std::size_t plainSize = std::size_t(a.width) * a.height, size = std::size_t(b.width) * b.height;
    EffectPair pair{{a.coverage, a.coverage + plainSize}, {b.coverage, b.coverage + size}, {},
                    a.width, a.height, b.width, b.height};
    if (b.effect) pair.effect.assign(b.effect, b.effect + size);
    return pair;
}

TEST(GlyphEffects, TransformTheMask)
{
    auto font = makeFont(20);
    ASSERT_TRUE(font);
    const LICE_FontHandle handle = font->FontHandle();

    const EffectPair inverted = renderBoth(handle, kGlyphInverted);
    ASSERT_EQ(inverted.ink.size(), inverted.plain.size());
    for (std::size_t i = 0; i < inverted.plain.size(); ++i) EXPECT_EQ(inverted.ink[i], 255 - inverted.plain[i]);

    const EffectPair mono = renderBoth(handle, kGlyphMonochrome);
    ASSERT_EQ(mono.ink.size(), mono.plain.size());
    for (std::size_t i = 0; i < mono.plain.size(); ++i) EXPECT_EQ(mono.ink[i], mono.plain[i] >= 130 ? 255 : 0);

    // The mask turned a quarter clockwise: column x of the upright glyph becomes row x.
    const EffectPair down = renderBoth(handle, kGlyphVertical);
    ASSERT_EQ(down.effectWidth, down.height);
    ASSERT_EQ(down.effectHeight, down.width);
    for (int y = 0; y < down.height; ++y)
        for (int x = 0; x < down.width; ++x)
            ASSERT_EQ(down.ink[std::size_t(x) * down.effectWidth + (down.height - 1 - y)],
                      down.plain[std::size_t(y) * down.width + x]);
}

TEST(GlyphEffects, MarkShadowAndOutline)
{
    auto font = makeFont(20);
    ASSERT_TRUE(font);
    const auto plainAt = [](const EffectPair& p, int x, int y) -> int {
        return x < 0 || y < 0 || x >= p.width || y >= p.height ? 0 : p.plain[std::size_t(y) * p.width + x];
    };

    // Shadow: one more column on the right; the effect plane is the ink moved by (1, 1).
    const EffectPair shadow = renderBoth(font->FontHandle(), kGlyphShadow);
    ASSERT_EQ(shadow.effectWidth, shadow.width + 1);
    ASSERT_EQ(shadow.effect.size(), shadow.ink.size());
    for (int y = 0; y < shadow.height; ++y)
        for (int x = 0; x < shadow.effectWidth; ++x) {
            ASSERT_EQ(shadow.ink[std::size_t(y) * shadow.effectWidth + x], plainAt(shadow, x, y));
            ASSERT_EQ(shadow.effect[std::size_t(y) * shadow.effectWidth + x], plainAt(shadow, x - 1, y - 1));
        }

    // Outline: a column more on each side; the effect plane is the 3 x 3 maximum.
    const EffectPair outline = renderBoth(font->FontHandle(), kGlyphOutline);
    ASSERT_EQ(outline.effectWidth, outline.width + 2);
    for (int y = 0; y < outline.height; ++y)
        for (int x = 0; x < outline.effectWidth; ++x) {
            int most = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) most = std::max(most, plainAt(outline, x - 1 + dx, y + dy));
            ASSERT_EQ(outline.effect[std::size_t(y) * outline.effectWidth + x], most);
        }
}

TEST(Utf8, DecodesWellFormedSequencesOnly)
{
    const auto decode = [](const char* text) {
        const char* end = text + std::char_traits<char>::length(text);
        return DecodeUtf8(text, end);
    };
    const Utf8Step euro = decode("\xE2\x82\xAC");
    EXPECT_EQ(euro.code, 0x20ACu);
    EXPECT_EQ(euro.bytes, 3);
    EXPECT_TRUE(euro.wellFormed);
    EXPECT_EQ(decode("\xF0\x9F\x98\x80").code, 0x1F600u);

    // Each malformed sequence yields its first byte as a character of its own.
    for (const char* bad : {"\xC0\xAF", "\xE2\x82", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\x80", "\xFF"}) {
        const Utf8Step step = decode(bad);
        EXPECT_FALSE(step.wellFormed) << int(static_cast<unsigned char>(bad[0]));
        EXPECT_EQ(step.bytes, 1);
        EXPECT_EQ(step.code, char32_t(static_cast<unsigned char>(bad[0])));
    }

    EXPECT_FALSE(HasMultiByteUtf8("plain", 5));
    EXPECT_FALSE(HasMultiByteUtf8("\xC3", 1));
    EXPECT_TRUE(HasMultiByteUtf8("a\xC3\xA9", 3));
}

TEST(Utf8, ConvertsToUtf16OrRefuses)
{
    std::u16string wide;
    EXPECT_TRUE(Utf8ToUtf16("a\xC3\xA9\xF0\x9F\x98\x80", 7, wide));
    EXPECT_EQ(wide, (std::u16string{u'a', 0xE9, 0xD83D, 0xDE00}));
    EXPECT_FALSE(Utf8ToUtf16("a\xC3\xA9\xE9", 4, wide));
}

} // namespace
