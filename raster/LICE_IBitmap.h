#pragma once

#include <cstdint>

// One pixel: bytes blue, green, red, alpha in memory, that is 0xAARRGGBB read as a
// little-endian 32-bit word. Colours are not premultiplied by alpha.
using LICE_pixel = std::uint32_t;

// A 32-bit bitmap. Rows are RowStride() pixels apart; a BottomUp() bitmap keeps its
// image row 0 last in memory. A bitmap without pixels (PixelData() null) is empty
// and every drawing operation treats it as nothing to do.
class LICE_IBitmap {
public:
    virtual ~LICE_IBitmap() = default;

    virtual LICE_pixel* PixelData() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual int RowStride() const = 0;
    virtual bool BottomUp() const { return false; }
    // Returns true when the size changed. Pixel contents are left as they were.
    virtual bool Resize(int width, int height) = 0;
    // The platform drawing context that paints into these pixels, or null.
    virtual void* DrawContext() const { return nullptr; }
    // Reserved for extensions keyed by a 32-bit code; none is defined.
    virtual std::intptr_t ExtensionCall(int /*code*/, void* /*data*/) { return 0; }
};
