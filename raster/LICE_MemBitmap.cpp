#include "LICE_MemBitmap.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace {

constexpr std::size_t kPixelAlignment = 64;
// The allocated size is kept as a 32-bit count; a bitmap that needs more is refused.
constexpr std::size_t kMaxBytes = std::numeric_limits<std::uint32_t>::max();

std::int64_t paddedStride(std::int64_t width, std::int64_t mask)
{
    return (width + mask) & ~mask;
}

} // namespace

LICE_MemBitmap::~LICE_MemBitmap()
{
    release();
}

LICE_pixel* LICE_MemBitmap::PixelData() const
{
    if (!raw_) return nullptr;
    const auto address = reinterpret_cast<std::uintptr_t>(raw_);
    const auto aligned = (address + kPixelAlignment - 1) & ~std::uintptr_t(kPixelAlignment - 1);
    return reinterpret_cast<LICE_pixel*>(aligned);
}

int LICE_MemBitmap::RowStride() const
{
    return static_cast<int>(paddedStride(width_, kRowAlignMask));
}

bool LICE_MemBitmap::Resize(int width, int height)
{
    if (width == width_ && height == height_) return false;
    width_ = width;
    height_ = height;

    // 64-bit arithmetic so that a huge request is refused rather than wrapped.
    const std::int64_t needed = std::int64_t(height) * paddedStride(width, kRowAlignMask) * 4;
    if (width > 0 && height > 0) {
        if (std::uint64_t(needed) > kMaxBytes || !reserve(std::size_t(needed))) release();
    } else {
        release();
    }
    if (!raw_) width_ = height_ = 0;
    return true;
}

bool LICE_MemBitmap::reserve(std::size_t needed)
{
    if (!raw_) {
        raw_ = std::malloc(needed + kPixelAlignment - 1);
        allocatedBytes_ = raw_ ? std::uint32_t(needed) : 0;
        return raw_ != nullptr;
    }
    if (allocatedBytes_ >= needed) return true;

    const std::size_t withSpare = std::min(needed / 4 * 5, kMaxBytes);
    if (void* grown = std::realloc(raw_, withSpare + kPixelAlignment - 1)) {
        raw_ = grown;
        allocatedBytes_ = std::uint32_t(withSpare);
        return true;
    }
    // The spare could not be had: settle for exactly what is needed.
    release();
    return reserve(needed);
}

void LICE_MemBitmap::release()
{
    std::free(raw_);
    raw_ = nullptr;
    allocatedBytes_ = 0;
}
