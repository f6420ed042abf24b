#pragma once

#include "BlitBitmap.h"

#include <algorithm>

// Rectangle arithmetic shared by the two text paths.
namespace TextGeometry {

// Text is placed only within +-2^28 pixels, far beyond any bitmap, so that
// positions, extents and their sums always fit in an int.
constexpr int kMaxCoordinate = 1 << 28;

inline bool Placeable(const LICE_Rect& r)
{
    const auto fits = [](int v) { return v >= -kMaxCoordinate && v <= kMaxCoordinate; };
    return fits(r.left) && fits(r.top) && fits(r.right) && fits(r.bottom);
}

// Where a run of `size` pixels starts inside [start, end): at the start, centred
// (rounding towards the start) or flush with the end.
inline int AlignedStart(int start, int end, int size, bool centred, bool atEnd)
{
    if (atEnd) return end - size;
    if (centred) return start + (end - start - size) / 2;
    return start;
}

inline LICE_Rect Intersection(const LICE_Rect& a, const LICE_Rect& b)
{
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

inline bool IsEmpty(const LICE_Rect& r)
{
    return r.left >= r.right || r.top >= r.bottom;
}

inline LICE_Rect Bounds(const LICE_IBitmap& bitmap)
{
    return {0, 0, bitmap.Width(), bitmap.Height()};
}

} // namespace TextGeometry
