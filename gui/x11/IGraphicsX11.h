#pragma once

#include "XlibHeaders.h"

#include <memory>
#include <string>

#include "IEditorRunLoop.h"
#include "IGraphics.h"
#include "X11Input.h"

class X11ErrorTrap;
class X11Surface;

// The editor on Linux: a child window inside the host's X11 window, on a display
// connection of its own. It starts no thread; the host's run loop (see
// IEditorRunLoop) drives its frame tick and reads its connection, on the host's
// user-interface thread. Events mean what they mean in the Win32 window: button 1
// and 3 press and release, a drag while a button is held (the server grabs the
// pointer for the window until the release), buttons 4 and 5 as one wheel notch
// each, double-clicks of the left button, the core's KeyCode keys, and keys no
// control takes sent on to the host's window.
//
// The window's background is the server-side copy of the panel (X11Surface), so
// the server repaints exposed parts itself. A host without a run loop therefore
// still gets a panel that paints, drawn once when the window opens; it takes no
// input and shows later changes only when the window is opened again.
//
// Prompts and dialogs are not offered on X11 (the product opens none): they answer
// as cancelled, and clipboard reads find nothing.
class IGraphicsX11 : public IGraphics, private IEditorRunLoop::Timer, private IEditorRunLoop::Reader {
public:
    IGraphicsX11(IPlugBase& plug, int width, int height, int framesPerSecond);
    ~IGraphicsX11() override;

    bool supportsWindowType(const char* type) const override;
    // `parent` is the host's X11 window id. Null when the display cannot be
    // opened or the parent is not a usable window.
    void* attachWindow(void* parent) override;
    void detachWindow() override;
    void setRunLoop(IEditorRunLoop* loop) override;
    void* windowHandle() const override;
    const char* backendName() const override { return "X11"; }

    bool presentArea(const PixelRect& area) override;
    // Drawing goes to the server at once; there is no paint message to wait for.
    void repaintArea(const PixelRect& area) override { draw(area); }
    void setEditorSize(int width, int height) override;
    LICE_IBitmap* decodeImageResource(int resourceId, const char* name) override;

    // Opens the page with xdg-open; false when it cannot be started. The
    // confirmation and error texts would need message boxes, which X11 lacks: with
    // a confirmation text nothing opens.
    bool launchBrowser(const char* url, const char* title, const char* confirmation, const char* error) override;
    void hostFolder(std::string& folder) override;
    void moduleFolder(std::string& folder) override;
    void desktopFolder(std::string& folder) override;
    void settingsFolder(std::string& folder, bool systemWide) override;
    void sandboxSettingsFolder(std::string& folder) override { settingsFolder(folder, false); }

    void abortTextField() override {}
    int messageDialog(const char*, const char*, int) override { return 0; }
    PopupMenu* runPopupMenu(PopupMenu&, const PixelRect&) override { return nullptr; }
    void openTextField(IControl*, const TextStyle&, const PixelRect&, const char*, const PlugParam*) override {}
    void fileDialog(std::string& fileName, int, std::string&, const char*) override { fileName.clear(); }
    bool colorDialog(RgbaColor&, const char*) override { return false; }
    bool readClipboardText(std::string& text) override;

    // The program launchBrowser starts (xdg-open); tests point it elsewhere.
    void setBrowserProgram(const char* program) { browserProgram_ = program; }

private:
    bool openWindow(Window parent);
    void closeConnection();
    void endCapturedGesture();
    void connectRunLoop();
    void disconnectRunLoop();
    long eventMask() const;

    void onTimer() override;
    void onReadable(int fd) override;
    void handlePendingEvents();
    void handleEvent(XEvent& event);
    void onButtonPress(const XButtonEvent& event);
    void onButtonRelease(const XButtonEvent& event);
    void onMotion(const XMotionEvent& event);
    void onKeyPress(XKeyEvent& event);

    Display* display_ = nullptr;
    Window window_ = 0;
    Window parent_ = 0;
    Visual* visual_ = nullptr;
    int depth_ = 0;
    std::unique_ptr<X11ErrorTrap> errors_;
    std::unique_ptr<X11Surface> screen_;
    IEditorRunLoop* runLoop_ = nullptr;
    bool timerRunning_ = false;
    bool readerRunning_ = false;
    bool captured_ = false;
    bool hovering_ = false;
    int pointerX_ = -1;  // where the last button or motion event happened
    int pointerY_ = -1;
    DoubleClickDetector clicks_;
    std::string browserProgram_ = "xdg-open";
};
