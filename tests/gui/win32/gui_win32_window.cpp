// The Win32 editor window under Wine: its life inside a host window, the shared
// window class, painting, synthesized mouse and keyboard messages, resizing and the
// two text paths.
#include <gtest/gtest.h>

#include "Win32EditorTest.h"

#include <commctrl.h>

#include "ITextControl.h"
#include "LICE_CachedFont.h"

using namespace wintest;
using guitest::kGain;

namespace {

using EditorWindow = Win32Editor;

RECT PlaceInParent(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

SIZE SizeOf(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

}  // namespace

TEST_F(EditorWindow, OpensAsAVisibleChildOfTheHostAndClosesWithoutATrace)
{
    EXPECT_TRUE(editor->supportsWindowType("HWND"));
    for (const char* other : {"HWNDX", "hwnd", "X11EmbedWindowID", ""}) EXPECT_FALSE(editor->supportsWindowType(other));
    EXPECT_FALSE(editor->supportsWindowType(nullptr));
    EXPECT_STREQ(editor->backendName(), "Windows GDI");
    EXPECT_FALSE(EditorClassRegistered());

    const HWND window = Open();
    ASSERT_TRUE(window);
    EXPECT_EQ(editor->windowHandle(), window);
    EXPECT_EQ(GetParent(window), host.handle());
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & (WS_CHILD | WS_VISIBLE), LONG(WS_CHILD | WS_VISIBLE));
    const RECT place = PlaceInParent(window);
    EXPECT_EQ(place.left, 0);
    EXPECT_EQ(place.top, 0);
    EXPECT_EQ(SizeOf(window).cx, 200);
    EXPECT_EQ(SizeOf(window).cy, 100);
    EXPECT_TRUE(EditorClassRegistered());

    // The frame timer paints what changed.
    Box& box = Add(PixelRect {10, 10, 20, 20});
    EXPECT_TRUE(PumpUntil([&] { return !box.needsPaint(); }, 1000));
    EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE));

    editor->detachWindow();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(editor->hasWindow());
    EXPECT_FALSE(EditorClassRegistered());
    EXPECT_EQ(editor->controlCount(), 2);
    editor->detachWindow();  // closed already: nothing to do
}

TEST_F(EditorWindow, ReopeningWhileOpenKeepsThePlaceAndSizeInTheNewParent)
{
    const HWND first = Open();
    SetWindowPos(first, nullptr, 10, 20, 150, 80, SWP_NOZORDER | SWP_NOACTIVATE);
    HostWindow second(300, 200);
    const auto window = static_cast<HWND>(editor->attachWindow(second.handle()));
    ASSERT_TRUE(window);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(GetParent(window), second.handle());
    const RECT place = PlaceInParent(window);
    EXPECT_EQ(place.left, 10);
    EXPECT_EQ(place.top, 20);
    EXPECT_EQ(SizeOf(window).cx, 150);
    EXPECT_EQ(SizeOf(window).cy, 80);

    // Closed and opened again, it starts afresh at the origin.
    editor->detachWindow();
    Open();
    EXPECT_EQ(SizeOf(static_cast<HWND>(editor->windowHandle())).cx, 200);
}

TEST_F(EditorWindow, AWindowGoneWithItsParentOrClosedByMessageLeavesNothingBehind)
{
    {
        HostWindow shortLived(100, 100);
        ASSERT_TRUE(Open(shortLived.handle()));
    }
    EXPECT_FALSE(editor->hasWindow());
    EXPECT_TRUE(EditorClassRegistered());  // until the editor is detached
    editor->detachWindow();
    EXPECT_FALSE(EditorClassRegistered());

    const HWND window = Open();
    Send(WM_CLOSE);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(EditorClassRegistered());
}

