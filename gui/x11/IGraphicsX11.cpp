#include "IGraphicsX11.h"


#include <cstdint>
#include <cstring>

#include "DetachedLaunch.h"
#include "LinuxFolders.h"
#include "LoadPngResource.h"
#include "ResourceModule.h"
#include "X11ErrorTrap.h"
#include "X11Surface.h"

namespace {

constexpr const char* kX11WindowType = "X11EmbedWindowID";

// The XEmbed protocol version we follow and its "mapped" flag: an embedder that
// speaks XEmbed reads both from the window's _XEMBED_INFO property.
constexpr long kXEmbedVersion = 0;
constexpr long kXEmbedMapped = 1;

void AnnounceXEmbed(Display* display, Window window)
{
    const Atom info = XInternAtom(display, "_XEMBED_INFO", False);
    const long values[2] = {kXEmbedVersion, kXEmbedMapped};
    XChangeProperty(display, window, info, info, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(values),
                    2);
}

}  // namespace

IGraphicsX11::IGraphicsX11(IPlugBase& plug, int width, int height, int framesPerSecond)
    : IGraphics(plug, width, height, framesPerSecond)
{
}

// The plug-in is being destroyed around its editor, so a gesture still held is
// not reported to it any more.
IGraphicsX11::~IGraphicsX11()
{
    disconnectRunLoop();
    closeConnection();
}

bool IGraphicsX11::supportsWindowType(const char* type) const
{
    return type && std::strcmp(type, kX11WindowType) == 0;
}

void* IGraphicsX11::windowHandle() const
{
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(window_));
}

void* IGraphicsX11::attachWindow(void* parent)
{
    detachWindow();
    if (!parent || !surface()) return nullptr;
    Display* display = XOpenDisplay(nullptr);
    if (!display) return nullptr;
    errors_ = std::make_unique<X11ErrorTrap>(display);
    display_ = display;
    if (!openWindow(Window(reinterpret_cast<std::uintptr_t>(parent)))) {
        closeConnection();
        return nullptr;
    }
    connectRunLoop();
    XFlush(display_);
    return windowHandle();
}

// The window takes the parent's visual and depth, so that any true-colour parent
// works. The panel is drawn before the window is mapped: it shows complete from
// its first appearance, with a host loop or without.
bool IGraphicsX11::openWindow(Window parent)
{
    XWindowAttributes parentAttributes {};
    if (!XGetWindowAttributes(display_, parent, &parentAttributes) || errors_->syncFailed()) return false;
    visual_ = parentAttributes.visual;
    depth_ = parentAttributes.depth;
    screen_ = X11Surface::create(display_, parent, visual_, depth_, width(), height());
    if (!screen_) return false;
    XSetWindowAttributes attributes {};
    attributes.background_pixmap = screen_->pixmap();
    attributes.border_pixel = 0;
    window_ = XCreateWindow(display_, parent, 0, 0, unsigned(width()), unsigned(height()), 0, depth_, InputOutput,
                            visual_, CWBackPixmap | CWBorderPixel, &attributes);
    parent_ = parent;
    AnnounceXEmbed(display_, window_);
    markAllChanged();
    onFrameTick();
    XMapWindow(display_, window_);
    return !errors_->syncFailed();
}

void IGraphicsX11::detachWindow()
{
    if (!display_) return;
    endCapturedGesture();
    disconnectRunLoop();
    closeConnection();
}

// The window may already be gone with the host's parent; the trap takes the
// error that destroying it again gives.
void IGraphicsX11::closeConnection()
{
    if (!display_) return;
    if (window_) XDestroyWindow(display_, window_);
    window_ = 0;
    parent_ = 0;
    screen_.reset();
    errors_->syncFailed();
    errors_.reset();
    XCloseDisplay(display_);
    display_ = nullptr;
    captured_ = hovering_ = false;
}

// A gesture the window can no longer finish (it closed, or the server destroyed
// it with the button still held) ends as a release would end it, so the host
// never keeps an edit open.
void IGraphicsX11::endCapturedGesture()
{
    if (!captured_) return;
    captured_ = false;
    onMouseUp(pointerX_, pointerY_, MouseMods());
}

void IGraphicsX11::setRunLoop(IEditorRunLoop* loop)
{
    if (loop == runLoop_) return;
    disconnectRunLoop();
    runLoop_ = loop;
    if (!display_) return;
    connectRunLoop();
    XFlush(display_);
}

// The window asks for input only while a loop reads the connection: unread
// events would pile up on the server.
void IGraphicsX11::connectRunLoop()
{
    if (!runLoop_ || !window_) return;
    timerRunning_ = runLoop_->addTimer(*this, frameIntervalMs());
    readerRunning_ = runLoop_->addReader(*this, ConnectionNumber(display_));
    if (timerRunning_ || readerRunning_) {
        XSelectInput(display_, window_,
                     ButtonPressMask | ButtonReleaseMask | PointerMotionMask | LeaveWindowMask | KeyPressMask |
                         StructureNotifyMask);
    }
}

void IGraphicsX11::disconnectRunLoop()
{
    if (timerRunning_) runLoop_->removeTimer(*this);
    if (readerRunning_) runLoop_->removeReader(*this);
    if ((timerRunning_ || readerRunning_) && window_) XSelectInput(display_, window_, NoEventMask);
    timerRunning_ = readerRunning_ = false;
}

bool IGraphicsX11::presentArea(const PixelRect& area)
{
    if (!screen_ || !surface()) return true;
    screen_->present(*surface(), area, window_);
    XFlush(display_);
    return true;
}

// The new pixmap becomes the background at once; the controls the caller attaches
// next are dirty and paint it on the following tick.
void IGraphicsX11::setEditorSize(int width, int height)
{
    if (width == this->width() && height == this->height()) return;
    IGraphics::setEditorSize(width, height);
    if (!window_) return;
    screen_ = X11Surface::create(display_, window_, visual_, depth_, width, height);
    XResizeWindow(display_, window_, unsigned(width), unsigned(height));
    if (screen_) XSetWindowBackgroundPixmap(display_, window_, screen_->pixmap());
    XFlush(display_);
}

LICE_IBitmap* IGraphicsX11::decodeImageResource(int resourceId, const char* name)
{
    return LoadPngResource(ResourceModule(), resourceId, name);
}

// A leading dash would make the page address an option of the launcher.
bool IGraphicsX11::launchBrowser(const char* url, const char*, const char* confirmation, const char*)
{
    if (!url || !*url || *url == '-' || confirmation) return false;
    return LaunchDetached(browserProgram_.c_str(), url);
}

void IGraphicsX11::hostFolder(std::string& folder) { folder = ExecutableFolder(); }
void IGraphicsX11::moduleFolder(std::string& folder) { folder = ModuleFolder(); }
void IGraphicsX11::desktopFolder(std::string& folder) { folder = DesktopFolder(); }
void IGraphicsX11::settingsFolder(std::string& folder, bool systemWide) { folder = SettingsFolder(systemWide); }

bool IGraphicsX11::readClipboardText(std::string& text)
{
    text.clear();
    return false;
}
