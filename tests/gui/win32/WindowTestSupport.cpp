#include "WindowTestSupport.h"

#include "IGraphicsWin.h"
#include "PngWriter.h"

namespace wintest {

namespace {

constexpr const char* kHostClass = "VorlaTestHost";
constexpr UINT kDriverPeriodMs = 20;
constexpr DWORD kDriverPatienceMs = 5000;

HMODULE ProgramModule()
{
    return GetModuleHandleA(nullptr);
}

void RegisterHostClass()
{
    static const bool registered = [] {
        WNDCLASSA host = {};
        host.lpfnWndProc = DefWindowProcA;  // replaced per window below
        host.hInstance = ProgramModule();
        host.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        host.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        host.lpszClassName = kHostClass;
        return RegisterClassA(&host) != 0;
    }();
    (void)registered;
}

}  // namespace

HostWindow::HostWindow(int width, int height, int x, int y)
{
    RegisterHostClass();
    window_ = CreateWindowExA(0, kHostClass, "Test host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, y, width,
                              height, nullptr, nullptr, ProgramModule(), nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
    PumpFor(0);
}

HostWindow::~HostWindow()
{
    if (IsWindow(window_)) DestroyWindow(window_);
}

LRESULT CALLBACK HostWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* host = reinterpret_cast<HostWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (host && (message == WM_KEYDOWN || message == WM_KEYUP))
        host->keys_.push_back((message == WM_KEYDOWN ? "keydown " : "keyup ") + std::to_string(wParam));
    return DefWindowProcA(window, message, wParam, lParam);
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (done()) return true;
        if (GetTickCount() - start >= DWORD(timeoutMs)) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

void PumpFor(int milliseconds)
{
    PumpUntil([] { return false; }, milliseconds);
}

std::unique_ptr<LICE_MemBitmap> CaptureWindow(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    const int width = client.right, height = client.bottom;
    auto image = std::make_unique<LICE_MemBitmap>();
    image->Resize(width, height);

    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;  // top-down
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HDC screen = GetDC(window);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP section = CreateDIBSection(screen, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = SelectObject(memory, section);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const LICE_pixel*>(bits);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image->PixelData()[y * image->RowStride() + x] = pixels[y * width + x] | 0xFF000000u;
    SelectObject(memory, previous);
    DeleteObject(section);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return image;
}

std::string WriteCapture(const LICE_IBitmap& image, const std::string& name)
{
    const std::string path = std::string(VORLA_CAPTURE_DIR) + "/" + name;
    WriteFile(path, EncodePng(RgbaImageOf(image)));
    return path;
}

bool EditorClassRegistered()
{
    WNDCLASSA found;
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&EditorClassRegistered), &module);
    return GetClassInfoA(module, IGraphicsWin::kWindowClassName, &found) != 0;
}

namespace {
// The driver whose timer is running; tests show one modal window at a time.
ModalDriver* activeDriver = nullptr;

// The first window of a class, with a text if one is asked for, shown if asked.
struct WindowSearch {
    const char* windowClass;
    const char* text;
    bool shownOnly;
    HWND found;
};

BOOL CALLBACK FindWindowOf(HWND window, LPARAM lParam)
{
    auto& search = *reinterpret_cast<WindowSearch*>(lParam);
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (_stricmp(name, search.windowClass) != 0) return TRUE;
    if ((search.shownOnly && !IsWindowVisible(window)) || (search.text && WindowText(window) != search.text))
        return TRUE;
    search.found = window;
    return FALSE;
}

HWND ShownWindowOfClass(const char* windowClass)
{
    WindowSearch search = {windowClass, nullptr, true, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindWindowOf, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
}  // namespace

ModalDriver::ModalDriver(const char* windowClass, Action action)
    : windowClass_(windowClass), action_(std::move(action)), started_(GetTickCount())
{
    activeDriver = this;
    timer_ = SetTimer(nullptr, 0, kDriverPeriodMs, tick);
}

ModalDriver::~ModalDriver()
{
    KillTimer(nullptr, timer_);
    activeDriver = nullptr;
}

void CALLBACK ModalDriver::tick(HWND, UINT, UINT_PTR, DWORD)
{
    if (activeDriver) activeDriver->poll();
}

void ModalDriver::poll()
{
    const HWND shown = ShownWindowOfClass(windowClass_.c_str());
    if (!shown) return;
    if (!acted_) {
        acted_ = true;
        action_(shown);
        return;
    }
    if (GetTickCount() - started_ < kDriverPatienceMs) return;
    if (windowClass_ == "#32768") EndMenu();
    else PostMessageA(shown, WM_COMMAND, IDCANCEL, 0);
}

std::string WindowText(HWND window)
{
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

HWND FindChild(HWND parent, const char* windowClass, const char* text)
{
    WindowSearch search = {windowClass, text, false, nullptr};
    EnumChildWindows(parent, FindWindowOf, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace wintest
