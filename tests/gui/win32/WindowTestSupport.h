#pragma once

// Real windows for the Windows editor tests under Wine: a host's top-level window to
// open editors in, pumping messages until something happens, reading a window's
// pixels back from the screen, and answering the modal menus and dialogs an editor
// shows, from inside their own message loops.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "LICE_MemBitmap.h"

namespace wintest {

// A borderless top-level window at a fixed place on the screen, as a host's editor
// frame. It records the key messages that reach it.
class HostWindow {
public:
    HostWindow(int width, int height, int x = 0, int y = 0);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    HWND handle() const { return window_; }
    // "keydown 9", "keyup 81", ... in the order they arrived.
    const std::vector<std::string>& keys() const { return keys_; }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_ = nullptr;
    std::vector<std::string> keys_;
};

// Handles the thread's messages until `done` holds or `timeoutMs` has passed; true
// when it held.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 2000);
// Handles the thread's messages for a while.
void PumpFor(int milliseconds);

// The pixels a window shows on the screen, opaque.
std::unique_ptr<LICE_MemBitmap> CaptureWindow(HWND window);
// Writes an image under the test program's captures folder; returns the path.
std::string WriteCapture(const LICE_IBitmap& image, const std::string& name);

// Whether the module has the editor's window class registered now.
bool EditorClassRegistered();

// Acts on the first window of `windowClass` the thread shows ("#32770" for dialogs
// and message boxes, "#32768" for menus) while the test is inside the modal call
// that shows it. Whatever is still open a while later is closed, so a test fails
// instead of hanging.
class ModalDriver {
public:
    using Action = std::function<void(HWND)>;
    ModalDriver(const char* windowClass, Action action);
    ~ModalDriver();
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    // Whether such a window was found and acted on.
    bool acted() const { return acted_; }

private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD);
    void poll();

    std::string windowClass_;
    Action action_;
    UINT_PTR timer_ = 0;
    DWORD started_ = 0;
    bool acted_ = false;
};

// The text of a window (a dialog's title, a control's text).
std::string WindowText(HWND window);
// The first child of `parent` with this class and (unless null) this text.
HWND FindChild(HWND parent, const char* windowClass, const char* text = nullptr);

}  // namespace wintest
