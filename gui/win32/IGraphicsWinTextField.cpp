// The in-place text field over a control: an EDIT window whose procedure the editor
// replaces to filter characters and to learn of Return, Escape and the focus. The
// frame tick commits or closes it (see TextEntry for the states).
#include "IGraphicsWin.h"

namespace {
constexpr int kTextFieldId = 0x63;
constexpr int kCommittedTextSize = 32;  // at most 31 characters are taken from the field
constexpr WORD kAcceleratorCommand = 1;

DWORD AlignmentStyle(int32_t align)
{
    if (align == TextStyle::kAlignRight) return ES_RIGHT;
    return align != TextStyle::kAlignLeft ? ES_CENTER : ES_LEFT;
}
}  // namespace

void IGraphicsWin::openTextField(IControl* control, const TextStyle& style, const PixelRect& area, const char* text,
                                 const PlugParam* param)
{
    if (!control || textEntry_.isOpen() || !mainWindow_) return;
    const DWORD windowStyle = WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOHSCROLL | AlignmentStyle(style.align);
    const HWND field = CreateWindowExA(0, "EDIT", text ? text : "", windowStyle, area.left, area.top,
                                       area.width() + 1, area.height() + 1, mainWindow_,
                                       reinterpret_cast<HMENU>(INT_PTR(kTextFieldId)), module_, nullptr);
    if (!field) return;
    const HFONT font = CreateFontA(style.size, 0, 0, 0, style.style == TextStyle::kBold ? FW_BOLD : FW_DONTCARE,
                                   style.style == TextStyle::kItalic, FALSE, FALSE, DEFAULT_CHARSET,
                                   OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                   style.face);
    SendMessageA(field, EM_LIMITTEXT, WPARAM(control->fieldMaxChars()), 0);
    SendMessageA(field, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    SendMessageA(field, EM_SETSEL, 0, -1);
    SetFocus(field);
    // The field's own focus came first: the entry starts as being edited.
    const LONG_PTR previous = SetWindowLongPtrA(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(textFieldProc));
    textField_ = {field, font, reinterpret_cast<WNDPROC>(previous)};
    textEntry_.open(*control, param);
}

LRESULT CALLBACK IGraphicsWin::textFieldProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* editor = reinterpret_cast<IGraphicsWin*>(GetWindowLongPtrA(GetParent(window), GWLP_USERDATA));
    if (!editor || editor->textField_.window != window) return DefWindowProcA(window, message, wParam, lParam);
    return editor->handleTextFieldMessage(message, wParam, lParam);
}

LRESULT IGraphicsWin::handleTextFieldMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND field = textField_.window;
    const WNDPROC own = textField_.previousProc;
    if (tooltipShown_) showTooltip(nullptr);
    switch (message) {
    case WM_SETFOCUS: textEntry_.fieldFocused(); break;
    case WM_KILLFOCUS: textEntry_.fieldLostFocus(); break;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN) {
            textEntry_.returnPressed();
            return 0;
        }
        if (wParam == VK_ESCAPE) {
            textEntry_.escapePressed();
            return 0;
        }
        break;
    case WM_CHAR:
        if (!textEntry_.accepts(unsigned(wParam))) return 0;
        break;
    case WM_GETDLGCODE: {
        // A plain field also asks its dialog, if any, for Return.
        LRESULT code = CallWindowProcA(own, field, message, wParam, lParam);
        const MSG* queried = reinterpret_cast<const MSG*>(lParam);
        if (!textEntry_.param() && queried && queried->message == WM_KEYDOWN && queried->wParam == VK_RETURN)
            code |= DLGC_WANTALLKEYS;
        return code;
    }
    case WM_COMMAND:
        if (HIWORD(wParam) == kAcceleratorCommand) {
            textEntry_.commandChosen();
            return 0;
        }
        break;
    default: break;
    }
    return CallWindowProcA(own, field, message, wParam, lParam);
}

void IGraphicsWin::serviceTextField(TextEntry::TickWork work)
{
    if (work == TextEntry::TickWork::kCommitAndClose) commitTextField();
    else if (work == TextEntry::TickWork::kClose) closeTextField();
}

// The field closes before its text reaches the control, so a control that prompts
// again from there finds no field in the way.
void IGraphicsWin::commitTextField()
{
    char text[kCommittedTextSize] = {};
    SendMessageA(textField_.window, WM_GETTEXT, WPARAM(sizeof text), reinterpret_cast<LPARAM>(text));
    IControl* control = textEntry_.control();
    const PlugParam* param = textEntry_.param();
    closeTextField();
    acceptTextField(control, param, text);
}

// The field's own procedure goes back in first, so its last messages (the focus it
// loses) no longer reach the entry.
void IGraphicsWin::closeTextField()
{
    if (textField_.window) {
        SetWindowLongPtrA(textField_.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(textField_.previousProc));
        DestroyWindow(textField_.window);
    }
    if (textField_.font) DeleteObject(textField_.font);
    textField_ = {};
    textEntry_.close();
}
