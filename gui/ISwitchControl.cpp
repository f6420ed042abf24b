#include "ISwitchControl.h"

namespace {
// A little above 1, so that steps that add up to 1 with rounding error still reach
// the last frame before wrapping.
constexpr double kWrapAbove = 1.001;
}  // namespace

void ISwitchControl::onMouseDown(int, int, const MouseMods&)
{
    const int frames = strip().frameCount();
    const double step = frames > 1 ? 1.0 / (frames - 1) : 1.0;
    const double next = value() + step;
    setValue(next > kWrapAbove ? 0.0 : next);
    markChanged(true);
}