// An editor without controls draws nothing, but its window is painted all the same.
TEST_F(EditorWindow, AnEmptyEditorStillCompletesItsPaint)
{
    guitest::TestPlug emptyPlug;
    auto* empty = new IGraphicsWin(emptyPlug, 100, 50, 25);
    emptyPlug.AttachEditor(empty);
    const auto window = static_cast<HWND>(empty->attachWindow(host.handle()));
    EXPECT_TRUE(PumpUntil([&] { return !GetUpdateRect(window, nullptr, FALSE); }, 1000));
}

TEST_F(EditorWindow, ButtonsDragsAndReleasesReachTheControlWithTheMouseCaptured)
{
    plug.bindingCode = 0;  // the right button reaches controls
    Box& box = Add(PixelRect {10, 10, 60, 60}, kGain);
    const HWND window = Open();

    Send(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, At(20, 30));
    EXPECT_EQ(GetCapture(), window);
    Send(WM_MOUSEMOVE, MK_LBUTTON, At(22, 25));
    Send(WM_MOUSEMOVE, MK_LBUTTON, At(22, 25));  // no movement: no drag step
    Send(WM_LBUTTONUP, 0, At(22, 25));
    EXPECT_EQ(GetCapture(), nullptr);
    Send(WM_MOUSEMOVE, MK_LBUTTON, At(30, 30));  // without the capture nothing drags

    Send(WM_RBUTTONDOWN, MK_RBUTTON | MK_CONTROL, At(15, 15));
    Send(WM_RBUTTONUP, 0, At(15, 15));
    // The middle button's release ends its gesture too.
    Send(WM_MBUTTONDOWN, MK_MBUTTON, At(15, 15));
    Send(WM_MBUTTONUP, 0, At(15, 15));
    EXPECT_EQ(GetCapture(), nullptr);
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, At(16, 17));

    EXPECT_EQ(box.events, (std::vector<std::string> {"down 20 30 left shift", "drag 22 25 2 -5 left",
                                                      "up 22 25", "down 15 15 right control", "up 15 15",
                                                      "down 15 15", "up 15 15", "double 16 17"}));
    EXPECT_EQ(plug.host, (std::vector<std::string> {"begin 0", "end 0", "begin 0", "end 0", "begin 0", "end 0"}));
}

TEST_F(EditorWindow, TheWheelTurnsInWholeNotchesAtThePointerOverTheWindow)
{
    Box& box = Add(PixelRect {10, 10, 60, 60});
    const HWND window = Open();
    RECT screen;
    GetWindowRect(window, &screen);
    const LPARAM over = At(screen.left + 30, screen.top + 40);
    for (int travel : {240, 60, -120}) Send(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(short(travel))), over);
    EXPECT_EQ(box.events, (std::vector<std::string> {"wheel 30 40 2", "wheel 30 40 0", "wheel 30 40 -1"}));
}

TEST_F(EditorWindow, KeysNoControlTakesGoOnToTheHostsWindow)
{
    auto* keys = new Box(&plug, {});
    editor->setFallbackKeyControl(keys);
    Open();
    for (WPARAM key : {WPARAM('Q'), WPARAM(VK_F1), WPARAM('5'), WPARAM(VK_UP)}) Send(WM_KEYDOWN, key, 1);
    EXPECT_TRUE(host.keys().empty());
    keys->takesKeys = false;
    Send(WM_KEYDOWN, VK_SPACE, 1);
    Send(WM_KEYDOWN, VK_TAB, 1);
    Send(WM_KEYUP, 'Q', 1);
    EXPECT_EQ(keys->events, (std::vector<std::string> {"key 31", "key 30", "key 10", "key 1", "key 0"}));
    EXPECT_EQ(host.keys(), (std::vector<std::string> {"keydown 32", "keydown 9", "keyup 81"}));
}

