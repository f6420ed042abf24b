// Text in the graphics core: placing and drawing labels through a scripted font,
// and through the platform's real fonts.
#include <gtest/gtest.h>

#include <cstring>
#include <utility>

#include "FontCache.h"
#include "GuiTestSupport.h"
#include "ITextControl.h"
#include "PngWriter.h"

using namespace guitest;

namespace {

// Every character is 6 pixels wide and 10 high; drawing calls are recorded.
class FakeFont : public LICE_IFont {
public:
    struct Call {
        LICE_IBitmap* dest;
        std::string text;
        LICE_Rect rect;
        unsigned flags;
        LICE_pixel ink;
    };
    std::vector<Call> calls;

    void AttachFontHandle(LICE_FontHandle, int) override {}
    LICE_pixel SetInkColour(LICE_pixel colour) override { return std::exchange(ink_, colour); }
    LICE_pixel SetPaperColour(LICE_pixel colour) override { return colour; }
    LICE_pixel SetEffectColour(LICE_pixel colour) override { return colour; }
    int SetPaperMode(int mode) override { return mode; }
    void SetBlend(int, float) override {}
    int RenderText(LICE_IBitmap* dest, const char* text, int, LICE_Rect* rect, unsigned flags) override
    {
        calls.push_back({dest, text, *rect, flags, ink_});
        if (flags & kTextCalcRect) {
            rect->right = rect->left + 6 * int(std::strlen(text));
            rect->bottom = rect->top + 10;
        }
        return 10;
    }
    LICE_pixel InkColour() const override { return ink_; }
    LICE_FontHandle FontHandle() const override { return nullptr; }
    int LineHeight() const override { return 10; }

private:
    LICE_pixel ink_ = 0;
};

class Text : public ::testing::Test {
protected:
    Text()
    {
        style.cachedFont = &font;
        gui.allocateSurface();
    }
    PixelRect Extent(int align, const char* text, PixelRect area)
    {
        style.align = align;
        EXPECT_TRUE(gui.textExtent(style, text, area));
        return area;
    }

    TestPlug plug;
    TestGraphics gui {plug, 200, 60};
    FakeFont font;
    TextStyle style;
};

int ChangedPixels(const LICE_IBitmap& bitmap, LICE_pixel background, const PixelRect& inside, bool wantInside)
{
    int changed = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if (inside.contains(x, y) == wantInside) changed += PixelAt(bitmap, x, y) != background;
    return changed;
}

}  // namespace

TEST_F(Text, AMeasuredTextIsPlacedByTheStylesAlignment)
{
    const PixelRect area {10, 0, 100, 20};
    EXPECT_EQ(Extent(TextStyle::kAlignRight, "abcde", area), (PixelRect {70, 0, 100, 10}));  // 30 pixels wide
    EXPECT_EQ(Extent(TextStyle::kAlignLeft, "abcde", area), (PixelRect {10, 0, 40, 10}));
    EXPECT_EQ(Extent(TextStyle::kAlignCenter, "abcde", area), (PixelRect {40, 0, 70, 10}));
    EXPECT_EQ(Extent(TextStyle::kAlignCenter, "abcd", {10, 5, 101, 20}), (PixelRect {43, 5, 67, 15}));
    EXPECT_EQ(Extent(TextStyle::kAlignCenter, "ab", {-11, 0, 0, 20}), (PixelRect {-12, 0, 0, 10}));
    ASSERT_FALSE(font.calls.empty());
    EXPECT_EQ(font.calls[0].flags & kTextCalcRect, unsigned(kTextCalcRect));
}

TEST_F(Text, ALabelIsDrawnInTheStylesColourWithoutClipping)
{
    PixelRect area {10, 0, 100, 20};
    style.color = kColorOrange;
    EXPECT_TRUE(gui.renderLabel(style, "abc", area, false));
    style.color = RgbaColor {128, 0, 0, 255};
    style.align = TextStyle::kAlignRight;
    EXPECT_TRUE(gui.renderLabel(style, "abc", area, false));
    style.align = TextStyle::kAlignLeft;
    EXPECT_TRUE(gui.renderLabel(style, "abc", area, false));
    EXPECT_TRUE(gui.renderLabel(style, "", area, false));
    EXPECT_TRUE(gui.renderLabel(style, nullptr, area, false));

    ASSERT_EQ(font.calls.size(), 3u);
    EXPECT_EQ(font.calls[0].dest, gui.surface());
    EXPECT_EQ(font.calls[0].ink, 0xFFFF7F00u);
    EXPECT_EQ(font.calls[0].flags, 0x101u);
    EXPECT_EQ(font.calls[0].rect.right, 100);
    EXPECT_EQ(font.calls[1].ink, 0x800000FFu);
    EXPECT_EQ(font.calls[1].flags, 0x40000102u);  // the ink's alpha counts
    EXPECT_EQ(font.calls[2].flags, 0x40000100u);
    EXPECT_EQ(area, (PixelRect {10, 0, 100, 20}));
}

TEST_F(Text, ATextControlDrawsItsTextInItsRectangle)
{
    auto* label = new ITextControl(&plug, {5, 6, 50, 20}, "gain");
    label->textStyle().cachedFont = &font;
    gui.addControl(label);
    gui.draw({0, 0, 200, 60});
    ASSERT_EQ(font.calls.size(), 1u);
    EXPECT_EQ(font.calls[0].text, "gain");
    EXPECT_EQ(font.calls[0].rect.left, 5);
    EXPECT_EQ(font.calls[0].rect.bottom, 20);
}

TEST(PlatformText, OneFontServesEveryStyleOfTheSameLook)
{
    TextStyle first, second, larger;
    larger.size = 20;
    LICE_IFont* font = SharedFontCache().fontFor(first);
    ASSERT_TRUE(font);
    EXPECT_EQ(first.cachedFont, font);
    EXPECT_EQ(SharedFontCache().fontFor(second), font);
    EXPECT_NE(SharedFontCache().fontFor(larger), font);
}

TEST(PlatformText, DrawingChangesOnlyTheTextsRectangleAndMeasuringNothing)
{
    TestPlug plug;
    TestGraphics gui(plug, 200, 60);
    gui.allocateSurface();
    LICE_IBitmap& surface = *gui.surface();
    const LICE_pixel white = 0xFFFFFFFF;
    Fill(surface, white);

    TextStyle style;
    PixelRect extent {20, 10, 180, 40};
    ASSERT_TRUE(gui.textExtent(style, "Quillmarsh", extent));
    EXPECT_EQ(ChangedPixels(surface, white, {0, 0, 200, 60}, true), 0);
    EXPECT_GT(extent.width(), 30);
    EXPECT_GE(extent.height(), 10);
    EXPECT_EQ(extent.left, 100 - extent.width() / 2);  // centred on 20..180

    const PixelRect area {20, 10, 180, 40};
    PixelRect drawn = area;
    ASSERT_TRUE(gui.renderLabel(style, "Quillmarsh", drawn, false));
    WriteFile(std::string(VORLA_CAPTURE_DIR) + "/text-label.png", EncodePng(RgbaImageOf(surface)));
    EXPECT_GT(ChangedPixels(surface, white, area, true), 50);
    EXPECT_EQ(ChangedPixels(surface, white, area, false), 0);
}
