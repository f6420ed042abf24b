#include "FontSharedState.h"
#include "GlyphEffects.h"
#include "LICE_SysBitmap.h"
#include "PlatformText.h"
#include "PngWriter.h"
#include "TextFixtures.h"

#include <gtest/gtest.h>

using namespace text_fixtures;

namespace {

// From this line height on the platform's own text drawing is used wherever the
// platform has one, so these fonts exercise it even under Wine.
constexpr int kLargeHeight = 300;

// Where the platform draws text and is not emulated, an editor font prefers it.
bool platformTextExpected()
{
    return PlatformHasTextDrawing() && !PlatformTextIsEmulated();
}

// A destination that reports itself as a YUV surface.
struct YuvCanvas : Canvas {
    using Canvas::Canvas;
    std::intptr_t ExtensionCall(int code, void*) override { return code == 0x59555678; }
};

// Whether every pixel outside `rect` still has the background colour, and at
// least one inside does not.
void expectInkOnlyInside(const Canvas& canvas, const LICE_Rect& rect)
{
    int inked = 0, outside = 0;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x) {
            if (canvas.at(x, y) == kBackground) continue;
            const bool inRect = x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
            ++(inRect ? inked : outside);
        }
    EXPECT_GT(inked, 0);
    EXPECT_EQ(outside, 0);
}

TEST(FontPath, FollowsTheFlagsInTheirOrder)
{
    auto font = makeFont(16);
    ASSERT_TRUE(font);
    Canvas dest(20, 20);
    const LICE_TextPath preferred = platformTextExpected() ? LICE_TextPath::Platform : LICE_TextPath::Glyphs;

    EXPECT_EQ(font->PathFor(nullptr, 0), LICE_TextPath::None);
    EXPECT_EQ(font->PathFor(nullptr, kTextCalcRect), preferred);
    EXPECT_EQ(font->PathFor(&dest, 0), preferred);
    EXPECT_EQ(font->PathFor(&dest, kTextInkHasAlpha), LICE_TextPath::Glyphs);
    EXPECT_EQ(font->PathFor(&dest, kTextGlyphPathOnly), LICE_TextPath::Glyphs);
    YuvCanvas yuv(20, 20);
    EXPECT_EQ(font->PathFor(&yuv, 0), LICE_TextPath::Glyphs);

    // Extra line spacing is the glyph path's alone, except on a single line.
    font->SetLineSpacing(3);
    EXPECT_EQ(font->PathFor(&dest, 0), LICE_TextPath::Glyphs);
    EXPECT_EQ(font->PathFor(&dest, kTextSingleLine), preferred);
    font->SetLineSpacing(0);

    // Effects, and fonts that do not ask for the platform, stay on the glyph path.
    const LICE_FontHandle handle = font->FontHandle();
    font->AttachFontHandle(handle, kFontOwnsHandle | kFontPreferPlatform | 0x20);
    EXPECT_EQ(font->PathFor(&dest, 0), LICE_TextPath::Glyphs);
    font->AttachFontHandle(handle, kFontOwnsHandle);
    EXPECT_EQ(font->PathFor(&dest, 0), LICE_TextPath::Glyphs);
}

TEST(FontPath, LargeFontsUseThePlatformWhereItDrawsText)
{
    auto font = makeFont(kLargeHeight);
    ASSERT_TRUE(font);
    ASSERT_GE(font->LineHeight(), 256);
    Canvas dest(4, 4);
    const LICE_TextPath expected = PlatformHasTextDrawing() ? LICE_TextPath::Platform : LICE_TextPath::Glyphs;
    EXPECT_EQ(font->PathFor(&dest, kTextInkHasAlpha), expected);
    EXPECT_EQ(font->PathFor(&dest, kTextGlyphPathOnly), expected);
    YuvCanvas yuv(4, 4);
    EXPECT_EQ(font->PathFor(&yuv, 0), LICE_TextPath::Glyphs);
}

TEST(FontPath, EmulationIsProbedOncePerProcess)
{
    for (int round = 0; round < 2; ++round) {
        auto font = makeFont(12);
        ASSERT_TRUE(font);
        Canvas dest(40, 20);
        LICE_Rect rect = {0, 0, 40, 20};
        font->RenderText(&dest, "ab", -1, &rect, 0);
        font->RenderText(nullptr, "ab", -1, &rect, kTextCalcRect);
    }
    EXPECT_EQ(FontShared::PlatformTextProbes(), PlatformHasTextDrawing() ? 1 : 0);
}

