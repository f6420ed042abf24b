#include "IKnobControl.h"

namespace {
constexpr double kFineFactor = 10.0;
constexpr double kNotchStep = 0.01;

bool wantsFine(const MouseMods& mods) { return mods.control || mods.shift; }
}  // namespace

IKnobControl::IKnobControl(IPlugBase* plug, const PixelRect& rect, int paramIndex, int dragAxis, double dragScale,
                           const BlendSpec& blend)
    : IControl(plug, rect, paramIndex, blend), dragAxis_(dragAxis), dragScale_(dragScale)
{
}

void IKnobControl::onMouseDrag(int, int, int dx, int dy, const MouseMods& mods)
{
    const double scale = wantsFine(mods) ? dragScale_ * kFineFactor : dragScale_;
    const bool vertical = dragAxis_ == kVertical;
    // Screen y grows downward, so the vertical span is the negative height.
    const double span = vertical ? rect().top - rect().bottom : rect().right - rect().left;
    if (span == 0.0 || scale == 0.0) return;  // a knob without extent cannot be dragged
    const double distance = vertical ? dy : dx;
    setValue(value() + distance / span / scale);
    markChanged(true);
}

void IKnobControl::onMouseWheel(int, int, const MouseMods& mods, int notches)
{
    const double step = wantsFine(mods) ? kNotchStep / kFineFactor : kNotchStep;
    setValue(value() + notches * step);
    markChanged(true);
}
