#pragma once

#include <memory>
#include <string>

struct _XDisplay;

namespace vorla::host {

// A host's top-level window for a plug-in view to open its editor in, on a display
// connection of its own (the display named by $DISPLAY). The plug-in gets it as
// the parent of attached("X11EmbedWindowID").
class HostWindow {
public:
    // Opens and maps the window; null and a message in `error` on failure.
    static std::unique_ptr<HostWindow> open(int width, int height, const char* title, std::string& error);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    _XDisplay* display() const { return connection; }
    unsigned long id() const { return window; }
    // The window id as a view's attached() takes it.
    void* parentHandle() const;
    int connectionNumber() const;

    // Reads the window's pending events; true once the user asked to close it.
    bool closeRequested();

private:
    HostWindow(_XDisplay* connection, unsigned long window, unsigned long deleteAtom)
        : connection(connection), window(window), deleteAtom(deleteAtom) {}

    _XDisplay* connection;
    unsigned long window;
    unsigned long deleteAtom;
    bool closing = false;
};

} // namespace vorla::host