TEST(GlyphText, MeasuresWithoutDrawing)
{
    auto font = makeFont(16);
    ASSERT_TRUE(font);
    const int lineHeight = font->LineHeight();
    EXPECT_GT(lineHeight, 0);

    const Extent a = measure(*font, "a"), b = measure(*font, "b"), ab = measure(*font, "ab");
    EXPECT_GT(a.width, 0);
    EXPECT_EQ(ab.width, a.width + b.width); // advances add up: no kerning
    EXPECT_EQ(ab.height, lineHeight);
    EXPECT_EQ(ab.result, lineHeight);

    // A measuring call with a destination leaves it alone.
    Canvas dest(60, 30), untouched(60, 30);
    LICE_Rect rect = {5, 5, 5, 5};
    EXPECT_EQ(font->RenderText(&dest, "ab", -1, &rect, kTextCalcRect | kTextGlyphPathOnly), lineHeight);
    EXPECT_EQ(rect.right, 5 + ab.width);
    EXPECT_EQ(rect.bottom, 5 + lineHeight);
    EXPECT_TRUE(samePixels(dest, untouched));

    // Rectangles far beyond any bitmap are refused rather than overflowing.
    LICE_Rect huge = {-2147483647, 0, 2147483647, 10};
    EXPECT_EQ(font->RenderText(&dest, "ab", -1, &huge, kTextGlyphPathOnly | kTextCenter), 0);

    // An explicit length counts bytes.
    LICE_Rect partial = {0, 0, 0, 0};
    font->RenderText(nullptr, "abc", 1, &partial, kTextCalcRect);
    EXPECT_EQ(partial.right, a.width);
}

TEST(GlyphText, BreaksLines)
{
    auto font = makeFont(14);
    ASSERT_TRUE(font);
    const int lineHeight = font->LineHeight();
    const Extent a = measure(*font, "a"), aa = measure(*font, "aa"), space = measure(*font, " ");

    const Extent twoLines = measure(*font, "aa\na", kTextGlyphPathOnly);
    EXPECT_EQ(twoLines.width, aa.width);
    EXPECT_EQ(twoLines.height, 2 * lineHeight);
    const Extent crlf = measure(*font, "aa\r\na\r", kTextGlyphPathOnly);
    EXPECT_EQ(crlf.width, aa.width);
    EXPECT_EQ(crlf.height, 2 * lineHeight);
    const Extent trailing = measure(*font, "a\n", kTextGlyphPathOnly);
    EXPECT_EQ(trailing.height, 2 * lineHeight);

    const Extent single = measure(*font, "a\na", kTextGlyphPathOnly | kTextSingleLine);
    EXPECT_EQ(single.width, 2 * a.width + space.width);
    EXPECT_EQ(single.height, lineHeight);

    font->SetLineSpacing(5);
    EXPECT_EQ(measure(*font, "a\na\na", kTextGlyphPathOnly).height, 3 * lineHeight + 2 * 5);
    EXPECT_EQ(measure(*font, "a\na", kTextGlyphPathOnly | kTextSingleLine).height, lineHeight);
}

TEST(GlyphText, DrawsOnlyInsideItsRectangle)
{
    auto font = makeFont(16);
    ASSERT_TRUE(font);
    Canvas dest(120, 50);
    // Wider and taller than the rectangle: the rest is clipped away.
    LICE_Rect rect = {30, 10, 60, 22};
    EXPECT_EQ(font->RenderText(&dest, "Wg|Wg|Wg|", -1, &rect, kTextInkHasAlpha), font->LineHeight());
    expectInkOnlyInside(dest, rect);

    // Without clipping the text runs on past the rectangle.
    dest.Fill(kBackground);
    font->RenderText(&dest, "Wg|Wg|Wg|", -1, &rect, kTextInkHasAlpha | kTextNoClip);
    bool beyond = false;
    for (int x = rect.right; x < dest.Width(); ++x)
        for (int y = 0; y < dest.Height(); ++y) beyond |= dest.at(x, y) != kBackground;
    EXPECT_TRUE(beyond);

    // Text partly outside the destination is cut at its edges.
    dest.Fill(kBackground);
    LICE_Rect outside = {-7, -5, 200, 200};
    font->RenderText(&dest, "Wg|Wg|Wg|Wg|Wg|Wg|Wg|", -1, &outside, kTextInkHasAlpha);
    expectInkOnlyInside(dest, {0, 0, dest.Width(), dest.Height()});
}

