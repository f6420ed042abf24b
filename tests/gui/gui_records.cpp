#include <gtest/gtest.h>

#include <cmath>

#include "BitmapStrip.h"
#include "BlendSpec.h"
#include "BlitBitmap.h"
#include "PixelRect.h"
#include "RgbaColor.h"

TEST(PixelRect, OnlyTheAllZeroRectangleIsEmpty)
{
    EXPECT_TRUE(PixelRect().isEmpty());
    EXPECT_FALSE((PixelRect {5, 5, 5, 9}).isEmpty());  // zero width, but a place
    EXPECT_FALSE((PixelRect {0, 0, 0, 1}).isEmpty());
}

TEST(PixelRect, ContainsIncludesLeftAndTopOnly)
{
    const PixelRect rect {10, 20, 30, 40};
    EXPECT_TRUE(rect.contains(10, 20));
    EXPECT_TRUE(rect.contains(29, 39));
    EXPECT_FALSE(rect.contains(30, 39));
    EXPECT_FALSE(rect.contains(29, 40));
    EXPECT_FALSE(rect.contains(9, 25));
    EXPECT_FALSE(PixelRect().contains(0, 0));
}

TEST(PixelRect, RectanglesThatShareAnEdgeMeet)
{
    const PixelRect area {10, 10, 20, 20};
    EXPECT_TRUE(area.meets({20, 10, 30, 20}));   // starts on the right edge
    EXPECT_TRUE(area.meets({10, 20, 20, 30}));   // starts on the bottom edge
    EXPECT_FALSE(area.meets({0, 10, 10, 20}));   // ends on the left edge
    EXPECT_FALSE(area.meets({10, 0, 20, 10}));   // ends on the top edge
    EXPECT_FALSE(area.meets({21, 10, 30, 20}));
    EXPECT_TRUE(area.meets({15, 15, 15, 15}));   // a point inside
    EXPECT_FALSE(area.meets(PixelRect()));
    EXPECT_FALSE(PixelRect().meets(area));
}

TEST(PixelRect, UnionIgnoresEmptySides)
{
    PixelRect area;
    area.unionWith({10, 10, 20, 20});
    EXPECT_EQ(area, (PixelRect {10, 10, 20, 20}));
    area.unionWith(PixelRect());
    EXPECT_EQ(area, (PixelRect {10, 10, 20, 20}));
    area.unionWith({100, 5, 110, 15});
    EXPECT_EQ(area, (PixelRect {10, 5, 110, 20}));
    area.unionWith({5, 5, 5, 9});
    EXPECT_EQ(area, (PixelRect {5, 5, 110, 20}));
}

TEST(BlendSpec, MapsEachKindToItsBlitMode)
{
    const BlendSpec replace {kMixReplace, 1.0f}, add {kMixAdd, 1.0f}, dodge {kMixDodge, 1.0f}, alpha {kMixAlpha, 1.0f},
        unknown {7, 1.0f};
    EXPECT_EQ(BlitModeOf(&alpha), 0x10000);
    EXPECT_EQ(BlitModeOf(&replace), 0);
    EXPECT_EQ(BlitModeOf(&add), 0x10001);
    EXPECT_EQ(BlitModeOf(&dodge), 0x10002);
    EXPECT_EQ(BlitModeOf(&unknown), 0x10000);
    EXPECT_EQ(BlitModeOf(nullptr), 0x10000);
}

TEST(RgbaColor, PacksForTheRasterLibraryAndForWin32)
{
    EXPECT_EQ(kColorOrange.pixel(), 0xFFFF7F00u);
    EXPECT_EQ(kColorOrange.colorRef(), 0x00007FFFu);
    EXPECT_EQ((RgbaColor {128, 1, 2, 3}).pixel(), 0x80010203u);
    EXPECT_EQ((RgbaColor {128, 1, 2, 3}).colorRef(), 0x00030201u);
}

TEST(BitmapStrip, FrameIsTheValueScaledAndRoundedHalfUp)
{
    BitmapStrip knob;
    knob.width = 50;
    knob.height = 3050;
    knob.frames = 61;
    EXPECT_EQ(knob.frameFor(0.5), 30);
    EXPECT_EQ(knob.frameFor(0.991), 59);  // 59.46
    EXPECT_EQ(knob.frameFor(0.992), 60);  // 60.02
    EXPECT_EQ(knob.frameFor(0.0), 0);
    EXPECT_EQ(knob.frameFor(1.0), 60);
    // Values outside 0..1 (or none at all) show the nearest end.
    EXPECT_EQ(knob.frameFor(-0.5), 0);
    EXPECT_EQ(knob.frameFor(1.5), 60);
    EXPECT_EQ(knob.frameFor(std::nan("")), 0);

    EXPECT_EQ(knob.sourceOffset(0), 0);
    EXPECT_EQ(knob.sourceOffset(30), 1500);  // trunc(3050 * 30 / 61 + 0.5)
    EXPECT_EQ(knob.rectAt(7, 9), (PixelRect {7, 9, 57, 59}));
}

TEST(BitmapStrip, HorizontalStripsRunAlongTheirWidth)
{
    BitmapStrip strip;
    strip.width = 100;
    strip.height = 20;
    strip.frames = 3;
    strip.horizontal = true;
    EXPECT_EQ(strip.rectAt(0, 0), (PixelRect {0, 0, 33, 20}));
    EXPECT_EQ(strip.sourceOffset(1), 33);  // trunc(100 / 3 + 0.5)
    EXPECT_EQ(strip.sourceOffset(2), 67);  // trunc(200 / 3 + 0.5)
}

TEST(BitmapStrip, AStripWithoutFramesCountsAsOne)
{
    BitmapStrip strip;
    strip.width = 40;
    strip.height = 30;
    strip.frames = 0;
    EXPECT_EQ(strip.rectAt(0, 0), (PixelRect {0, 0, 40, 30}));
    EXPECT_EQ(strip.frameFor(0.7), 0);
    EXPECT_EQ(strip.sourceOffset(0), 0);
}
