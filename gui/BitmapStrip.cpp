#include "BitmapStrip.h"

#include <cmath>

int BitmapStrip::frameFor(double value) const
{
    const int count = frameCount();
    const double oneBased = std::trunc((count - 1) * value + 0.5) + 1.0;
    if (!(oneBased >= 1.0)) return 0;
    return oneBased < count ? int(oneBased) - 1 : count - 1;
}

int BitmapStrip::sourceOffset(int frame) const
{
    const int count = frameCount();
    if (count < 2 || frame < 1) return 0;
    const double length = horizontal ? width : height;
    return int(std::trunc(length * frame / count + 0.5));
}
