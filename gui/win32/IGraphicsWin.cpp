// The editor window's life: opening and closing it, painting it from the surface,
// the frame tick, resizing, the pointer and the images.
#include "IGraphicsWin.h"

#include <cstring>

#include "LoadPngResource.h"
#include "ShellBrowserLauncher.h"
#include "WindowClass.h"

namespace {

// The module that holds this code: the plug-in's module in a host, the program
// itself when the editor is linked into one. Its images and window class are ours.
HMODULE ThisModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&ThisModule), &module);
    return module;
}

bool IsChildWindow(HWND window)
{
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    const LONG extended = GetWindowLongA(window, GWL_EXSTYLE);
    return (style & WS_CHILD) && !(extended & WS_EX_MDICHILD);
}

// Grows (or shrinks) a window by dw, dh, leaving it where it is.
void GrowWindow(HWND window, int dw, int dh)
{
    RECT r;
    if (!GetWindowRect(window, &r)) return;
    SetWindowPos(window, nullptr, 0, 0, r.right - r.left + dw, r.bottom - r.top + dh,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The other binding besides VST3 whose host sizes its own windows around the editor.
constexpr int32_t kHostSizedBinding = 3;

RECT RectOf(const PixelRect& area)
{
    return {area.left, area.top, area.right, area.bottom};
}

}  // namespace

IGraphicsWin::IGraphicsWin(IPlugBase& plug, int width, int height, int framesPerSecond)
    : IGraphics(plug, width, height, framesPerSecond), module_(ThisModule())
{
    setBrowserLauncher(std::make_unique<ShellBrowserLauncher>());
}

IGraphicsWin::~IGraphicsWin()
{
    detachWindow();
}

bool IGraphicsWin::supportsWindowType(const char* type) const
{
    return type && std::strcmp(type, "HWND") == 0;
}

void* IGraphicsWin::attachWindow(void* parent)
{
    const HWND parentWindow = static_cast<HWND>(parent);
    RECT place = {0, 0, width(), height()};
    RECT current, parentRect;
    if (mainWindow_ && GetWindowRect(mainWindow_, &current) && GetWindowRect(parentWindow, &parentRect)) {
        place = {current.left - parentRect.left, current.top - parentRect.top, current.right - parentRect.left,
                 current.bottom - parentRect.top};
    }
    detachWindow();
    parent_ = parentWindow;

    if (!WindowClass::acquire(module_, kWindowClassName, windowProc)) return nullptr;
    // WM_CREATE finds this editor in the creation parameter.
    mainWindow_ = CreateWindowExA(0, kWindowClassName, "IPlug", WS_CHILD | WS_VISIBLE, place.left, place.top,
                                  place.right - place.left, place.bottom - place.top, parentWindow, nullptr, module_,
                                  this);
    if (!mainWindow_) {
        WindowClass::release(module_, kWindowClassName);
        return nullptr;
    }
    holdsWindowClass_ = true;
    markAllChanged();
    if (tooltipsOn_) openTooltips();
    return mainWindow_;
}

// A field still open closes without a value: its control stays, but no one is left
// to finish typing. A pointer hidden over the window shows again.
void IGraphicsWin::detachWindow()
{
    if (mainWindow_) {
        closeTextField();
        closeTooltips();
        revealPointer();
        const HWND window = mainWindow_;
        mainWindow_ = nullptr;  // from here its messages are no longer the editor's
        DestroyWindow(window);
    }
    if (holdsWindowClass_) {
        holdsWindowClass_ = false;
        WindowClass::release(module_, kWindowClassName);
    }
}

// The window went with its parent while still open (the host closed its own window
// first). Its children and the timer went with it; the class stays counted until the
// editor is detached.
void IGraphicsWin::windowDestroyed()
{
    SetWindowLongPtrA(mainWindow_, GWLP_USERDATA, 0);
    mainWindow_ = nullptr;
    textField_.window = nullptr;
    closeTextField();
    tooltip_ = nullptr;
    tooltipShown_ = false;
    tooltipIndex_ = -1;
}

bool IGraphicsWin::presentArea(const PixelRect& area)
{
    if (!mainWindow_) return true;
    PAINTSTRUCT paint;
    const HDC window = BeginPaint(mainWindow_, &paint);
    if (window && surface()) {
        BitBlt(window, area.left, area.top, area.width(), area.height(), static_cast<HDC>(surface()->DrawContext()),
               area.left, area.top, SRCCOPY);
    }
    EndPaint(mainWindow_, &paint);
    return true;
}

// The update rectangle is painted even when nothing was drawn (an editor without
// controls), so that the window does not ask to be painted again and again.
void IGraphicsWin::paint()
{
    RECT update;
    if (!GetUpdateRect(mainWindow_, &update, FALSE)) return;
    draw({update.left, update.top, update.right, update.bottom});
    ValidateRect(mainWindow_, &update);
}

// Without a window the area is drawn into the surface at once, as a window's paint
// would, so that the controls' dirty state runs its course all the same.
void IGraphicsWin::repaintArea(const PixelRect& area)
{
    if (!mainWindow_) {
        draw(area);
        return;
    }
    const RECT r = RectOf(area);
    InvalidateRect(mainWindow_, &r, FALSE);
    if (textEntry_.isOpen()) {
        // The field lies over the edited control: the editor must not paint over it.
        const RECT edited = RectOf(textEntry_.control()->rect());
        ValidateRect(mainWindow_, &edited);
        UpdateWindow(mainWindow_);
        textEntry_.repaintedAround();
        return;
    }
    UpdateWindow(mainWindow_);
}

void IGraphicsWin::frameTick()
{
    const TextEntry::TickWork work = textEntry_.tick();
    if (work != TextEntry::TickWork::kScanDirty) {
        serviceTextField(work);
        return;
    }
    onFrameTick();
}

// The controls are replaced by the caller, so a field over one of them closes first.
// Where the host sizes its own windows the editor window alone changes; otherwise
// its parent and grandparent child windows grow with it.
void IGraphicsWin::setEditorSize(int newWidth, int newHeight)
{
    if (newWidth == width() && newHeight == height()) return;
    const int dw = newWidth - width(), dh = newHeight - height();
    closeTextField();
    tooltipIndex_ = -1;
    IGraphics::setEditorSize(newWidth, newHeight);
    if (!mainWindow_) return;

    GrowWindow(mainWindow_, dw, dh);
    const int32_t binding = plug().BindingCode();
    if (binding != IPlugBase::kVst3Binding && binding != kHostSizedBinding && IsChildWindow(mainWindow_)) {
        const HWND parent = GetParent(mainWindow_);
        const HWND grandparent = parent && IsChildWindow(parent) ? GetParent(parent) : nullptr;
        if (parent) GrowWindow(parent, dw, dh);
        if (grandparent) GrowWindow(grandparent, dw, dh);
    }
    const RECT all = {0, 0, newWidth, newHeight};
    InvalidateRect(mainWindow_, &all, FALSE);
}

void IGraphicsWin::concealPointer()
{
    if (pointerHidden_) return;
    GetCursorPos(&hiddenAt_);
    ShowCursor(FALSE);
    pointerHidden_ = true;
}

void IGraphicsWin::revealPointer()
{
    if (!pointerHidden_) return;
    SetCursorPos(hiddenAt_.x, hiddenAt_.y);
    ShowCursor(TRUE);
    pointerHidden_ = false;
}

LICE_IBitmap* IGraphicsWin::decodeImageResource(int resourceId, const char* name)
{
    return LoadPngResource(module_, resourceId, name);
}