// The text drawn with an alignment equals the left/top-aligned drawing moved by
// the free space (or half of it).
TEST(GlyphText, AlignsWithinTheRectangle)
{
    auto font = makeFont(15);
    ASSERT_TRUE(font);
    const LICE_Rect rect = {10, 5, 190, 75};
    const char* text = "Aligned";
    const Extent extent = measure(*font, text, kTextGlyphPathOnly);
    const int freeX = (rect.right - rect.left) - extent.width, freeY = (rect.bottom - rect.top) - extent.height;

    Canvas reference(200, 80);
    LICE_Rect at = rect;
    font->RenderText(&reference, text, -1, &at, kTextGlyphPathOnly | kTextNoClip);

    const struct {
        unsigned flags;
        int dx;
        int dy;
    } cases[] = {
        {kTextRight, freeX, 0},
        {kTextCenter, freeX / 2, 0},
        {kTextBottom, 0, freeY},
        {kTextVCenter | kTextCenter, freeX / 2, freeY / 2},
    };
    for (const auto& c : cases) {
        Canvas expected(200, 80), drawn(200, 80);
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 200; ++x)
                if (x - c.dx >= 0 && x - c.dx < 200 && y - c.dy >= 0 && y - c.dy < 80)
                    expected.at(x, y) = reference.at(x - c.dx, y - c.dy);
        LICE_Rect r = rect;
        font->RenderText(&drawn, text, -1, &r, kTextGlyphPathOnly | kTextNoClip | c.flags);
        EXPECT_TRUE(samePixels(drawn, expected)) << "flags " << c.flags;
    }
}

// Each line of a multi-line text is aligned on its own, one line height apart.
TEST(GlyphText, AlignsEachLine)
{
    auto font = makeFont(13);
    ASSERT_TRUE(font);
    const LICE_Rect rect = {0, 0, 100, 60};
    Canvas twoLines(100, 60), separate(100, 60);
    LICE_Rect r = rect;
    font->RenderText(&twoLines, "ab\nabab", -1, &r, kTextGlyphPathOnly | kTextRight);
    r = rect;
    font->RenderText(&separate, "ab", -1, &r, kTextGlyphPathOnly | kTextRight);
    r = {rect.left, rect.top + font->LineHeight(), rect.right, rect.bottom};
    font->RenderText(&separate, "abab", -1, &r, kTextGlyphPathOnly | kTextRight);
    EXPECT_TRUE(samePixels(twoLines, separate));
}

TEST(GlyphText, DecodesUtf8IntoTheExtraTable)
{
    auto font = makeFont(16);
    ASSERT_TRUE(font);
    const GlyphCache& glyphs = font->Glyphs();

    // First use out of code order: U+03A9, U+00E9, U+0100, then U+00E9 again.
    const Extent omega = measure(*font, "\xCE\xA9", kTextGlyphPathOnly);
    measure(*font, "\xC3\xA9", kTextGlyphPathOnly);
    measure(*font, "\xC4\x80", kTextGlyphPathOnly);
    const std::size_t stored = glyphs.StoreBytes();
    const Extent eAcute = measure(*font, "\xC3\xA9", kTextGlyphPathOnly);
    EXPECT_EQ(glyphs.StoreBytes(), stored); // found, not rendered again
    ASSERT_EQ(glyphs.ExtraGlyphs().size(), 3u);
    EXPECT_EQ(glyphs.ExtraGlyphs()[0].code, 0xE9u);
    EXPECT_EQ(glyphs.ExtraGlyphs()[1].code, 0x100u);
    EXPECT_EQ(glyphs.ExtraGlyphs()[2].code, 0x3A9u);

    // Two bytes make one character: the pair measures as its one glyph.
    EXPECT_GT(omega.width, 0);
    EXPECT_EQ(measure(*font, "a\xCE\xA9", kTextGlyphPathOnly).width, measure(*font, "a").width + omega.width);
    // A byte that is not UTF-8 stands for itself: 0xE9 alone is U+00E9.
    EXPECT_EQ(measure(*font, "\xE9", kTextGlyphPathOnly).width, eAcute.width);
    // A four-byte character is one entry, drawable or not.
    measure(*font, "\xF0\x9F\x98\x80", kTextGlyphPathOnly);
    EXPECT_EQ(glyphs.ExtraGlyphs().size(), 4u);
    EXPECT_EQ(glyphs.ExtraGlyphs()[3].code, 0x1F600u);
}

