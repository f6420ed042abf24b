#include "LICE_MemBitmap.h"
#include "LICE_SysBitmap.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

bool isAligned64(const void* p)
{
    return reinterpret_cast<std::uintptr_t>(p) % 64 == 0;
}

TEST(MemBitmap, PadsRowsToFourPixelsAndAlignsPixels)
{
    LICE_MemBitmap bitmap;
    EXPECT_TRUE(bitmap.Resize(10, 3));
    EXPECT_EQ(bitmap.Width(), 10);
    EXPECT_EQ(bitmap.Height(), 3);
    EXPECT_EQ(bitmap.RowStride(), 12);
    EXPECT_EQ(bitmap.AllocatedBytes(), 144u);
    EXPECT_TRUE(isAligned64(bitmap.PixelData()));
    EXPECT_FALSE(bitmap.BottomUp());
    EXPECT_EQ(bitmap.DrawContext(), nullptr);
    EXPECT_FALSE(bitmap.Resize(10, 3));

    for (int width : {1, 4, 5, 63}) {
        bitmap.Resize(width, 1);
        EXPECT_EQ(bitmap.RowStride() % 4, 0);
        EXPECT_GE(bitmap.RowStride(), width);
        EXPECT_LT(bitmap.RowStride(), width + 4);
        EXPECT_TRUE(isAligned64(bitmap.PixelData()));
    }
}

TEST(MemBitmap, GrowsWithSpareAndNeverReallocatesToShrink)
{
    LICE_MemBitmap bitmap;
    bitmap.Resize(10, 3);                 // 144 bytes
    bitmap.Resize(10, 4);                 // needs 192: 25% spare gives 240
    EXPECT_EQ(bitmap.AllocatedBytes(), 240u);
    LICE_pixel* pixels = bitmap.PixelData();
    bitmap.Resize(10, 5);                 // needs exactly 240: fits the spare
    EXPECT_EQ(bitmap.AllocatedBytes(), 240u);
    EXPECT_EQ(bitmap.PixelData(), pixels);
    bitmap.Resize(3, 1);
    EXPECT_EQ(bitmap.AllocatedBytes(), 240u);
    EXPECT_EQ(bitmap.PixelData(), pixels);
}

TEST(MemBitmap, EmptyOrUnrepresentableSizesLeaveNoPixels)
{
    LICE_MemBitmap bitmap;
    bitmap.Resize(8, 8);
    EXPECT_TRUE(bitmap.Resize(0, 5));
    EXPECT_EQ(bitmap.PixelData(), nullptr);
    EXPECT_EQ(bitmap.Width(), 0);
    EXPECT_EQ(bitmap.Height(), 0);
    EXPECT_EQ(bitmap.AllocatedBytes(), 0u);

    // 70000 x 70000 x 4 bytes overflows the 32-bit size: refused, not wrapped.
    EXPECT_TRUE(bitmap.Resize(70000, 70000));
    EXPECT_EQ(bitmap.PixelData(), nullptr);
    EXPECT_EQ(bitmap.Width(), 0);
    EXPECT_EQ(bitmap.Height(), 0);
}

TEST(SysBitmap, KeepsItsSectionWhenShrinkingAndPadsWhenGrowing)
{
    LICE_SysBitmap bitmap;
    EXPECT_TRUE(bitmap.Resize(100, 50));
    LICE_pixel* pixels = bitmap.PixelData();
    ASSERT_NE(pixels, nullptr);

    EXPECT_TRUE(bitmap.Resize(90, 40));
    EXPECT_EQ(bitmap.PixelData(), pixels);
    EXPECT_EQ(bitmap.Width(), 90);
    EXPECT_EQ(bitmap.AllocatedWidth(), 100);
    EXPECT_EQ(bitmap.AllocatedHeight(), 50);
    EXPECT_EQ(bitmap.RowStride(), 100);
    EXPECT_FALSE(bitmap.Resize(90, 40));

    EXPECT_TRUE(bitmap.Resize(101, 50));
    EXPECT_EQ(bitmap.AllocatedWidth(), 104);
    EXPECT_EQ(bitmap.AllocatedHeight(), 50);
    EXPECT_EQ(bitmap.RowStride(), 104);
    ASSERT_NE(bitmap.PixelData(), nullptr);
    bitmap.PixelData()[104 * 50 - 1] = 0xffffffff; // the whole section is writable
}

TEST(SysBitmap, ZeroSizeReleasesTheSection)
{
    LICE_SysBitmap bitmap;
    bitmap.Resize(16, 16);
    EXPECT_FALSE(bitmap.Resize(0, 0));
    EXPECT_EQ(bitmap.PixelData(), nullptr);
    EXPECT_EQ(bitmap.Width(), 0);
    EXPECT_TRUE(bitmap.Resize(4, 4));
    EXPECT_NE(bitmap.PixelData(), nullptr);
}

} // namespace
