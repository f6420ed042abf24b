#pragma once

#include "LICE_IBitmap.h"
#include "SysSurface.h"

// A bitmap the operating system can also paint into and copy to a window: the
// editor's drawing surface. Shrinking reuses the section; growing allocates a new
// one with rows padded to a multiple of four pixels.
class LICE_SysBitmap : public LICE_IBitmap {
public:
    LICE_SysBitmap() = default;

    LICE_pixel* PixelData() const override { return pixels_; }
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    int RowStride() const override { return allocatedWidth_; }
    bool Resize(int width, int height) override;
    void* DrawContext() const override { return surface_.drawContext(); }

    int AllocatedWidth() const { return allocatedWidth_; }
    int AllocatedHeight() const { return allocatedHeight_; }

private:
    int width_ = 0;
    int height_ = 0;
    SysSurface surface_;
    LICE_pixel* pixels_ = nullptr;
    int allocatedWidth_ = 0;
    int allocatedHeight_ = 0;
};