TEST(GlyphText, AttachingStartsTheTablesAfresh)
{
    auto font = makeFont(16);
    ASSERT_TRUE(font);
    EXPECT_EQ(font->Glyphs().StoreBytes(), 0u);
    measure(*font, "x\xC3\xA9", kTextGlyphPathOnly);
    EXPECT_GT(font->Glyphs().StoreBytes(), 0u);

    // Reattaching the owned handle keeps it alive and forgets every glyph; flag 4
    // renders the ASCII glyphs at once, so ASCII text adds nothing later.
    font->AttachFontHandle(font->FontHandle(), kFontOwnsHandle | kFontPrerenderAscii);
    EXPECT_TRUE(font->Glyphs().ExtraGlyphs().empty());
    const std::size_t prerendered = font->Glyphs().StoreBytes();
    EXPECT_GT(prerendered, 0u);
    measure(*font, "The quick brown fox, 0123456789!");
    EXPECT_EQ(font->Glyphs().StoreBytes(), prerendered);
}

TEST(GlyphText, OpaquePaperFillsTheCharacterCells)
{
    auto font = makeFont(16);
    ASSERT_TRUE(font);
    constexpr LICE_pixel kPaper = 0xFF00FF00;
    font->SetPaperColour(kPaper);
    EXPECT_EQ(font->SetPaperMode(kPaperOpaque), kPaperTransparent);
    const Extent spaces = measure(*font, "  ", kTextGlyphPathOnly);
    Canvas dest(80, 40);
    LICE_Rect rect = {3, 4, 80, 40};
    font->RenderText(&dest, "  ", -1, &rect, kTextGlyphPathOnly);
    for (int y = 0; y < dest.Height(); ++y)
        for (int x = 0; x < dest.Width(); ++x) {
            const bool cell = x >= 3 && x < 3 + spaces.width && y >= 4 && y < 4 + font->LineHeight();
            ASSERT_EQ(dest.at(x, y), cell ? kPaper : kBackground) << x << "," << y;
        }
}

TEST(GlyphText, VerticalTextRunsDown)
{
    auto upright = makeFont(16);
    auto vertical = makeFont(16, kFontOwnsHandle | 0x1);
    ASSERT_TRUE(upright && vertical);
    const Extent across = measure(*upright, "ab");
    const Extent down = measure(*vertical, "ab");
    EXPECT_EQ(down.width, vertical->LineHeight());
    EXPECT_EQ(down.height, across.width);
    EXPECT_EQ(measure(*vertical, "a\nb").width, 2 * vertical->LineHeight());

    Canvas dest(60, 80);
    LICE_Rect rect = {10, 10, 50, 70};
    vertical->RenderText(&dest, "ab", -1, &rect, 0);
    expectInkOnlyInside(dest, {10, 10, 10 + down.width, 10 + down.height});
}

TEST(PlatformText, DrawsLargeTextInsideItsRectangle)
{
    auto font = makeFont(kLargeHeight);
    ASSERT_TRUE(font);
    // Measuring without a destination reports one line.
    const Extent extent = measure(*font, "I");
    EXPECT_EQ(extent.result, font->LineHeight());
    EXPECT_EQ(extent.height, font->LineHeight());
    EXPECT_GT(extent.width, 0);

    // Through a plain-memory destination (no drawing context), and directly into
    // one with a context; the rectangle cuts off the lower part of the line.
    const LICE_Rect rect = {50, 20, 300, 200};
    Canvas plain(400, 400);
    LICE_Rect r = rect;
    EXPECT_GT(font->RenderText(&plain, "IH", -1, &r, 0), 0);
    expectInkOnlyInside(plain, rect);

    LICE_SysBitmap system;
    system.Resize(400, 400);
    Canvas copied(400, 400);
    BlitBitmap(&system, &copied, 0, 0, nullptr, 1.0f, kBlitCopy);
    r = rect;
    EXPECT_GT(font->RenderText(&system, "IH", -1, &r, 0), 0);
    BlitBitmap(&copied, &system, 0, 0, nullptr, 1.0f, kBlitCopy);
    expectInkOnlyInside(copied, rect);
}

