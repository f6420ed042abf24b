// The X11 editor's parts that need no display: what input means, the pixel layout
// it writes, launching a program detached, and the answers of its prompts.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "DetachedLaunch.h"
#include "GuiTestSupport.h"
#include "IGraphicsX11.h"
#include "X11Input.h"
#include "X11Surface.h"

namespace fs = std::filesystem;

namespace {

bool Same(const MouseMods& a, const MouseMods& b)
{
    return a.left == b.left && a.right == b.right && a.shift == b.shift && a.control == b.control && a.alt == b.alt;
}

}  // namespace

TEST(X11Input, ButtonsHeldAfterTheEventAndModifierKeys)
{
    // A press lists its own button; a release no longer does.
    EXPECT_TRUE(Same(ModsForButton(ShiftMask, Button1, true), {true, false, true, false, false}));
    EXPECT_TRUE(Same(ModsForButton(Button1Mask | Button3Mask, Button1, false), {false, true, false, false, false}));
    EXPECT_TRUE(Same(ModsForButton(ControlMask | Mod1Mask, Button3, true), {false, true, false, true, true}));
    // The wheel's buttons are no held buttons.
    EXPECT_TRUE(Same(ModsForButton(0, Button4, true), {}));
    EXPECT_TRUE(Same(ModsFromState(Button2Mask | LockMask | Mod4Mask), {}));
}

TEST(X11Input, KeysMapToTheCoresKeyCodesAndOthersAreLeftToTheHost)
{
    const struct {
        KeySym sym;
        int code;
    } mapped[] = {{XK_space, 0}, {XK_Up, 1}, {XK_Down, 2}, {XK_Left, 3}, {XK_Right, 4}, {XK_0, 5},
                  {XK_9, 14},    {XK_a, 15}, {XK_A, 15},    {XK_q, 31},    {XK_Q, 31},     {XK_z, 40}, {XK_Z, 40}};
    for (const auto& key : mapped) {
        KeyCode code = kKeySpace;
        ASSERT_TRUE(KeyCodeForKeysym(key.sym, code)) << key.sym;
        EXPECT_EQ(code, key.code) << key.sym;
    }
    for (KeySym other : {XK_F1, XK_Tab, XK_Return, XK_Escape, XK_KP_1, XK_KP_Up, XK_exclam, XK_adiaeresis}) {
        KeyCode code = kKeySpace;
        EXPECT_FALSE(KeyCodeForKeysym(other, code)) << other;
    }
}

TEST(X11Input, ASecondLeftPressCloseInTimeAndPlaceIsADoubleClick)
{
    DoubleClickDetector clicks;
    EXPECT_FALSE(clicks.leftPress(1000, 10, 10));
    EXPECT_TRUE(clicks.leftPress(1500, 14, 6));    // 500 ms, 4 pixels: still a double-click
    EXPECT_FALSE(clicks.leftPress(1600, 14, 6));   // the press after a double-click starts anew
    EXPECT_FALSE(clicks.leftPress(2101, 14, 6));   // 501 ms
    EXPECT_FALSE(clicks.leftPress(2200, 19, 6));   // 5 pixels
    clicks.otherPress();
    EXPECT_FALSE(clicks.leftPress(2300, 19, 6));   // a right press between breaks the pair
    // Server times wrap around after 2^32 ms.
    EXPECT_FALSE(clicks.leftPress(0xffffff00u, 0, 0));
    EXPECT_TRUE(clicks.leftPress(0x00000050u, 0, 0));
}

