#pragma once

#include "LICE_IBitmap.h"
#include "PixelRect.h"

// A film strip: `frames` equally sized frames in one image, stacked top to bottom
// (or side by side when `horizontal`). The image belongs to the bitmap cache.
struct BitmapStrip {
    LICE_IBitmap* image = nullptr;
    int width = 0;   // of the whole image
    int height = 0;
    int frames = 1;
    bool horizontal = false;

    // A strip never has fewer than one frame, whatever its creator asked for.
    int frameCount() const { return frames > 1 ? frames : 1; }
    int frameWidth() const { return horizontal ? width / frameCount() : width; }
    int frameHeight() const { return horizontal ? height : height / frameCount(); }

    // Where one frame shows with its top-left corner at (x, y).
    PixelRect rectAt(int x, int y) const { return {x, y, x + frameWidth(), y + frameHeight()}; }
    // The zero-based frame for a normalised value: the value scaled to
    // 0 .. frames - 1 and rounded half up, bounded to the strip (NaN shows frame 0).
    int frameFor(double value) const;
    // The frame's first pixel along the strip: a source x for a horizontal strip, a
    // source y otherwise.
    int sourceOffset(int frame) const;
};
