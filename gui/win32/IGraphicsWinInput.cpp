// The editor window's procedure: painting, the frame timer, mouse and keyboard
// messages turned into the graphics core's events, and tooltips.
#include "IGraphicsWin.h"

#include <commctrl.h>
#include <windowsx.h>

#include "WindowInput.h"

namespace {

// Win32 names space, digits and letters by their characters. The codes 0x61..0x7A
// (the keypad's digits 1-9 and operators, F1..F11) spell the lowercase letters and
// count as those.
KeyStroke StrokeOfVirtualKey(WPARAM key)
{
    switch (key) {
    case VK_UP: return {NamedKey::kUp, 0};
    case VK_DOWN: return {NamedKey::kDown, 0};
    case VK_LEFT: return {NamedKey::kLeft, 0};
    case VK_RIGHT: return {NamedKey::kRight, 0};
    default: return {NamedKey::kNone, char32_t(key)};
    }
}

// The host's top-level window sees the keys the editor does not take, so its
// shortcuts keep working while the editor has the focus.
void ForwardToHost(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND root = GetAncestor(window, GA_ROOT);
    if (root && root != window) SendMessageA(root, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK IGraphicsWin::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        auto* editor = static_cast<IGraphicsWin*>(create->lpCreateParams);
        if (!editor) return -1;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(editor));
        SetTimer(window, kFrameTimerId, UINT(editor->frameIntervalMs()), nullptr);
        SetFocus(window);
        return 0;
    }
    auto* editor = reinterpret_cast<IGraphicsWin*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!editor || editor->mainWindow_ != window) return DefWindowProcA(window, message, wParam, lParam);
    return editor->handleMessage(message, wParam, lParam);
}

LRESULT IGraphicsWin::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND window = mainWindow_;
    if (message == WM_NCDESTROY) {
        windowDestroyed();
        return DefWindowProcA(window, message, wParam, lParam);
    }
    if (textEntry_.holdsEditorInput()) {
        if (message != WM_LBUTTONDOWN && message != WM_RBUTTONDOWN)
            return DefWindowProcA(window, message, wParam, lParam);
        textEntry_.editorButtonPressed();
        pressTakenByField_ = true;
        return 0;
    }
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: return 0;
    case WM_PAINT: paint(); return 0;
    case WM_CLOSE: detachWindow(); return 0;
    case WM_TIMER:
        if (wParam == kFrameTimerId) frameTick();
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP: return handleKey(message, wParam, lParam);
    case WM_CTLCOLOREDIT: return colorTextField(reinterpret_cast<HDC>(wParam));
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHOVER:
    case WM_MOUSELEAVE: return handleMouse(message, wParam, lParam);
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

// A press while a field is open only ends the field (see TextEntry), and the release
// that follows belongs to no gesture. The middle button's release ends its gesture
// like the others', so the host never sees a begin without an end.
LRESULT IGraphicsWin::handleMouse(UINT message, WPARAM wParam, LPARAM lParam)
{
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    const MouseMods mods = ModsFromMouseFlags(GET_KEYSTATE_WPARAM(wParam), GetKeyState(VK_MENU) < 0);
    switch (message) {
    case WM_MOUSEMOVE:
        if (mods.left || mods.right) {
            if (GetCapture() == mainWindow_ && !textEntry_.isOpen()) onMouseDrag(x, y, mods);
        } else if (onMouseOver(x, y, mods)) {
            trackMouse();
        }
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (tooltipShown_) showTooltip(nullptr);
        pressTakenByField_ = textEntry_.isOpen();
        if (pressTakenByField_) {
            textEntry_.editorButtonPressed();
            return 0;
        }
        SetFocus(mainWindow_);
        SetCapture(mainWindow_);
        onMouseDown(x, y, mods);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        ReleaseCapture();
        if (pressTakenByField_) pressTakenByField_ = false;
        else onMouseUp(x, y, mods);
        return 0;
    case WM_LBUTTONDBLCLK:
        if (onMouseDblClick(x, y, mods)) SetCapture(mainWindow_);
        return 0;
    case WM_MOUSEWHEEL: {
        if (textEntry_.isOpen()) {
            textEntry_.editorWheelTurned();
            return 0;
        }
        // The wheel reports screen coordinates.
        RECT window;
        GetWindowRect(mainWindow_, &window);
        onMouseWheel(x - window.left, y - window.top, mods, WheelNotches(GET_WHEEL_DELTA_WPARAM(wParam)));
        return 0;
    }
    case WM_MOUSEHOVER: {
        const IControl* hovered = control(tooltipIndex_);
        showTooltip(hovered ? hovered->tooltip().c_str() : "");
        return 0;
    }
    case WM_MOUSELEAVE:
        if (tooltipShown_) showTooltip(nullptr);
        onMouseOut();
        return 0;
    default: return DefWindowProcA(mainWindow_, message, wParam, lParam);
    }
}

