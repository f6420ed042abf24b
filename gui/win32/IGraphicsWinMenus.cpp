// Popup menus and message boxes.
#include "IGraphicsWin.h"
#include "PopupMenuCommands.h"

namespace {

constexpr int kClassNameSize = 128;  // the owner's class name: 127 characters

UINT ItemFlags(int32_t flags)
{
    UINT menuFlags = MF_STRING;
    if (flags & PopupItem::kGrayed) menuFlags |= MF_GRAYED;
    if (flags & PopupItem::kDisabled) menuFlags |= MF_DISABLED;
    if (flags & PopupItem::kTicked) menuFlags |= MF_CHECKED;
    return menuFlags;
}

// The Win32 menu for `menu` and its submenus, each item under its command number. A
// submenu that cannot be made is left out; its items keep their numbers.
HMENU BuildMenu(PopupMenu& menu, const PopupMenuCommands& commands)
{
    const HMENU built = CreatePopupMenu();
    if (!built) return nullptr;
    for (int i = 0; i < menu.itemCount(); ++i) {
        PopupItem& item = menu.item(i);
        if (item.flags & PopupItem::kSeparator) {
            AppendMenuA(built, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const std::string label = PopupItemLabel(menu, i);
        if (item.submenu) {
            if (const HMENU submenu = BuildMenu(*item.submenu, commands))
                AppendMenuA(built, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), label.c_str());
            continue;
        }
        AppendMenuA(built, ItemFlags(item.flags), UINT_PTR(commands.command(menu, i)), label.c_str());
    }
    return built;
}

struct OwnerSearch {
    const std::string* className;
    HWND found;
};

BOOL CALLBACK FindOwner(HWND window, LPARAM lParam)
{
    auto& search = *reinterpret_cast<OwnerSearch*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId()) return TRUE;
    char name[kClassNameSize] = {};
    GetClassNameA(window, name, sizeof name);
    if (*search.className != name) return TRUE;
    search.found = window;
    return FALSE;
}

}  // namespace

// The menu posts the chosen item's command to the owner window, where it waits to
// be taken once tracking has ended.
PopupMenu* IGraphicsWin::runPopupMenu(PopupMenu& menu, const PixelRect& anchor)
{
    forgetGesture();
    if (!mainWindow_) return nullptr;
    const PopupMenuCommands commands(menu);
    const HMENU built = BuildMenu(menu, commands);
    if (!built) return nullptr;
    POINT corner = {anchor.left, anchor.bottom};
    ClientToScreen(mainWindow_, &corner);
    PopupMenu* chosen = nullptr;
    MSG choice;
    if (TrackPopupMenu(built, TPM_LEFTBUTTON, corner.x, corner.y, 0, mainWindow_, nullptr) &&
        PeekMessageA(&choice, mainWindow_, WM_COMMAND, WM_COMMAND, PM_REMOVE) && HIWORD(choice.wParam) == 0) {
        chosen = commands.choose(LOWORD(choice.wParam));
    }
    DestroyMenu(built);
    // The host may have closed the editor while the menu was up.
    if (mainWindow_) {
        const RECT all = {0, 0, width(), height()};
        InvalidateRect(mainWindow_, &all, FALSE);
    }
    return chosen;
}

int IGraphicsWin::messageDialog(const char* text, const char* caption, int type)
{
    return MessageBoxA(messageOwner(), text, caption, UINT(type));
}

// The host's top-level window above the editor owns message boxes. It is looked up
// when first needed and again once it is gone: by walking up from the editor's
// parent, or without one, among this process's windows of the class it had.
HWND IGraphicsWin::messageOwner()
{
    if (owner_ && IsWindow(owner_)) return owner_;
    owner_ = nullptr;
    if (parent_ && IsWindow(parent_)) {
        HWND top = parent_;
        while (const HWND above = GetParent(top)) top = above;
        char name[kClassNameSize] = {};
        GetClassNameA(top, name, sizeof name);
        owner_ = top;
        ownerClass_ = name;
    } else if (!ownerClass_.empty()) {
        OwnerSearch search = {&ownerClass_, nullptr};
        EnumWindows(FindOwner, reinterpret_cast<LPARAM>(&search));
        owner_ = search.found;
    }
    return owner_;
}
