#include "PixelRect.h"

#include <algorithm>

bool PixelRect::contains(int x, int y) const
{
    return !isEmpty() && left <= x && x < right && top <= y && y < bottom;
}

bool PixelRect::meets(const PixelRect& other) const
{
    return !isEmpty() && !other.isEmpty() && right >= other.left && left < other.right && bottom >= other.top &&
           top < other.bottom;
}

void PixelRect::unionWith(const PixelRect& other)
{
    if (other.isEmpty()) return;
    if (isEmpty()) {
        *this = other;
        return;
    }
    left = std::min(left, other.left);
    top = std::min(top, other.top);
    right = std::max(right, other.right);
    bottom = std::max(bottom, other.bottom);
}