// After the host has seen a key it may have closed the editor, so nothing of the
// editor is touched after forwarding.
LRESULT IGraphicsWin::handleKey(UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND window = mainWindow_;
    KeyCode key;
    if (message == WM_KEYDOWN && TranslateKey(StrokeOfVirtualKey(wParam), key)) {
        POINT cursor;
        GetCursorPos(&cursor);
        ScreenToClient(window, &cursor);
        if (onKeyDown(cursor.x, cursor.y, key)) return 0;
    }
    ForwardToHost(window, message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

// The field's colours come from the edited control's style. The brush fills the
// field beyond its text, so it takes the background colour too.
LRESULT IGraphicsWin::colorTextField(HDC context)
{
    if (!textEntry_.isOpen()) return 0;
    const TextStyle& style = textEntry_.control()->textStyle();
    SetBkColor(context, style.entryBackground.colorRef());
    SetTextColor(context, style.entryForeground.colorRef());
    SetBkMode(context, OPAQUE);
    SetDCBrushColor(context, style.entryBackground.colorRef());
    return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
}

// WM_MOUSELEAVE is asked for on every move the core takes, WM_MOUSEHOVER when the
// pointer came to another control that may show a tooltip.
void IGraphicsWin::trackMouse()
{
    TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, mainWindow_, HOVER_DEFAULT};
    if (tooltipsOn_ && hoverControl() != tooltipIndex_) {
        tooltipIndex_ = hoverControl();
        if (tooltipIndex_ >= 0) track.dwFlags |= TME_HOVER;
        if (tooltipShown_) showTooltip(nullptr);
    }
    TrackMouseEvent(&track);
}

namespace {
TOOLINFOA ToolOf(HWND window, HMODULE module, const char* text)
{
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(window);
    tool.hinst = module;
    tool.lpszText = const_cast<char*>(text);
    return tool;
}
}  // namespace

void IGraphicsWin::openTooltips()
{
    const INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_TAB_CLASSES};
    if (InitCommonControlsEx(&classes)) {
        tooltip_ = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, mainWindow_, nullptr,
                                   module_, nullptr);
    }
    if (tooltip_) SetWindowPos(tooltip_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    TOOLINFOA tool = ToolOf(mainWindow_, module_, nullptr);
    if (!tooltip_ || !SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool))) {
        closeTooltips();
        tooltipsOn_ = false;
    }
}

void IGraphicsWin::closeTooltips()
{
    if (tooltip_) DestroyWindow(tooltip_);
    tooltip_ = nullptr;
    tooltipShown_ = false;
    tooltipIndex_ = -1;
}

// A null text hides the tooltip.
void IGraphicsWin::showTooltip(const char* text)
{
    if (!tooltip_) return;
    TOOLINFOA tool = ToolOf(mainWindow_, module_, text);
    SendMessageA(tooltip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    tooltipShown_ = text != nullptr;
}
