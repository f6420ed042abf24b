#pragma once

#include "XlibHeaders.h"

// Xlib hands protocol errors to one process-wide handler, and its default handler
// ends the process. A plug-in cannot allow that: the host's parent window id may
// be stale, and the host may destroy that window (and ours with it) before it
// closes the editor. While a trap watches a connection, errors on it are counted
// instead; errors on every other connection (the host's own) still go to the
// handler that was installed before.
class X11ErrorTrap {
public:
    explicit X11ErrorTrap(Display* display);
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap&) = delete;
    X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

    // Waits until the server has handled every request sent so far, and tells
    // whether any of them failed since the last check.
    bool syncFailed();

private:
    Display* display_;
};
