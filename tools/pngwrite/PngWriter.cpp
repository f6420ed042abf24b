#include "PngWriter.h"

#include <png.h>

#include <cstdio>

namespace {

int channelsOf(int colorType)
{
    switch (colorType) {
    case PNG_COLOR_TYPE_RGB: return 3;
    case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
    case PNG_COLOR_TYPE_RGB_ALPHA: return 4;
    default: return 1; // grey and palette indices
    }
}

void appendToVector(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void noFlush(png_structp) {}

// The libpng calls proper. Holds no object with a destructor: libpng's errors
// longjmp back into it.
bool encodeInto(png_structp png, png_infop info, const PngImage& image, png_bytep* rows,
                std::vector<std::uint8_t>* out)
{
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_write_fn(png, out, appendToVector, noFlush);
    png_set_IHDR(png, info, png_uint_32(image.width), png_uint_32(image.height), image.bitDepth,
                 image.colorType, image.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!image.palette.empty()) {
        png_set_PLTE(png, info, reinterpret_cast<png_const_colorp>(image.palette.data()),
                     int(image.palette.size() / 3));
    }
    if (!image.paletteAlpha.empty())
        png_set_tRNS(png, info, image.paletteAlpha.data(), int(image.paletteAlpha.size()), nullptr);
    png_set_compression_level(png, 9);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, info);
    return true;
}

} // namespace

int PngImage::rowBytes() const
{
    return (width * channelsOf(colorType) * bitDepth + 7) / 8;
}

std::vector<std::uint8_t> EncodePng(const PngImage& image)
{
    std::vector<std::uint8_t> out;
    std::vector<png_bytep> rows(std::size_t(image.height));
    for (int y = 0; y < image.height; ++y)
        rows[std::size_t(y)] = const_cast<png_bytep>(image.samples.data()) + std::size_t(y) * image.rowBytes();

    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    const bool encoded = info && encodeInto(png, info, image, rows.data(), &out);
    png_destroy_write_struct(&png, info ? &info : nullptr);
    if (!encoded) out.clear();
    return out;
}

PngImage RgbaImageOf(const LICE_IBitmap& bitmap)
{
    PngImage image;
    image.width = bitmap.Width();
    image.height = bitmap.Height();
    image.samples.reserve(std::size_t(image.width) * image.height * 4);
    for (int y = 0; y < image.height; ++y) {
        const int memoryRow = bitmap.BottomUp() ? image.height - 1 - y : y;
        const LICE_pixel* row = bitmap.PixelData() + std::ptrdiff_t(memoryRow) * bitmap.RowStride();
        for (int x = 0; x < image.width; ++x) {
            const LICE_pixel p = row[x];
            for (int shift : {16, 8, 0, 24}) image.samples.push_back(std::uint8_t(p >> shift));
        }
    }
    return image;
}

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}
