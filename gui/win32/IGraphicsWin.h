#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "IGraphics.h"
#include "TextEntry.h"

// The editor on Win32: a child window of class "IPlugWndClass" inside the host's
// window, a frame timer that repaints dirty controls, painting of the surface to the
// screen, mouse and keyboard messages turned into the graphics core's events, and
// the prompts and dialogs (text field, popup menus, message boxes, file and colour
// dialogs, the browser, folders and the clipboard).
//
// Everything runs on the thread that owns the window, the host's user-interface
// thread.
class IGraphicsWin : public IGraphics {
public:
    static constexpr const char* kWindowClassName = "IPlugWndClass";
    static constexpr UINT_PTR kFrameTimerId = 2;

    IGraphicsWin(IPlugBase& plug, int width, int height, int framesPerSecond);
    ~IGraphicsWin() override;

    bool supportsWindowType(const char* type) const override;
    // Opens the editor window inside `parent`; a window already open is closed first
    // and its place and size kept. Null when no window could be made.
    void* attachWindow(void* parent) override;
    void detachWindow() override;
    void* windowHandle() const override { return mainWindow_; }
    const char* backendName() const override { return "Windows GDI"; }

    bool presentArea(const PixelRect& area) override;
    void repaintArea(const PixelRect& area) override;
    void setEditorSize(int width, int height) override;
    void concealPointer() override;
    void revealPointer() override;
    LICE_IBitmap* decodeImageResource(int resourceId, const char* name) override;

    // Prompts.
    void abortTextField() override { textEntry_.abort(); }
    void openTextField(IControl* control, const TextStyle& style, const PixelRect& area, const char* text,
                       const PlugParam* param) override;
    PopupMenu* runPopupMenu(PopupMenu& menu, const PixelRect& anchor) override;
    int messageDialog(const char* text, const char* caption, int type) override;

    // Dialogs and the desktop.
    void fileDialog(std::string& fileName, int action, std::string& directory, const char* extensions) override;
    bool colorDialog(RgbaColor& color, const char* prompt) override;
    bool launchBrowser(const char* url, const char* title, const char* confirmation, const char* error) override;
    void hostFolder(std::string& folder) override;
    void moduleFolder(std::string& folder) override;
    void desktopFolder(std::string& folder) override;
    void settingsFolder(std::string& folder, bool systemWide) override;
    void sandboxSettingsFolder(std::string& folder) override { settingsFolder(folder, false); }
    bool readClipboardText(std::string& text) override;

    // The text field, if one is open, and the state of its entry.
    HWND textFieldWindow() const { return textField_.window; }
    const TextEntry& textEntry() const { return textEntry_; }
    // Tooltips over controls (off unless asked for before the window opens; they
    // also need hover tracking). The tooltip window, if one is open.
    void setTooltips(bool on) { tooltipsOn_ = on; }
    HWND tooltipWindow() const { return tooltip_; }

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK textFieldProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMouse(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleKey(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleTextFieldMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT colorTextField(HDC context);
    void paint();
    void frameTick();
    void windowDestroyed();
    void forwardToHost(UINT message, WPARAM wParam, LPARAM lParam);

    void openTooltips();
    void closeTooltips();
    void trackMouse();
    void showTooltip(const char* text);

    void serviceTextField(TextEntry::TickWork work);
    void commitTextField();
    void closeTextField();

    HWND messageOwner();

    HMODULE module_;
    HWND mainWindow_ = nullptr;
    HWND parent_ = nullptr;
    bool holdsWindowClass_ = false;  // also after the window went without detachWindow

    struct TextField {
        HWND window = nullptr;
        HFONT font = nullptr;
        WNDPROC previousProc = nullptr;
    };
    TextField textField_;
    TextEntry textEntry_;
    bool pressTakenByField_ = false;  // the release that follows belongs to no gesture

    bool tooltipsOn_ = false;
    HWND tooltip_ = nullptr;
    bool tooltipShown_ = false;
    int tooltipIndex_ = -1;

    bool pointerHidden_ = false;
    POINT hiddenAt_ = {-1, -1};

    std::unique_ptr<std::array<COLORREF, 16>> customColors_;
    HWND owner_ = nullptr;
    std::string ownerClass_;
};
