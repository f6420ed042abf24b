#include "ShellBrowserLauncher.h"

#include <windows.h>
#include <shellapi.h>
#include <wininet.h>

namespace {
// ShellExecute reports success with any value above this one.
constexpr INT_PTR kLastShellError = 32;
}  // namespace

bool ShellBrowserLauncher::openPage(void* window, const char* url)
{
    DWORD connection = 0;
    if (!url || !InternetGetConnectedState(&connection, 0)) return false;
    const HINSTANCE result =
        ShellExecuteA(static_cast<HWND>(window), "open", url, nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > kLastShellError;
}
