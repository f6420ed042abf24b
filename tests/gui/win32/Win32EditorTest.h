#pragma once

// An IGraphicsWin editor on the recording test plug-in, opened in a host window of
// its own, with controls that record what reaches them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GuiTestSupport.h"
#include "IGraphicsWin.h"
#include "WindowTestSupport.h"

namespace wintest {

// A control that fills its rectangle with one colour (or draws nothing) and records
// the events that reach it: "down 20 30 left shift", "key 31", "text hi", ...
class Box : public IControl {
public:
    Box(IPlugBase* plug, const PixelRect& rect, int param = -1, LICE_pixel colour = 0)
        : IControl(plug, rect, param), colour_(colour)
    {
    }

    std::vector<std::string> events;
    bool takesKeys = true;

    bool draw(IGraphics& graphics) override
    {
        if (!colour_) return true;
        LICE_IBitmap& surface = *graphics.surface();
        for (int y = std::max(rect().top, 0); y < std::min(rect().bottom, surface.Height()); ++y)
            for (int x = std::max(rect().left, 0); x < std::min(rect().right, surface.Width()); ++x)
                surface.PixelData()[y * surface.RowStride() + x] = colour_;
        return true;
    }
    void onMouseDown(int x, int y, const MouseMods& mods) override
    {
        events.push_back("down " + Where(x, y) + Mods(mods));
        IControl::onMouseDown(x, y, mods);
    }
    void onMouseUp(int x, int y, const MouseMods& mods) override { events.push_back("up " + Where(x, y) + Mods(mods)); }
    void onMouseDrag(int x, int y, int dx, int dy, const MouseMods& mods) override
    {
        events.push_back("drag " + Where(x, y) + " " + Where(dx, dy) + Mods(mods));
    }
    void onMouseDblClick(int x, int y, const MouseMods&) override { events.push_back("double " + Where(x, y)); }
    void onMouseWheel(int x, int y, const MouseMods&, int notches) override
    {
        events.push_back("wheel " + Where(x, y) + " " + std::to_string(notches));
    }
    bool onKeyDown(int, int, KeyCode key) override
    {
        events.push_back("key " + std::to_string(int(key)));
        return takesKeys;
    }
    void takeTypedText(const char* text) override { events.push_back(std::string("text ") + text); }

private:
    static std::string Where(int x, int y) { return std::to_string(x) + " " + std::to_string(y); }
    static std::string Mods(const MouseMods& mods)
    {
        return std::string(mods.left ? " left" : "") + (mods.right ? " right" : "") + (mods.shift ? " shift" : "") +
               (mods.control ? " control" : "");
    }

    LICE_pixel colour_;
};

inline LPARAM At(int x, int y)
{
    return MAKELPARAM(x, y);
}

// The test plug-in with an editor of 200 x 100 pixels whose background (index 0)
// is a grey Box; tests add their controls, then open the window with Open().
class Win32Editor : public ::testing::Test {
protected:
    static constexpr LICE_pixel kGrey = 0xFF808080;

    Win32Editor() : editor(new IGraphicsWin(plug, 200, 100, 25))
    {
        editor->insertBackground(background = new Box(&plug, {0, 0, 200, 100}, -1, kGrey));
        SetCursorPos(1000, 900);  // away from every window, for the keys' target
    }
    ~Win32Editor() override
    {
        if (plug.Editor() != editor) delete editor;
    }

    template <typename... Args>
    Box& Add(Args&&... args)
    {
        auto* box = new Box(&plug, std::forward<Args>(args)...);
        editor->addControl(box);
        return *box;
    }
    // Hands the editor to the plug-in (values and surface) and opens its window.
    HWND Open(HWND parent = nullptr)
    {
        plug.AttachEditor(editor);
        return static_cast<HWND>(editor->attachWindow(parent ? parent : host.handle()));
    }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return SendMessageA(editor->windowHandle() ? static_cast<HWND>(editor->windowHandle()) : nullptr, message,
                            wParam, lParam);
    }
    void Tick() { Send(WM_TIMER, IGraphicsWin::kFrameTimerId); }

    HostWindow host {300, 200};
    guitest::TestPlug plug;
    IGraphicsWin* editor;  // owned by the plug-in
    Box* background;
};

}  // namespace wintest
