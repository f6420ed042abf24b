#include "DecodePng.h"
#include "PngWriter.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

using Bytes = std::vector<std::uint8_t>;
using Bitmap = std::unique_ptr<LICE_MemBitmap>;

Bitmap decode(const Bytes& bytes)
{
    return Bitmap(DecodePng(bytes.data(), bytes.size()));
}

LICE_pixel pixelAt(const LICE_MemBitmap& bitmap, int x, int y)
{
    return bitmap.PixelData()[y * bitmap.RowStride() + x];
}

PngImage image(int width, int height, int bitDepth, int colorType, Bytes samples)
{
    PngImage png;
    png.width = width;
    png.height = height;
    png.bitDepth = bitDepth;
    png.colorType = colorType;
    png.samples = std::move(samples);
    return png;
}

// A 5 x 3 RGBA image whose pixel (x, y) is R = x, G = y, B = 40 + x + y, A = 200 + x.
PngImage numberedRgba(bool interlaced)
{
    PngImage png = image(5, 3, 8, PNG_COLOR_TYPE_RGB_ALPHA, {});
    png.interlaced = interlaced;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            png.samples.insert(png.samples.end(), {std::uint8_t(x), std::uint8_t(y), std::uint8_t(40 + x + y),
                                                   std::uint8_t(200 + x)});
    return png;
}

void expectNumberedRgba(const Bitmap& bitmap)
{
    ASSERT_TRUE(bitmap);
    ASSERT_EQ(bitmap->Width(), 5);
    ASSERT_EQ(bitmap->Height(), 3);
    EXPECT_EQ(bitmap->RowStride(), 8);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            const LICE_pixel expected = LICE_pixel(200 + x) << 24 | LICE_pixel(x) << 16 | LICE_pixel(y) << 8 |
                                        LICE_pixel(40 + x + y);
            EXPECT_EQ(pixelAt(*bitmap, x, y), expected) << x << "," << y;
        }
}

// Offset of the first chunk of that type (its length field).
std::size_t findChunk(const Bytes& png, const char* type)
{
    for (std::size_t at = 8; at + 8 <= png.size();) {
        if (std::memcmp(&png[at + 4], type, 4) == 0) return at;
        const std::size_t length = std::size_t(png[at]) << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3];
        at += 12 + length;
    }
    return png.size();
}

void putBigEndian(Bytes& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) bytes[at + std::size_t(i)] = std::uint8_t(value >> (24 - 8 * i));
}

Bytes chunk(const char* type, const std::string& data)
{
    Bytes out(8 + data.size() + 4);
    putBigEndian(out, 0, std::uint32_t(data.size()));
    std::memcpy(&out[4], type, 4);
    std::memcpy(&out[8], data.data(), data.size());
    putBigEndian(out, 8 + data.size(), std::uint32_t(crc32(0, &out[4], uInt(4 + data.size()))));
    return out;
}

TEST(DecodePng, RgbaInAnyLayoutBecomesBgraWordsAtTheRowStride)
{
    expectNumberedRgba(decode(EncodePng(numberedRgba(false))));
    expectNumberedRgba(decode(EncodePng(numberedRgba(true))));
}

TEST(DecodePng, PaletteWithTransparencyGivesPerPixelAlpha)
{
    PngImage png = image(4, 1, 2, PNG_COLOR_TYPE_PALETTE, {0b00011011}); // indices 0, 1, 2, 3
    png.palette = {10, 20, 30, 40, 50, 60, 70, 80, 90, 1, 2, 3};
    png.paletteAlpha = {0, 128}; // entries past the table are opaque
    const Bitmap bitmap = decode(EncodePng(png));
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(pixelAt(*bitmap, 0, 0), 0x000a141eu);
    EXPECT_EQ(pixelAt(*bitmap, 1, 0), 0x8028323cu);
    EXPECT_EQ(pixelAt(*bitmap, 2, 0), 0xff46505au);
    EXPECT_EQ(pixelAt(*bitmap, 3, 0), 0xff010203u);
}