TEST_F(EditorWindow, ResizingUnderTheVst3BindingChangesOnlyTheEditorWindow)
{
    const HWND frame = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 250, 150, host.handle(), nullptr,
                                       nullptr, nullptr);
    const HWND window = Open(frame);
    editor->setEditorSize(200, 100);  // unchanged: nothing happens
    EXPECT_TRUE(plug.host.empty());
    editor->setEditorSize(230, 110);
    EXPECT_EQ(plug.host, std::vector<std::string> {"resized 230 110"});
    EXPECT_EQ(editor->controlCount(), 0);
    EXPECT_EQ(editor->surface()->Width(), 230);
    EXPECT_EQ(SizeOf(window).cx, 230);
    EXPECT_EQ(SizeOf(window).cy, 110);
    EXPECT_EQ(SizeOf(frame).cx, 250);
    EXPECT_EQ(SizeOf(host.handle()).cx, 300);

    // Under another binding the parent and, as a child window, its parent grow too.
    plug.bindingCode = 0;
    editor->setEditorSize(240, 130);
    EXPECT_EQ(SizeOf(frame).cx, 260);
    EXPECT_EQ(SizeOf(frame).cy, 170);
    EXPECT_EQ(SizeOf(host.handle()).cx, 310);
    EXPECT_EQ(SizeOf(host.handle()).cy, 220);
}

TEST_F(EditorWindow, TooltipsComeAndGoWithTheWindow)
{
    editor->setTooltips(true);
    editor->setHoverTracking(true);
    Box& box = Add(PixelRect {10, 10, 60, 60});
    box.setTooltip("Gain");
    Open();
    const HWND tooltip = editor->tooltipWindow();
    ASSERT_TRUE(tooltip);
    Send(WM_MOUSEMOVE, 0, At(20, 20));
    Send(WM_MOUSEHOVER, 0, At(20, 20));
    char text[32] = {};
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = static_cast<HWND>(editor->windowHandle());
    tool.uId = reinterpret_cast<UINT_PTR>(tool.hwnd);
    tool.lpszText = text;
    SendMessageA(tooltip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, "Gain");
    editor->detachWindow();
    EXPECT_FALSE(IsWindow(tooltip));
}

// Wine has the "Software\Wine" key, so a font of the usual size draws glyph by
// glyph; one whose line is 256 pixels or more takes the platform's own path.
TEST_F(EditorWindow, BothTextPathsDrawIntoTheWindow)
{
    guitest::TestPlug textPlug;
    auto* texts = new IGraphicsWin(textPlug, 400, 300, 25);
    texts->insertBackground(new Box(&textPlug, {0, 0, 400, 300}, -1, 0xFFFFFFFF));
    auto* small = new ITextControl(&textPlug, {0, 0, 400, 40}, "Vorla 12 dB");
    auto* large = new ITextControl(&textPlug, {0, 40, 400, 300}, "Wg");
    small->textStyle().size = 20;
    large->textStyle().size = 256;
    texts->addControl(small);
    texts->addControl(large);
    textPlug.AttachEditor(texts);
    HostWindow textHost(400, 300);
    const auto window = static_cast<HWND>(texts->attachWindow(textHost.handle()));
    SendMessageA(window, WM_TIMER, IGraphicsWin::kFrameTimerId, 0);

    const auto shown = CaptureWindow(window);
    const std::string capture = WriteCapture(*shown, "window-text-paths.png");
    const auto inkIn = [&](const PixelRect& area) {
        int ink = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) ink += (guitest::PixelAt(*shown, x, y) & 0xFF) < 128;
        return ink;
    };
    EXPECT_GT(inkIn(small->rect()), 50) << "see " << capture;
    EXPECT_GT(inkIn(large->rect()), 2000) << "see " << capture;
    EXPECT_LT(inkIn(small->rect()), 400 * 40 / 2) << "see " << capture;

    auto* smallFont = static_cast<LICE_CachedFont*>(small->textStyle().cachedFont);
    auto* largeFont = static_cast<LICE_CachedFont*>(large->textStyle().cachedFont);
    ASSERT_TRUE(smallFont && largeFont);
    EXPECT_GE(largeFont->LineHeight(), 256);
    EXPECT_EQ(smallFont->PathFor(texts->surface(), 0x100), LICE_TextPath::Glyphs);
    EXPECT_EQ(largeFont->PathFor(texts->surface(), 0x100), LICE_TextPath::Platform);
}
