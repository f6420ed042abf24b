#pragma once

#include "IGraphics.h"

// An editor without a window: it draws into its surface when asked and remembers
// what it presented, opens no window of any type, shows no prompts or dialogs, and
// takes its images from the resource lookup of the raster library. Tests and tools
// use it on every platform; a build without a window layer uses it as its editor.
class IGraphicsHeadless : public IGraphics {
public:
    using IGraphics::IGraphics;

    bool supportsWindowType(const char*) const override { return false; }
    void* attachWindow(void*) override { return nullptr; }
    void detachWindow() override {}
    void* windowHandle() const override { return nullptr; }
    const char* backendName() const override { return "headless"; }

    bool presentArea(const PixelRect& area) override;
    // Without a window to invalidate, the area is drawn and presented at once.
    void repaintArea(const PixelRect& area) override { draw(area); }
    LICE_IBitmap* decodeImageResource(int resourceId, const char* name) override;

    void abortTextField() override {}
    int messageDialog(const char*, const char*, int) override { return 0; }
    PopupMenu* runPopupMenu(PopupMenu&, const PixelRect&) override { return nullptr; }
    void openTextField(IControl*, const TextStyle&, const PixelRect&, const char*, const PlugParam*) override {}
    void hostFolder(std::string& folder) override { folder.clear(); }
    void moduleFolder(std::string& folder) override { folder.clear(); }
    void desktopFolder(std::string& folder) override { folder.clear(); }
    void settingsFolder(std::string& folder, bool) override { folder.clear(); }
    void sandboxSettingsFolder(std::string& folder) override { folder.clear(); }
    void fileDialog(std::string& fileName, int, std::string&, const char*) override { fileName.clear(); }
    bool colorDialog(RgbaColor&, const char*) override { return false; }
    bool launchBrowser(const char*, const char*, const char*, const char*) override { return false; }
    bool readClipboardText(std::string& text) override
    {
        text.clear();
        return false;
    }

    // How often an area was presented, and the last one.
    int presentCount() const { return presentCount_; }
    const PixelRect& lastPresentedArea() const { return lastPresented_; }

private:
    int presentCount_ = 0;
    PixelRect lastPresented_;
};
