#pragma once

#include <cstddef>

#include "IControl.h"

// A clickable area that opens a web page in the system browser, trying a backup
// address when the first cannot be opened. It draws nothing.
class IURLControl : public IControl {
public:
    static constexpr std::size_t kAddressSize = 256;
    static constexpr std::size_t kCaptionSize = 1024;

    IURLControl(IPlugBase* plug, const PixelRect& rect, const char* pageAddress, const char* backupAddress = nullptr,
                const char* captionText = nullptr, const BlendSpec& blend = {});

    void onMouseDown(int x, int y, const MouseMods& mods) override;
    bool draw(IGraphics&) override { return true; }

    const char* pageAddress() const { return pageAddress_; }

private:
    char pageAddress_[kAddressSize] = {};
    char backupAddress_[kAddressSize] = {};
    char captionText_[kCaptionSize] = {};
};
