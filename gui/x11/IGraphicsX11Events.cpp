// The editor window's share of the host's loop: the frame tick, and the events of
// its display connection turned into the graphics core's entry points.

#include "IGraphicsX11.h"

void IGraphicsX11::onTimer()
{
    handlePendingEvents();
    onFrameTick();
    if (display_) XFlush(display_);
}

void IGraphicsX11::onReadable(int)
{
    handlePendingEvents();
    if (display_) XFlush(display_);
}

// Xlib may have read events off the connection during other requests, where the
// host's loop cannot see them, so every callback empties Xlib's queue. A handler
// may close the window (a host's menu can do so), which ends the loop.
void IGraphicsX11::handlePendingEvents()
{
    while (display_ && XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        handleEvent(event);
    }
}

void IGraphicsX11::handleEvent(XEvent& event)
{
    switch (event.type) {
    case ButtonPress: onButtonPress(event.xbutton); break;
    case ButtonRelease: onButtonRelease(event.xbutton); break;
    case MotionNotify: onMotion(event.xmotion); break;
    case KeyPress: onKeyPress(event.xkey); break;
    case LeaveNotify:
        if (hovering_) onMouseOut();
        hovering_ = false;
        break;
    case DestroyNotify:
        if (event.xdestroywindow.window != window_) break;
        window_ = 0;
        endCapturedGesture();
        break;
    default: break;
    }
}

// The server grabs the pointer for this window from a press until the last
// button is released: that grab is the capture of the Win32 window.
void IGraphicsX11::onButtonPress(const XButtonEvent& event)
{
    pointerX_ = event.x;
    pointerY_ = event.y;
    if (event.button == Button4 || event.button == Button5) {
        onMouseWheel(event.x, event.y, ModsFromState(event.state), event.button == Button4 ? 1 : -1);
        return;
    }
    if (event.button != Button1 && event.button != Button3) return;
    const MouseMods mods = ModsForButton(event.state, event.button, true);
    if (event.button == Button3) clicks_.otherPress();
    if (event.button == Button1 && clicks_.leftPress(std::uint32_t(event.time), event.x, event.y)) {
        captured_ = onMouseDblClick(event.x, event.y, mods);
        return;
    }
    onMouseDown(event.x, event.y, mods);
    captured_ = grabbedControl() >= 0;
}

void IGraphicsX11::onButtonRelease(const XButtonEvent& event)
{
    if (event.button != Button1 && event.button != Button3) return;
    captured_ = false;
    onMouseUp(event.x, event.y, ModsForButton(event.state, event.button, false));
}

void IGraphicsX11::onMotion(const XMotionEvent& event)
{
    pointerX_ = event.x;
    pointerY_ = event.y;
    const MouseMods mods = ModsFromState(event.state);
    if (mods.left || mods.right) {
        if (captured_) onMouseDrag(event.x, event.y, mods);
        return;
    }
    if (onMouseOver(event.x, event.y, mods)) hovering_ = true;
}

// A key no control takes goes on to the host's window, so the host's shortcuts
// keep working while the pointer is over the editor.
void IGraphicsX11::onKeyPress(XKeyEvent& event)
{
    KeyCode key;
    if (KeyCodeForKeysym(XLookupKeysym(&event, 0), key) && onKeyDown(event.x, event.y, key)) return;
    if (!parent_) return;
    XEvent forwarded {};
    forwarded.xkey = event;
    forwarded.xkey.window = parent_;
    forwarded.xkey.subwindow = None;
    XSendEvent(display_, parent_, True, KeyPressMask, &forwarded);
}
