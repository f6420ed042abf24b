#include "X11ErrorTrap.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace {

struct Watched {
    Display* display;
    unsigned long errors;
};

// The handler is process-wide, and Xlib may call it on whichever thread the host
// uses its own connection from, hence the lock.
std::mutex watchLock;
std::vector<Watched> watched;
XErrorHandler previousHandler = nullptr;

int CountOrPassOn(Display* display, XErrorEvent* error)
{
    XErrorHandler passOn = nullptr;
    {
        std::lock_guard<std::mutex> lock(watchLock);
        for (Watched& entry : watched) {
            if (entry.display == display) {
                ++entry.errors;
                return 0;
            }
        }
        passOn = previousHandler;
    }
    return passOn ? passOn(display, error) : 0;
}

Watched* Find(Display* display)
{
    auto found = std::find_if(watched.begin(), watched.end(),
                              [display](const Watched& entry) { return entry.display == display; });
    return found == watched.end() ? nullptr : &*found;
}

}  // namespace

X11ErrorTrap::X11ErrorTrap(Display* display) : display_(display)
{
    std::lock_guard<std::mutex> lock(watchLock);
    if (watched.empty()) previousHandler = XSetErrorHandler(CountOrPassOn);
    watched.push_back({display, 0});
}

// The handler is put back when the last trap goes, unless someone installed
// another one meanwhile: that one stays, and the errors it sees are its own.
X11ErrorTrap::~X11ErrorTrap()
{
    std::lock_guard<std::mutex> lock(watchLock);
    watched.erase(std::remove_if(watched.begin(), watched.end(),
                                 [this](const Watched& entry) { return entry.display == display_; }),
                  watched.end());
    if (!watched.empty()) return;
    XErrorHandler current = XSetErrorHandler(previousHandler);
    if (current != CountOrPassOn) XSetErrorHandler(current);
    previousHandler = nullptr;
}

bool X11ErrorTrap::syncFailed()
{
    XSync(display_, False);
    std::lock_guard<std::mutex> lock(watchLock);
    Watched* entry = Find(display_);
    const bool failed = entry && entry->errors > 0;
    if (entry) entry->errors = 0;
    return failed;
}
