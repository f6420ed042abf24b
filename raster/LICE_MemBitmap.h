#pragma once

#include "LICE_IBitmap.h"

#include <cstddef>
#include <cstdint>

// A bitmap in plain heap memory: pixels start on a 64-byte boundary and rows are
// padded to a multiple of four pixels. Growing keeps 25% spare so that a bitmap
// resized upwards in small steps does not reallocate each time; shrinking never
// reallocates.
class LICE_MemBitmap : public LICE_IBitmap {
public:
    LICE_MemBitmap() = default;
    ~LICE_MemBitmap() override;
    LICE_MemBitmap(const LICE_MemBitmap&) = delete;
    LICE_MemBitmap& operator=(const LICE_MemBitmap&) = delete;

    LICE_pixel* PixelData() const override;
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    int RowStride() const override;
    bool Resize(int width, int height) override;

    // Bytes reserved for pixels (without the alignment slack); 0 when empty.
    std::uint32_t AllocatedBytes() const { return allocatedBytes_; }

private:
    static constexpr std::uint32_t kRowAlignMask = 3;

    bool reserve(std::size_t needed);
    void release();

    void* raw_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    std::uint32_t allocatedBytes_ = 0;
};
