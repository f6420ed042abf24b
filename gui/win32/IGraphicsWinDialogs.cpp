// The standard dialogs and the desktop: file and colour dialogs, the browser, the
// well-known folders and the clipboard.
#include "IGraphicsWin.h"

#include <commdlg.h>
#include <shlobj.h>

#include <cwchar>

#include "FileFilter.h"
#include "FolderPath.h"
#include "TextCopy.h"

namespace {

constexpr int kSaveAction = 1;
constexpr std::size_t kDialogPathSize = 256;  // the dialog's file name and folder: 255 characters
constexpr DWORD kLongestModulePath = 32768;

// Sets the colour chooser's title to the prompt it was given.
UINT_PTR CALLBACK PromptTitleHook(HWND dialog, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        const auto* chooser = reinterpret_cast<const CHOOSECOLORA*>(lParam);
        const auto* prompt = reinterpret_cast<const char*>(chooser->lCustData);
        if (prompt && *prompt) SetWindowTextA(dialog, prompt);
    }
    return 0;
}

// The full path of a module's file (null: the program's), however long.
std::string ModuleFileName(HMODULE module)
{
    std::string name(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(module, &name[0], DWORD(name.size()));
        if (length == 0) return {};
        if (length < name.size()) return name.substr(0, length);
        if (name.size() >= kLongestModulePath) return {};
        name.resize(name.size() * 2);
    }
}

// UTF-16 text of at most `units` units (or up to its terminator) as UTF-8.
std::string Utf8Of(const wchar_t* wide, std::size_t units)
{
    const int length = int(wcsnlen(wide, units));
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, length, nullptr, 0, nullptr, nullptr);
    std::string text(std::size_t(size > 0 ? size : 0), '\0');
    if (size > 0) WideCharToMultiByte(CP_UTF8, 0, wide, length, &text[0], size, nullptr, nullptr);
    return text;
}

}  // namespace

// A list of extensions too long for the filter leaves the file name empty, as a
// cancelled dialog does, and shows nothing.
void IGraphicsWin::fileDialog(std::string& fileName, int action, std::string& directory, const char* extensions)
{
    FileFilter filter;
    if (!mainWindow_ || !filter.build(extensions)) {
        fileName.clear();
        return;
    }
    if (directory.empty()) desktopFolder(directory);
    char file[kDialogPathSize];
    char initialFolder[kDialogPathSize];
    CopyText(file, fileName.c_str());
    CopyText(initialFolder, directory.c_str());

    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = mainWindow_;
    dialog.lpstrFile = file;
    dialog.nMaxFile = sizeof file;
    dialog.lpstrInitialDir = initialFolder;
    dialog.lpstrFilter = filter.bytes.empty() ? nullptr : filter.bytes.c_str();
    dialog.lpstrDefExt = filter.defaultExtension.empty() ? nullptr : filter.defaultExtension.c_str();
    const bool saving = action == kSaveAction;
    dialog.Flags = saving ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST : OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    if (!(saving ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog))) {
        fileName.clear();
        return;
    }
    const std::string folder = FolderOf(file, "\\/");
    if (!folder.empty()) directory = folder;
    fileName = file;
}

bool IGraphicsWin::colorDialog(RgbaColor& color, const char* prompt)
{
    if (!mainWindow_) return false;
    if (!customColors_) customColors_ = std::make_unique<std::array<COLORREF, 16>>();
    CHOOSECOLORA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = mainWindow_;
    dialog.rgbResult = color.colorRef();
    dialog.lpCustColors = customColors_->data();
    dialog.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ENABLEHOOK | CC_SOLIDCOLOR | CC_ANYCOLOR;
    dialog.lCustData = reinterpret_cast<LPARAM>(prompt);
    dialog.lpfnHook = PromptTitleHook;
    if (!ChooseColorA(&dialog)) return false;
    color.red = GetRValue(dialog.rgbResult);
    color.green = GetGValue(dialog.rgbResult);
    color.blue = GetBValue(dialog.rgbResult);
    return true;
}

bool IGraphicsWin::launchBrowser(const char* url, const char* title, const char* confirmation, const char* error)
{
    if (!url) return false;
    if (confirmation && MessageBoxA(mainWindow_, confirmation, title, MB_YESNO) != IDYES) return false;
    if (browserLauncher() && browserLauncher()->openPage(mainWindow_, url)) return true;
    if (error) MessageBoxA(mainWindow_, error, title, MB_OK);
    return false;
}

void IGraphicsWin::hostFolder(std::string& folder)
{
    folder = FolderOf(ModuleFileName(nullptr), "\\");
}

void IGraphicsWin::moduleFolder(std::string& folder)
{
    folder = FolderOf(ModuleFileName(module_), "\\");
}

void IGraphicsWin::desktopFolder(std::string& folder)
{
    char path[MAX_PATH] = {};
    folder = SHGetSpecialFolderPathA(nullptr, path, CSIDL_DESKTOP, FALSE) ? path : "";
}

void IGraphicsWin::settingsFolder(std::string& folder, bool systemWide)
{
    char path[MAX_PATH] = {};
    const int which = systemWide ? CSIDL_COMMON_APPDATA : CSIDL_LOCAL_APPDATA;
    folder = SUCCEEDED(SHGetFolderPathA(nullptr, which, nullptr, SHGFP_TYPE_CURRENT, path)) ? path : "";
}

// The clipboard's data is read only within the memory it holds, terminated or not.
bool IGraphicsWin::readClipboardText(std::string& text)
{
    text.clear();
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(mainWindow_)) return false;
    bool read = false;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = Utf8Of(wide, GlobalSize(data) / sizeof(wchar_t));
            GlobalUnlock(data);
            read = true;
        }
    }
    CloseClipboard();
    return read;
}