// Images laid out by hand, as servers of other depths and byte orders hold them.
TEST(X11Surface, EveryTrueColourLayoutGetsTheSameColours)
{
    LICE_MemBitmap source;
    source.Resize(2, 2);
    source.PixelData()[0] = 0x80ff8000;                       // orange, half transparent
    source.PixelData()[1] = 0xff123456;
    source.PixelData()[source.RowStride()] = 0xffffffff;
    source.PixelData()[source.RowStride() + 1] = 0xff000000;

    struct Layout {
        int depth, bits, order;
        unsigned long red, green, blue;
        unsigned long orange, other;
    } layouts[] = {
        {24, 32, LSBFirst, 0xff0000, 0x00ff00, 0x0000ff, 0xff8000, 0x123456},
        {24, 32, MSBFirst, 0x0000ff, 0x00ff00, 0xff0000, 0x0080ff, 0x563412},
        // An alpha channel in the spare bits: always opaque.
        {32, 32, LSBFirst, 0xff0000, 0x00ff00, 0x0000ff, 0xffff8000, 0xff123456},
        {16, 16, LSBFirst, 0xf800, 0x07e0, 0x001f, 0xfc00, (0x12 >> 3) << 11 | (0x34 >> 2) << 5 | 0x56 >> 3},
        // Ten bits a channel: v * 1023 / 255, rounded.
        {30, 32, LSBFirst, 0x3ff00000, 0x000ffc00, 0x000003ff, 0x3ffUL << 20 | 0x202 << 10,
         0x48UL << 20 | 0xd1 << 10 | 0x159},
    };
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.depth);
        char data[2 * 2 * 4] = {};
        XImage image {};
        image.width = image.height = 2;
        image.format = ZPixmap;
        image.data = data;
        image.byte_order = layout.order;
        image.bitmap_unit = 32;
        image.bitmap_bit_order = layout.order;
        image.bitmap_pad = 32;
        image.depth = layout.depth;
        image.bits_per_pixel = layout.bits;
        image.bytes_per_line = 2 * layout.bits / 8;
        image.red_mask = layout.red;
        image.green_mask = layout.green;
        image.blue_mask = layout.blue;
        ASSERT_TRUE(XInitImage(&image));
        CopyToImage(source, {0, 0, 2, 2}, image);
        EXPECT_EQ(XGetPixel(&image, 0, 0), layout.orange);
        EXPECT_EQ(XGetPixel(&image, 1, 0), layout.other);
        const unsigned long alpha = layout.depth == 32 ? 0xff000000 : 0;
        EXPECT_EQ(XGetPixel(&image, 0, 1), alpha | layout.red | layout.green | layout.blue);
        EXPECT_EQ(XGetPixel(&image, 1, 1), alpha);

        // Only the area is written, clipped to both sizes.
        std::fill(std::begin(data), std::end(data), 0);
        CopyToImage(source, {1, 0, 5, 5}, image);
        EXPECT_EQ(XGetPixel(&image, 0, 0), 0ul);
        EXPECT_EQ(XGetPixel(&image, 0, 1), 0ul);
        EXPECT_EQ(XGetPixel(&image, 1, 0), layout.other);
    }
}

class DetachedLaunchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    // A program that writes its first argument, unread by any shell, to a file.
    fs::path Program(const std::string& name, const std::string& text, fs::perms perms = fs::perms::owner_all)
    {
        const fs::path path = folder / name;
        std::ofstream(path) << text;
        fs::permissions(path, perms);
        return path;
    }
    std::string WaitForOutput()
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!fs::exists(output) && std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        std::ifstream file(output);
        return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    }
    std::string Recorder() const
    {
        return "#!/bin/sh\nprintf '%s' \"$1\" > '" + output.string() + ".tmp' && mv '" + output.string() + ".tmp' '" +
               output.string() + "'\n";
    }

    const fs::path folder = fs::path(VORLA_TEST_TEMP) / "launch";
    const fs::path output = folder / "argument.txt";
};

