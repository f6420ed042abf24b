#pragma once

#include "XlibHeaders.h"

#include <memory>

#include "LICE_IBitmap.h"
#include "PixelRect.h"

// Copies pixels of the editor's surface into an XImage of any true-colour layout:
// each 8-bit channel is scaled into its mask, so visuals of other depths and byte
// orders show the same colours. The panel's alpha is dropped: the window shows it
// opaque, also where the visual has an alpha channel of its own.
void CopyToImage(const LICE_IBitmap& source, const PixelRect& area, XImage& image);

// The editor's picture on the server: a pixmap that is also the window's
// background, so the server repaints exposed parts of the window by itself, even
// when no host loop lets the editor see an Expose event. Presenting an area puts it
// into the pixmap through a staging image and repaints that part of the window.
class X11Surface {
public:
    // Null when the server cannot hold the pixmap or the visual is not true-colour.
    static std::unique_ptr<X11Surface> create(Display* display, Drawable onScreen, Visual* visual, int depth,
                                              int width, int height);
    ~X11Surface();
    X11Surface(const X11Surface&) = delete;
    X11Surface& operator=(const X11Surface&) = delete;

    Pixmap pixmap() const { return pixmap_; }
    // Puts `area` of `source` (clipped to both sizes) into the pixmap, and repaints
    // it in `window` when there is one.
    void present(const LICE_IBitmap& source, const PixelRect& area, Window window);

private:
    X11Surface(Display* display, Pixmap pixmap, XImage* image, GC gc);

    Display* display_;
    Pixmap pixmap_;
    XImage* image_;
    GC gc_;
};
