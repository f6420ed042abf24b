#include "LoadPngResource.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using Bitmap = std::unique_ptr<LICE_MemBitmap>;

struct PanelImage {
    int id;
    const char* name;
    int width;
    int height;
    int frames;
    bool coversItsRectangle; // false: a knob whose corners show the panel
};

// The editor's pictures with their sizes and frame counts.
constexpr PanelImage kPanelImages[] = {
    {101, "resources/img/BG.png", 796, 189, 1, true},
    {102, "resources/img/HI.png", 90, 5185, 61, false},
    {103, "resources/img/HPF.png", 83, 492, 6, false},
    {104, "resources/img/LB.png", 74, 4819, 61, false},
    {105, "resources/img/LC.png", 74, 4331, 61, false},
    {106, "resources/img/LPF.png", 78, 5185, 61, false},
    {107, "resources/img/MID.png", 101, 6039, 61, false},
    {108, "resources/img/OVER.png", 145, 60, 2, true},
    {109, "resources/img/OUT.png", 75, 750, 25, true},
    {110, "resources/img/BY.png", 43, 60, 2, true},
};

int alphaAt(const LICE_MemBitmap& bitmap, int x, int y)
{
    return int(bitmap.PixelData()[y * bitmap.RowStride() + x] >> 24);
}

TEST(PanelImages, EachDecodesAtItsSizeAndFrameCount)
{
    for (const PanelImage& expected : kPanelImages) {
        SCOPED_TRACE(expected.name);
        const Bitmap bitmap(LoadPngResource(nullptr, expected.id, expected.name));
        ASSERT_TRUE(bitmap);
        EXPECT_EQ(bitmap->Width(), expected.width);
        EXPECT_EQ(bitmap->Height(), expected.height);
        EXPECT_EQ(bitmap->Height() % expected.frames, 0);

        const int frameHeight = expected.height / expected.frames;
        for (int frame = 0; frame < expected.frames; ++frame) {
            const int top = frame * frameHeight, bottom = top + frameHeight - 1, right = expected.width - 1;
            const int corners = alphaAt(*bitmap, 0, top) + alphaAt(*bitmap, right, top) +
                                alphaAt(*bitmap, 0, bottom) + alphaAt(*bitmap, right, bottom);
            if (expected.coversItsRectangle) EXPECT_GT(corners, 0) << "frame " << frame;
            else EXPECT_EQ(corners, 0) << "frame " << frame;
        }
    }
}

TEST(PanelImages, TheBackgroundIsOpaque)
{
    const Bitmap bitmap(LoadPngResource(nullptr, 101, "BG.png"));
    ASSERT_TRUE(bitmap);
    for (int y = 0; y < bitmap->Height(); y += 7)
        for (int x = 0; x < bitmap->Width(); x += 7) ASSERT_EQ(alphaAt(*bitmap, x, y), 255) << x << "," << y;
}

TEST(LoadPngResource, NeedsAPngExtensionAndAnExistingResource)
{
    EXPECT_TRUE(Bitmap(LoadPngResource(nullptr, 110, "resources/img/BY.PNG")));
    EXPECT_TRUE(Bitmap(LoadPngResource(nullptr, 110, "a.bmp.Png")));
    EXPECT_FALSE(Bitmap(LoadPngResource(nullptr, 110, "resources/img/BY.bmp")));
    EXPECT_FALSE(Bitmap(LoadPngResource(nullptr, 110, "BY.png.bmp")));
    EXPECT_FALSE(Bitmap(LoadPngResource(nullptr, 110, "BY.pngx")));
    EXPECT_FALSE(Bitmap(LoadPngResource(nullptr, 110, "")));
    EXPECT_FALSE(Bitmap(LoadPngResource(nullptr, 110, nullptr)));
    EXPECT_FALSE(Bitmap(LoadPngResource(nullptr, 111, "resources/img/BY.png")));
}

TEST(LoadPngResource, TheFirstCharacterIsNeverTakenAsTheDot)
{
    EXPECT_TRUE(HasPngExtension(".png"));  // compared from the second character on
    EXPECT_FALSE(HasPngExtension("png"));
    EXPECT_FALSE(HasPngExtension("p"));
}

} // namespace
