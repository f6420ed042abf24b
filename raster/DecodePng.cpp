#include "DecodePng.h"

#include <png.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

constexpr unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0d, 0x0a, 0x1a, 0x0a};

// Everything the decoder allocates or reads, kept outside the function that calls
// setjmp: libpng reports errors by longjmp, which skips destructors and leaves
// that function's own modified locals indeterminate, so the state lives here as
// plain data and is released by the caller whichever way decoding ends.
struct DecodeJob {
    const unsigned char* data;
    std::size_t length;
    std::size_t position;
    LICE_MemBitmap* bitmap;
    png_bytep* rows;
};

// Supplies the next n bytes. Past the end the buffer stays zero-filled, which
// libpng then rejects through its CRC and stream checks.
void readFromMemory(png_structp png, png_bytep out, png_size_t n)
{
    auto* job = static_cast<DecodeJob*>(png_get_io_ptr(png));
    std::memset(out, 0, n);
    const std::size_t available = job->length - job->position;
    const std::size_t count = n < available ? n : available;
    std::memcpy(out, job->data + job->position, count);
    job->position += count;
}

// Failures give no message: back to decodeInto's setjmp with nothing printed.
[[noreturn]] void failSilently(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

// Warnings (a damaged ancillary chunk, say) must neither abort decoding nor print.
void ignoreWarning(png_structp, png_const_charp) {}

// Sets up libpng to deliver every image as 8-bit A, R, G, B.
void requestArgb(png_structp png, png_infop info, int bitDepth, int colorType)
{
    bool hasAlpha = (colorType & PNG_COLOR_MASK_ALPHA) != 0;
    if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS)) {
        png_set_tRNS_to_alpha(png);
        hasAlpha = true;
    }
    if (bitDepth == 16) png_set_strip_16(png);
    if (bitDepth < 8) png_set_packing(png);
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
    if (hasAlpha) png_set_swap_alpha(png);
    else png_set_filler(png, 0xff, PNG_FILLER_BEFORE);
}

// A, R, G, B bytes in memory become the pixel word 0xAARRGGBB.
void argbToPixels(LICE_MemBitmap& bitmap)
{
    for (int y = 0; y < bitmap.Height(); ++y) {
        LICE_pixel* row = bitmap.PixelData() + std::ptrdiff_t(y) * bitmap.RowStride();
        for (int x = 0; x < bitmap.Width(); ++x) {
            const auto* b = reinterpret_cast<const unsigned char*>(row + x);
            row[x] = LICE_pixel(b[0]) << 24 | LICE_pixel(b[1]) << 16 | LICE_pixel(b[2]) << 8 | b[3];
        }
    }
}

// Runs the decode; returns false on any libpng error. Holds no object with a
// destructor, so the longjmp back into it is safe.
bool decodeInto(png_structp png, png_infop info, DecodeJob* job)
{
    if (setjmp(png_jmpbuf(png))) return false;

    png_set_read_fn(png, job, readFromMemory);
    png_read_info(png, info);
    png_uint_32 width = 0, height = 0;
    int bitDepth = 0, colorType = 0;
    png_get_IHDR(png, info, &width, &height, &bitDepth, &colorType, nullptr, nullptr, nullptr);
    if (width > kMaxPngSide || height > kMaxPngSide) return false;

    requestArgb(png, info, bitDepth, colorType);

    job->bitmap = new (std::nothrow) LICE_MemBitmap;
    if (!job->bitmap) return false;
    job->bitmap->Resize(int(width), int(height));
    if (job->bitmap->Width() != int(width) || job->bitmap->Height() != int(height)) return false;

    job->rows = static_cast<png_bytep*>(std::malloc(height * sizeof(png_bytep)));
    if (!job->rows) return false;
    const std::size_t rowBytes = std::size_t(job->bitmap->RowStride()) * sizeof(LICE_pixel);
    auto* first = reinterpret_cast<png_bytep>(job->bitmap->PixelData());
    for (png_uint_32 y = 0; y < height; ++y) job->rows[y] = first + y * rowBytes;

    png_read_image(png, job->rows); // also de-interlaces
    argbToPixels(*job->bitmap);
    return true;
}

} // namespace

LICE_MemBitmap* DecodePng(const void* bytes, std::size_t length)
{
    if (!bytes || length < sizeof kPngSignature || std::memcmp(bytes, kPngSignature, sizeof kPngSignature) != 0)
        return nullptr;

    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, failSilently, ignoreWarning);
    if (!png) return nullptr;
    png_infop info = png_create_info_struct(png);
    DecodeJob job = {static_cast<const unsigned char*>(bytes), length, 0, nullptr, nullptr};
    const bool decoded = info && decodeInto(png, info, &job);

    png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    std::free(job.rows);
    if (decoded) return job.bitmap;
    delete job.bitmap;
    return nullptr;
}
