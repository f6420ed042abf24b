#include "X11Surface.h"


#include <algorithm>
#include <cstdlib>

namespace {

// Where one 8-bit channel goes in a pixel of the image: scaled to the mask's
// width, rounded, so that full intensity stays full at any width.
struct ChannelPlace {
    int shift = 0;  // of the mask's lowest bit
    int bits = 0;   // in the mask
    unsigned long place(unsigned int value) const
    {
        const unsigned long top = (1ul << bits) - 1;
        return (value * top + 127) / 255 << shift;
    }
};

ChannelPlace PlaceOf(unsigned long mask)
{
    ChannelPlace place;
    if (mask == 0) return place;
    while (!(mask & 1)) {
        mask >>= 1;
        ++place.shift;
    }
    while (mask & 1) {
        mask >>= 1;
        ++place.bits;
    }
    return place;
}

}  // namespace

void CopyToImage(const LICE_IBitmap& source, const PixelRect& area, XImage& image)
{
    const ChannelPlace red = PlaceOf(image.red_mask), green = PlaceOf(image.green_mask),
                       blue = PlaceOf(image.blue_mask);
    // The bits of the depth that no colour uses are an alpha channel (a 32-bit
    // visual under a compositor): set, so the panel is opaque there too.
    const unsigned long depthBits = image.depth >= 64 ? ~0ul : (1ul << image.depth) - 1;
    const unsigned long opaque = depthBits & ~(image.red_mask | image.green_mask | image.blue_mask);
    const int right = std::min({area.right, source.Width(), image.width});
    const int bottom = std::min({area.bottom, source.Height(), image.height});
    const LICE_pixel* pixels = source.PixelData();
    if (!pixels) return;
    for (int y = std::max(area.top, 0); y < bottom; ++y) {
        const int row = source.BottomUp() ? source.Height() - 1 - y : y;
        const LICE_pixel* line = pixels + std::size_t(row) * std::size_t(source.RowStride());
        for (int x = std::max(area.left, 0); x < right; ++x) {
            const LICE_pixel p = line[x];
            XPutPixel(&image, x, y,
                      opaque | red.place((p >> 16) & 0xff) | green.place((p >> 8) & 0xff) | blue.place(p & 0xff));
        }
    }
}

std::unique_ptr<X11Surface> X11Surface::create(Display* display, Drawable onScreen, Visual* visual, int depth,
                                               int width, int height)
{
    if (!visual || (visual->c_class != TrueColor && visual->c_class != DirectColor)) return nullptr;
    if (width <= 0 || height <= 0) return nullptr;
    XImage* image = XCreateImage(display, visual, unsigned(depth), ZPixmap, 0, nullptr, unsigned(width),
                                 unsigned(height), 32, 0);
    if (!image) return nullptr;
    image->data = static_cast<char*>(std::calloc(std::size_t(image->bytes_per_line), std::size_t(height)));
    if (!image->data) {
        XDestroyImage(image);
        return nullptr;
    }
    const Pixmap pixmap = XCreatePixmap(display, onScreen, unsigned(width), unsigned(height), unsigned(depth));
    const GC gc = XCreateGC(display, pixmap, 0, nullptr);
    return std::unique_ptr<X11Surface>(new X11Surface(display, pixmap, image, gc));
}

X11Surface::X11Surface(Display* display, Pixmap pixmap, XImage* image, GC gc)
    : display_(display), pixmap_(pixmap), image_(image), gc_(gc)
{
}

X11Surface::~X11Surface()
{
    XFreeGC(display_, gc_);
    XFreePixmap(display_, pixmap_);
    XDestroyImage(image_);  // frees the pixel memory too
}

// XClearArea reads a zero width or height as "to the window's edge", so an area
// that clips to nothing must not reach it.
void X11Surface::present(const LICE_IBitmap& source, const PixelRect& area, Window window)
{
    const int left = std::max(area.left, 0), top = std::max(area.top, 0);
    const int right = std::min(area.right, image_->width), bottom = std::min(area.bottom, image_->height);
    if (right <= left || bottom <= top) return;
    CopyToImage(source, {left, top, right, bottom}, *image_);
    XPutImage(display_, pixmap_, gc_, image_, left, top, left, top, unsigned(right - left), unsigned(bottom - top));
    if (window) XClearArea(display_, window, left, top, unsigned(right - left), unsigned(bottom - top), False);
}
