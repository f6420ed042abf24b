#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "LICE_IFont.h"
#include "TextStyle.h"

// The process-wide store of fonts, keyed by size, orientation, style and face,
// shared by every editor. Its lock is held only while searching or appending, never
// while a font is made. The fonts live until the module unloads.
class FontCache {
public:
    FontCache() = default;
    FontCache(const FontCache&) = delete;
    FontCache& operator=(const FontCache&) = delete;

    // The font for the style, made on first use and remembered in the style's
    // cachedFont; null when the platform cannot make it.
    LICE_IFont* fontFor(TextStyle& style);

private:
    static constexpr std::size_t kFaceSize = 36;
    struct Entry {
        int32_t size;
        int32_t orientation;
        int32_t style;
        char face[kFaceSize];
        std::unique_ptr<LICE_IFont> font;
    };

    LICE_IFont* find(const Entry& key);
    static LICE_IFont* makeFont(const TextStyle& style);

    std::mutex lock_;
    std::vector<Entry> entries_;
};

FontCache& SharedFontCache();
