#include "WindowClass.h"

#include <mutex>

namespace {
// Editors open and close windows on the host's user-interface thread; the lock only
// keeps the count and the registration in step should a host use more than one.
std::mutex lock;
int userCount = 0;
}  // namespace

namespace WindowClass {

bool acquire(HINSTANCE module, const char* name, WNDPROC procedure)
{
    const std::lock_guard<std::mutex> guard(lock);
    if (userCount == 0) {
        WNDCLASSA windowClass = {};
        windowClass.style = CS_DBLCLKS;  // double-clicks arrive as such
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = module;
        windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        windowClass.lpszClassName = name;
        if (!RegisterClassA(&windowClass)) return false;
    }
    ++userCount;
    return true;
}

void release(HINSTANCE module, const char* name)
{
    const std::lock_guard<std::mutex> guard(lock);
    if (userCount == 0) return;
    if (--userCount == 0) UnregisterClassA(name, module);
}

int users()
{
    const std::lock_guard<std::mutex> guard(lock);
    return userCount;
}

}  // namespace WindowClass
