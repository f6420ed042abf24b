#include "BlitBitmap.h"
#include "LICE_MemBitmap.h"

#include <gtest/gtest.h>

namespace {

LICE_pixel argb(int a, int r, int g, int b)
{
    return LICE_pixel(a) << 24 | LICE_pixel(r) << 16 | LICE_pixel(g) << 8 | LICE_pixel(b);
}

LICE_pixel grey(int alpha, int level)
{
    return argb(alpha, level, level, level);
}

struct Bitmap : LICE_MemBitmap {
    Bitmap(int width, int height, LICE_pixel fill = 0)
    {
        Resize(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) at(x, y) = fill;
    }
    // Pixel (x, y) in image terms, whichever way the rows are stored.
    LICE_pixel& at(int x, int y)
    {
        const int row = BottomUp() ? Height() - 1 - y : y;
        return PixelData()[row * RowStride() + x];
    }
};

// Same memory, rows stored bottom-up.
struct FlippedBitmap : Bitmap {
    using Bitmap::Bitmap;
    bool BottomUp() const override { return true; }
};

// Each pixel's blue channel numbers its column, its green channel its row.
void numberPixels(Bitmap& bitmap)
{
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) bitmap.at(x, y) = argb(255, 0, y, x);
}

LICE_pixel blitOnePixel(LICE_pixel source, LICE_pixel dest, float opacity, int mode)
{
    Bitmap s(1, 1, source), d(1, 1, dest);
    BlitBitmap(&d, &s, 0, 0, nullptr, opacity, mode);
    return d.at(0, 0);
}

constexpr int kAlphaCopy = kBlitCopy | kBlitUseSourceAlpha;
constexpr int kAlphaAdd = kBlitAdd | kBlitUseSourceAlpha;
constexpr int kAlphaDodge = kBlitDodge | kBlitUseSourceAlpha;

TEST(BlitClipping, NegativeDestinationSkipsSourceColumns)
{
    Bitmap source(20, 1), dest(10, 1);
    numberPixels(source);
    BlitBitmap(&dest, &source, -5, 0, nullptr, 1.0f, kBlitCopy);
    for (int x = 0; x < 10; ++x) EXPECT_EQ(dest.at(x, 0), source.at(x + 5, 0)) << x;
}

TEST(BlitClipping, NegativeSourceRectangleShiftsTheDestination)
{
    Bitmap source(4, 4), dest(8, 8, 0xdeadbeef);
    numberPixels(source);
    const LICE_Rect rect = {-2, -1, 4, 4};
    BlitBitmap(&dest, &source, 1, 1, &rect, 1.0f, kBlitCopy);
    EXPECT_EQ(dest.at(2, 1), 0xdeadbeefu);
    EXPECT_EQ(dest.at(3, 2), source.at(0, 0));
    EXPECT_EQ(dest.at(6, 4), source.at(3, 2));
    EXPECT_EQ(dest.at(7, 5), 0xdeadbeefu);
}

TEST(BlitClipping, ClipsAtTheFarEdgesAndToTheSourceRectangle)
{
    Bitmap source(6, 6), dest(5, 5, 0);
    numberPixels(source);
    const LICE_Rect rect = {1, 2, 3, 100}; // bottom bounded to the source's height
    BlitBitmap(&dest, &source, 3, 1, &rect, 1.0f, kBlitCopy);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x) {
            const bool inside = x >= 3 && y >= 1;
            EXPECT_EQ(dest.at(x, y), inside ? source.at(x - 2, y + 1) : 0u) << x << "," << y;
        }
}

TEST(BlitClipping, DrawsNothingOutsideEitherBitmap)
{
    Bitmap source(4, 4, grey(255, 9)), dest(4, 4, 0);
    const LICE_Rect outside = {4, 0, 8, 4};
    const LICE_Rect inverted = {3, 0, 1, 4};
    BlitBitmap(&dest, &source, 0, 0, &outside, 1.0f, kBlitCopy);
    BlitBitmap(&dest, &source, 0, 0, &inverted, 1.0f, kBlitCopy);
    BlitBitmap(&dest, &source, 4, 0, nullptr, 1.0f, kBlitCopy);
    BlitBitmap(&dest, &source, 0, -4, nullptr, 1.0f, kBlitCopy);
    BlitBitmap(&dest, &source, 0, 0, nullptr, 0.0f, kBlitCopy);
    BlitBitmap(&dest, &source, 0, 0, nullptr, -1.0f, kAlphaCopy);
    BlitBitmap(&dest, &source, 0, 0, nullptr, 1.0f, 7); // an operation the editor never asks for
    LICE_MemBitmap empty;
    BlitBitmap(&dest, &empty, 0, 0, nullptr, 1.0f, kBlitCopy);
    BlitBitmap(&empty, &source, 0, 0, nullptr, 1.0f, kBlitCopy);
    BlitBitmap(&dest, nullptr, 0, 0, nullptr, 1.0f, kBlitCopy);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(dest.at(x, y), 0u);
}

TEST(BlitClipping, HonoursBottomUpRowsOnEitherSide)
{
    FlippedBitmap flippedSource(3, 3);
    Bitmap source(3, 3);
    numberPixels(flippedSource);
    numberPixels(source);
    const LICE_Rect lowerRows = {0, 1, 3, 3};

    Bitmap dest(3, 2);
    BlitBitmap(&dest, &flippedSource, 0, 0, &lowerRows, 1.0f, kBlitCopy);
    FlippedBitmap flippedDest(3, 2);
    BlitBitmap(&flippedDest, &source, 0, 0, &lowerRows, 1.0f, kAlphaCopy);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(dest.at(x, y), argb(255, 0, y + 1, x));
            EXPECT_EQ(flippedDest.at(x, y), argb(255, 0, y + 1, x));
        }
}