TEST(DecodePng, GreyAndRgbWithoutAlphaAreOpaque)
{
    const Bitmap grey16 = decode(EncodePng(image(2, 1, 16, PNG_COLOR_TYPE_GRAY, {0x12, 0x34, 0xfe, 0xff})));
    ASSERT_TRUE(grey16);
    EXPECT_EQ(pixelAt(*grey16, 0, 0), 0xff121212u); // the high byte of each sample
    EXPECT_EQ(pixelAt(*grey16, 1, 0), 0xfffefefeu);

    const Bitmap grey1 = decode(EncodePng(image(3, 1, 1, PNG_COLOR_TYPE_GRAY, {0b10100000})));
    ASSERT_TRUE(grey1);
    EXPECT_EQ(pixelAt(*grey1, 0, 0), 0xffffffffu);
    EXPECT_EQ(pixelAt(*grey1, 1, 0), 0xff000000u);
    EXPECT_EQ(pixelAt(*grey1, 2, 0), 0xffffffffu);

    const Bitmap rgb = decode(EncodePng(image(1, 2, 8, PNG_COLOR_TYPE_RGB, {1, 2, 3, 250, 251, 252})));
    ASSERT_TRUE(rgb);
    EXPECT_EQ(pixelAt(*rgb, 0, 0), 0xff010203u);
    EXPECT_EQ(pixelAt(*rgb, 0, 1), 0xfffafbfcu);

    const Bitmap greyAlpha = decode(EncodePng(image(1, 1, 8, PNG_COLOR_TYPE_GRAY_ALPHA, {77, 9})));
    ASSERT_TRUE(greyAlpha);
    EXPECT_EQ(pixelAt(*greyAlpha, 0, 0), 0x094d4d4du);
}

TEST(DecodePng, RejectsWhatIsNotACompletePng)
{
    const Bytes good = EncodePng(numberedRgba(false));
    ASSERT_TRUE(decode(good));

    EXPECT_FALSE(decode(Bytes(good.begin(), good.begin() + 8)));  // signature only
    EXPECT_FALSE(decode(Bytes(good.begin(), good.begin() + 7)));  // shorter than a signature
    EXPECT_FALSE(decode(Bytes(good.begin(), good.end() - 30)));   // truncated image data
    EXPECT_FALSE(DecodePng(nullptr, 100));

    Bytes wrongSignature = good;
    wrongSignature[0] = 0x88;
    EXPECT_FALSE(decode(wrongSignature));

    Bytes badHeaderCrc = good;
    badHeaderCrc[8 + 8 + 13] ^= 0x01; // the IHDR chunk's CRC
    EXPECT_FALSE(decode(badHeaderCrc));

    const std::size_t data = findChunk(good, "IDAT");
    Bytes badDataCrc = good;
    badDataCrc[data + 8 + (std::size_t(good[data + 2]) << 8 | good[data + 3])] ^= 0x01;
    EXPECT_FALSE(decode(badDataCrc));

    Bytes corruptData = good;
    corruptData[data + 8] ^= 0x40;
    EXPECT_FALSE(decode(corruptData));
}

TEST(DecodePng, AWarningDoesNotAbortDecoding)
{
    // A text chunk with a wrong CRC is an ancillary chunk's fault: libpng warns
    // and skips it.
    const Bytes good = EncodePng(numberedRgba(false));
    Bytes text = chunk("tEXt", std::string("Comment\0damaged", 15));
    text.back() ^= 0xff;
    Bytes withDamagedText = good;
    withDamagedText.insert(withDamagedText.begin() + std::ptrdiff_t(findChunk(good, "IDAT")), text.begin(),
                           text.end());
    expectNumberedRgba(decode(withDamagedText));
}

TEST(DecodePng, RefusesImagesLargerThanTheSideLimit)
{
    const int limit = int(kMaxPngSide);
    const Bitmap widest = decode(EncodePng(image(limit, 1, 8, PNG_COLOR_TYPE_GRAY, Bytes(std::size_t(limit), 9))));
    ASSERT_TRUE(widest);
    EXPECT_EQ(widest->Width(), limit);
    EXPECT_FALSE(decode(EncodePng(image(limit + 1, 1, 8, PNG_COLOR_TYPE_GRAY, Bytes(std::size_t(limit) + 1, 9)))));
    EXPECT_FALSE(decode(EncodePng(image(1, limit + 1, 8, PNG_COLOR_TYPE_GRAY, Bytes(std::size_t(limit) + 1, 9)))));

    // A header claiming 60000 x 60000 RGBA (14.4 GB) in front of valid data is
    // refused before any pixel memory is asked for.
    Bytes huge = EncodePng(numberedRgba(false));
    putBigEndian(huge, 16, 60000);
    putBigEndian(huge, 20, 60000);
    putBigEndian(huge, 29, std::uint32_t(crc32(0, &huge[12], 17)));
    EXPECT_FALSE(decode(huge));
}

} // namespace
