#include "HostWindow.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdint>

namespace vorla::host {

std::unique_ptr<HostWindow> HostWindow::open(int width, int height, const char* title, std::string& error)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        error = "cannot open the X display (is DISPLAY set?)";
        return nullptr;
    }
    const int screen = DefaultScreen(display);
    const Window window = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, unsigned(width),
                                              unsigned(height), 0, BlackPixel(display, screen),
                                              BlackPixel(display, screen));
    // A fixed size: the editor does not resize.
    XSizeHints hints {};
    hints.flags = PMinSize | PMaxSize;
    hints.min_width = hints.max_width = width;
    hints.min_height = hints.max_height = height;
    XSetWMNormalHints(display, window, &hints);
    XStoreName(display, window, title);
    Atom deleteAtom = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, window, &deleteAtom, 1);
    XSelectInput(display, window, StructureNotifyMask);
    XMapWindow(display, window);
    XSync(display, False);
    return std::unique_ptr<HostWindow>(new HostWindow(display, window, deleteAtom));
}

HostWindow::~HostWindow()
{
    XDestroyWindow(connection, window);
    XCloseDisplay(connection);
}

void* HostWindow::parentHandle() const
{
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(window));
}

int HostWindow::connectionNumber() const
{
    return ConnectionNumber(connection);
}

bool HostWindow::closeRequested()
{
    while (XPending(connection) > 0) {
        XEvent event;
        XNextEvent(connection, &event);
        if (event.type == ClientMessage && Atom(event.xclient.data.l[0]) == deleteAtom)
            closing = true;
    }
    return closing;
}

} // namespace vorla::host