TEST(BlitCopy, FullOpacityCopiesAndHalfOpacityAveragesDroppingLowBits)
{
    EXPECT_EQ(blitOnePixel(argb(1, 2, 3, 4), argb(9, 9, 9, 9), 1.0f, kBlitCopy), argb(1, 2, 3, 4));
    EXPECT_EQ(blitOnePixel(grey(100, 100), grey(200, 200), 0.5f, kBlitCopy), grey(150, 150));
    EXPECT_EQ(blitOnePixel(grey(101, 101), grey(201, 201), 0.5f, kBlitCopy), grey(150, 150));
    EXPECT_EQ(blitOnePixel(argb(255, 255, 0, 1), argb(255, 0, 255, 1), 0.5f, kBlitCopy), argb(254, 127, 127, 0));
}

TEST(BlitCopy, OtherOpacitiesMixEveryChannelTruncatingTowardZero)
{
    // a = 64: s + (d - s) * 192 / 256
    EXPECT_EQ(blitOnePixel(grey(100, 100), grey(200, 200), 0.25f, kBlitCopy), grey(175, 175));
    // (101 - 200) * 192 / 256 = -74.25, truncated to -74
    EXPECT_EQ(blitOnePixel(grey(200, 200), grey(101, 101), 0.25f, kBlitCopy), grey(126, 126));
    // below 1/256 the integer opacity is 0: nothing changes
    EXPECT_EQ(blitOnePixel(grey(255, 255), grey(7, 7), 0.003f, kBlitCopy), grey(7, 7));
}

TEST(BlitAlphaCopy, FullOpacityFollowsTheSourceAlpha)
{
    EXPECT_EQ(blitOnePixel(argb(0, 255, 255, 255), argb(10, 1, 2, 3), 1.0f, kAlphaCopy), argb(10, 1, 2, 3));
    EXPECT_EQ(blitOnePixel(argb(255, 9, 8, 7), argb(10, 1, 2, 3), 1.0f, kAlphaCopy), argb(255, 9, 8, 7));
    // sa 128: colour 0 + 255 * 127 / 256 = 126; alpha 128 + 200 saturates
    EXPECT_EQ(blitOnePixel(argb(128, 0, 0, 0), argb(200, 255, 255, 255), 1.0f, kAlphaCopy),
              argb(255, 126, 126, 126));
    // a colour below the destination: 200 + (0 - 200) * 127 / 256 = 200 - 99.2 -> 101
    EXPECT_EQ(blitOnePixel(argb(128, 200, 200, 200), argb(0, 0, 0, 0), 1.0f, kAlphaCopy),
              argb(128, 101, 101, 101));
}

TEST(BlitAlphaCopy, PartialOpacityScalesTheCoverage)
{
    // a = 128, sa = 255: w = 128; colour 0 + 200 * 128 / 256 = 100; alpha 128 + 0
    EXPECT_EQ(blitOnePixel(argb(255, 0, 0, 0), argb(0, 200, 200, 200), 0.5f, kAlphaCopy),
              argb(128, 100, 100, 100));
    // sa = 0 is skipped even though its colour differs
    EXPECT_EQ(blitOnePixel(argb(0, 255, 0, 0), argb(50, 1, 1, 1), 0.5f, kAlphaCopy), argb(50, 1, 1, 1));
    // more than full opacity counts as full
    EXPECT_EQ(blitOnePixel(argb(128, 0, 0, 0), argb(200, 255, 255, 255), 4.0f, kAlphaCopy),
              argb(255, 126, 126, 126));
}

TEST(BlitAdd, AddsWeightedSourceAndSaturates)
{
    EXPECT_EQ(blitOnePixel(argb(255, 100, 20, 0), argb(0, 200, 10, 5), 1.0f, kAlphaAdd), argb(255, 255, 30, 5));
    // sa 127: w = 128, so half the source is added
    EXPECT_EQ(blitOnePixel(argb(127, 100, 100, 100), argb(10, 10, 10, 10), 1.0f, kAlphaAdd),
              argb(73, 60, 60, 60));
    EXPECT_EQ(blitOnePixel(argb(0, 100, 100, 100), argb(10, 10, 10, 10), 1.0f, kAlphaAdd), grey(10, 10));
}

TEST(BlitDodge, BrightensByTheWeightedSource)
{
    // w = 256: k = s; d * 256 / (256 - k), bounded to 255
    EXPECT_EQ(blitOnePixel(argb(255, 128, 0, 255), argb(100, 100, 100, 100), 1.0f, kAlphaDodge),
              argb(255, 200, 100, 255));
    EXPECT_EQ(blitOnePixel(argb(255, 255, 255, 255), argb(0, 0, 0, 0), 1.0f, kAlphaDodge), 0u);
    // transparent source: w = 1, so k = 0 and nothing changes
    EXPECT_EQ(blitOnePixel(argb(0, 255, 255, 255), argb(9, 50, 60, 70), 1.0f, kAlphaDodge), argb(9, 50, 60, 70));
}

} // namespace
