#pragma once

#include <cstdint>

// A rectangle in editor pixels, origin at the editor's top-left corner; right and
// bottom are exclusive. Only the all-zero rectangle counts as empty: a rectangle of
// zero width at non-zero coordinates is a real (if invisible) place.
struct PixelRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t width() const { return right - left; }
    int32_t height() const { return bottom - top; }

    bool isEmpty() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    bool contains(int x, int y) const;
    // Whether drawing in one touches the other. Right and bottom compare with >=, so
    // rectangles that only share an edge meet.
    bool meets(const PixelRect& other) const;
    // Grows this rectangle to the bounding box of both; an empty side counts as nothing.
    void unionWith(const PixelRect& other);

    bool operator==(const PixelRect& other) const
    {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
    bool operator!=(const PixelRect& other) const { return !(*this == other); }
};
