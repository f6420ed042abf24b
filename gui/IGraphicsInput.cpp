// The graphics core's mouse and key dispatch. Hit-testing runs from the last control
// to the first, so later controls lie above earlier ones; hidden and dimmed
// controls take no mouse events.
#include "IGraphics.h"

int IGraphics::controlAt(int x, int y) const
{
    for (int i = controls_.Count() - 1; i >= 0; --i) {
        const IControl* control = controls_.Get(i);
        if (!control->hidden() && !control->dimmed() && control->hitTest(x, y)) return i;
    }
    return -1;
}

int IGraphics::hoverTargetAt(int x, int y) const
{
    for (int i = controls_.Count() - 1; i >= 0; --i) {
        const IControl* control = controls_.Get(i);
        const bool awake = !control->dimmed() || control->hoverWhenDimmed();
        if (!control->hidden() && awake && control->hitTest(x, y)) return i;
    }
    return -1;
}

// A right click on a parameter's control belongs to the host (its automation menu
// and the like) when the binding offers one: the control never sees it, and its
// release ends nothing, since no edit began.
void IGraphics::onMouseDown(int x, int y, const MouseMods& mods)
{
    forgetGesture();
    releaseTakenByHostMenu_ = false;
    const int index = controlAt(x, y);
    if (index < 0) return;
    grabbedControl_ = index;
    dragX_ = x;
    dragY_ = y;
    IControl* control = controls_.Get(index);
    const int param = control->paramIndex();
    if (plug_.BindingCode() == IPlugBase::kVst3Binding && mods.right && param >= 0) {
        forgetGesture();
        releaseTakenByHostMenu_ = true;
        plug_.HostParamMenu(param, x, y);
        return;
    }
    if (param >= 0) plug_.BeginHostEdit(param);
    control->onMouseDown(x, y, mods);
}

void IGraphics::onMouseDrag(int x, int y, const MouseMods& mods)
{
    IControl* control = controls_.Get(grabbedControl_);
    if (!control) return;
    const int dx = x - dragX_, dy = y - dragY_;
    if (dx == 0 && dy == 0) return;
    dragX_ = x;
    dragY_ = y;
    control->onMouseDrag(x, y, dx, dy, mods);
}

void IGraphics::onMouseUp(int x, int y, const MouseMods& mods)
{
    if (releaseTakenByHostMenu_) {
        releaseTakenByHostMenu_ = false;
        return;
    }
    const int index = grabbedControl_ >= 0 ? grabbedControl_ : controlAt(x, y);
    forgetGesture();
    IControl* control = controls_.Get(index);
    if (!control) return;
    control->onMouseUp(x, y, mods);
    if (control->paramIndex() >= 0) plug_.EndHostEdit(control->paramIndex());
}

bool IGraphics::onMouseDblClick(int x, int y, const MouseMods& mods)
{
    forgetGesture();
    const int index = controlAt(x, y);
    IControl* control = controls_.Get(index);
    if (!control) return false;
    if (!control->doubleAsPress()) {
        control->onMouseDblClick(x, y, mods);
        return false;
    }
    grabbedControl_ = index;
    dragX_ = x;
    dragY_ = y;
    control->onMouseDown(x, y, mods);
    return true;
}

void IGraphics::onMouseWheel(int x, int y, const MouseMods& mods, int notches)
{
    IControl* control = controls_.Get(grabbedControl_ >= 0 ? grabbedControl_ : controlAt(x, y));
    if (control) control->onMouseWheel(x, y, mods, notches);
}

bool IGraphics::onMouseOver(int x, int y, const MouseMods& mods)
{
    if (!hoverTracking_) return false;
    const int index = grabbedControl_ >= 0 ? grabbedControl_ : hoverTargetAt(x, y);
    IControl* control = controls_.Get(index);
    if (!control) return true;
    dragX_ = x;
    dragY_ = y;
    control->onMouseOver(x, y, mods);
    if (hoverControl_ != index) {
        if (IControl* previous = controls_.Get(hoverControl_)) previous->onMouseOut();
    }
    hoverControl_ = index;
    return true;
}

void IGraphics::onMouseOut()
{
    for (int i = 0; i < controls_.Count(); ++i) controls_.Get(i)->onMouseOut();
    hoverControl_ = -1;
}

// The control holding the gesture takes keys first; the background never does, so
// keys over it (or over nothing) go to the fallback control.
IControl* IGraphics::keyTargetAt(int x, int y) const
{
    if (grabbedControl_ > 0) return controls_.Get(grabbedControl_);
    if (grabbedControl_ == 0) return fallbackKeyControl_.get();
    const int index = controlAt(x, y);
    return index > 0 ? controls_.Get(index) : fallbackKeyControl_.get();
}

bool IGraphics::onKeyDown(int x, int y, KeyCode key)
{
    IControl* target = keyTargetAt(x, y);
    return target && target->onKeyDown(x, y, key);
}