TEST_F(DetachedLaunchTest, TheArgumentArrivesWhole_AndNoChildIsLeftToReap)
{
    const std::string url = "https://example.invalid/a b?x=1&y=$(touch pwned);'\"";
    ASSERT_TRUE(LaunchDetached(Program("open", Recorder()).c_str(), url.c_str()));
    EXPECT_EQ(WaitForOutput(), url);
    EXPECT_FALSE(fs::exists(fs::current_path() / "pwned"));
    errno = 0;
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

TEST_F(DetachedLaunchTest, AProgramWithoutASlashIsSearchedInPath)
{
    Program("vorla-fake-open", Recorder());
    const std::string saved = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", ("/nonexistent:" + folder.string() + ":" + saved).c_str(), 1);
    const bool started = LaunchDetached("vorla-fake-open", "page");
    const bool missing = LaunchDetached("vorla-no-such-program", "page");
    setenv("PATH", saved.c_str(), 1);
    EXPECT_TRUE(started);
    EXPECT_EQ(WaitForOutput(), "page");
    EXPECT_FALSE(missing);
}

TEST_F(DetachedLaunchTest, WhatCannotRunIsReportedAsNotStarted)
{
    EXPECT_FALSE(LaunchDetached(Program("plain", Recorder(), fs::perms::owner_read).c_str(), "x"));
    EXPECT_FALSE(LaunchDetached(Program("garbage", "\x7f" "ELF not really", fs::perms::owner_all).c_str(), "x"));
    EXPECT_FALSE(LaunchDetached(folder.c_str(), "x"));  // a folder
    EXPECT_FALSE(LaunchDetached("", "x"));
    EXPECT_FALSE(LaunchDetached(nullptr, "x"));
    errno = 0;
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
}

TEST_F(DetachedLaunchTest, TheEditorOpensPagesButNoOptionsAndAsksNothing)
{
    guitest::TestPlug plug;
    IGraphicsX11 editor(plug, 100, 50, 25);
    editor.setBrowserProgram(Program("open", Recorder()).c_str());
    EXPECT_FALSE(editor.launchBrowser(nullptr, "", nullptr, nullptr));
    EXPECT_FALSE(editor.launchBrowser("", "", nullptr, nullptr));
    EXPECT_FALSE(editor.launchBrowser("--help", "", nullptr, nullptr));
    // A confirmation would need a message box, which the X11 editor has not.
    EXPECT_FALSE(editor.launchBrowser("https://example.invalid/", "", "Open it?", nullptr));
    EXPECT_FALSE(fs::exists(output));
    EXPECT_TRUE(editor.launchBrowser("https://example.invalid/", "", nullptr, "failed"));
    EXPECT_EQ(WaitForOutput(), "https://example.invalid/");
}

TEST(IGraphicsX11, WithoutAWindowItTakesOnlyItsOwnTypeAndAnswersPromptsAsCancelled)
{
    guitest::TestPlug plug;
    IGraphicsX11 editor(plug, 100, 50, 25);
    EXPECT_TRUE(editor.supportsWindowType("X11EmbedWindowID"));
    for (const char* other : {"HWND", "NSView", "X11EmbedWindowIDs", "x11embedwindowid", ""})
        EXPECT_FALSE(editor.supportsWindowType(other)) << other;
    EXPECT_FALSE(editor.supportsWindowType(nullptr));
    EXPECT_FALSE(editor.hasWindow());
    EXPECT_EQ(editor.attachWindow(nullptr), nullptr);
    editor.detachWindow();

    std::string text = "old";
    EXPECT_FALSE(editor.readClipboardText(text));
    EXPECT_EQ(text, "");
    std::string file = "name", directory = "/tmp";
    editor.fileDialog(file, 1, directory, "png");
    EXPECT_EQ(file, "");
    RgbaColor colour;
    EXPECT_FALSE(editor.colorDialog(colour, "Pick"));
    PopupMenu menu;
    EXPECT_EQ(editor.runPopupMenu(menu, {0, 0, 10, 10}), nullptr);
    EXPECT_EQ(editor.messageDialog("text", "caption", 0), 0);
}

TEST(IGraphicsX11, FoldersFollowTheProcessAndTheXdgVariables)
{
    guitest::TestPlug plug;
    IGraphicsX11 editor(plug, 100, 50, 25);
    std::string folder;
    editor.hostFolder(folder);
    EXPECT_EQ(fs::path(folder), fs::canonical("/proc/self/exe").parent_path() / "");
    editor.moduleFolder(folder);
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(fs::is_directory(folder));

    setenv("HOME", "/home/someone", 1);
    unsetenv("XDG_DESKTOP_DIR");
    unsetenv("XDG_CONFIG_HOME");
    editor.desktopFolder(folder);
    EXPECT_EQ(folder, "/home/someone/Desktop");
    editor.settingsFolder(folder, false);
    EXPECT_EQ(folder, "/home/someone/.config");
    editor.sandboxSettingsFolder(folder);
    EXPECT_EQ(folder, "/home/someone/.config");
    editor.settingsFolder(folder, true);
    EXPECT_EQ(folder, "/etc/xdg");

    setenv("XDG_DESKTOP_DIR", "/data/desk", 1);
    setenv("XDG_CONFIG_HOME", "relative/config", 1);  // not absolute: ignored
    editor.desktopFolder(folder);
    EXPECT_EQ(folder, "/data/desk");
    editor.settingsFolder(folder, false);
    EXPECT_EQ(folder, "/home/someone/.config");
}