TEST(FontLifetime, SharedStateGoesWithTheLastFont)
{
    ASSERT_EQ(FontShared::LiveFonts(), 0);
    {
        auto first = makeFont(12);
        auto second = makeFont(30);
        ASSERT_TRUE(first && second);
        EXPECT_EQ(FontShared::LiveFonts(), 2);
        Canvas dest(60, 40);
        LICE_Rect rect = {0, 0, 60, 40};
        first->RenderText(&dest, "ab", -1, &rect, kTextInkHasAlpha);
        first.reset();
        EXPECT_EQ(FontShared::LiveFonts(), 1);
        // The glyph canvas serves the platform's rasteriser, where there is one.
        EXPECT_EQ(FontShared::HoldsBitmaps(), PlatformHasTextDrawing());
    }
    EXPECT_EQ(FontShared::LiveFonts(), 0);
    EXPECT_FALSE(FontShared::HoldsBitmaps());
}

// An owned handle is deleted when replaced or with the font; a borrowed one is
// not. (A handle deleted twice or used after deletion fails the sanitizer runs.)
TEST(FontLifetime, DeletesOnlyTheHandleItOwns)
{
    const PlatformFontRequest request = {"Verdana", 14, 400, false, 0, 0};
    const LICE_FontHandle borrowed = CreatePlatformFont(request);
    ASSERT_TRUE(borrowed);
    {
        LICE_CachedFont font;
        font.AttachFontHandle(CreatePlatformFont(request), kFontOwnsHandle);
        font.AttachFontHandle(CreatePlatformFont(request), kFontOwnsHandle); // the first goes
        font.AttachFontHandle(font.FontHandle(), kFontOwnsHandle);         // the same stays
        EXPECT_GT(measure(font, "x").width, 0);
        font.AttachFontHandle(borrowed, 0);                                // the second goes
        EXPECT_EQ(font.LineHeight(), PlatformFontLineHeight(borrowed));
    }
    LICE_CachedFont later;
    later.AttachFontHandle(borrowed, kFontOwnsHandle);
    EXPECT_GT(measure(later, "x").width, 0);

    later.AttachFontHandle(nullptr, 0);
    EXPECT_EQ(later.LineHeight(), 0);
    EXPECT_EQ(measure(later, "x").result, 0);
}

// Not a comparison (font versions differ from machine to machine): a sheet of
// text through both paths, written next to the test program for a person to see.
TEST(TextCapture, WritesASampleSheet)
{
    Canvas sheet(360, 240, 0xFFF0F0F0);
    const auto draw = [&](LICE_CachedFont& font, const char* text, LICE_Rect rect, unsigned flags) {
        font.RenderText(&sheet, text, -1, &rect, flags);
    };
    auto small = makeFont(12), bold = makeFont(18, kFontOwnsHandle | kFontPreferPlatform, true);
    auto effects = makeFont(22, kFontOwnsHandle | kGlyphShadow), large = makeFont(kLargeHeight);
    ASSERT_TRUE(small && bold && effects && large);
    draw(*small, "Left, 12 px: Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC 1.0 dB", {4, 4, 356, 20}, kTextGlyphPathOnly);
    draw(*small, "Centred\nsecond line", {4, 22, 356, 60}, kTextGlyphPathOnly | kTextCenter);
    bold->SetInkColour(0x80C00000);
    draw(*bold, "Bold, half-transparent ink", {4, 62, 356, 84}, kTextInkHasAlpha | kTextRight);
    effects->SetInkColour(0xFFFFFFFF);
    effects->SetEffectColour(0xFF404040);
    draw(*effects, "Shadowed", {4, 86, 356, 112}, 0);
    small->SetPaperMode(kPaperOpaque);
    small->SetPaperColour(0xFFFFFF00);
    draw(*small, "Opaque paper", {4, 116, 356, 132}, kTextGlyphPathOnly);
    draw(*large, "Ag", {4, 100, 356, 240}, kTextNoClip);
    // GDI leaves alpha 0 where it draws; the screen ignores alpha, and so does the sheet.
    for (int y = 0; y < sheet.Height(); ++y)
        for (int x = 0; x < sheet.Width(); ++x) sheet.at(x, y) |= 0xFF000000;
    EXPECT_TRUE(WriteFile("raster_fonts_sample.png", EncodePng(RgbaImageOf(sheet))));
}

} // namespace
