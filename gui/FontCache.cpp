#include "FontCache.h"

#include <cstring>

#include "LICE_CachedFont.h"
#include "PlatformFont.h"
#include "TextCopy.h"

namespace {
constexpr int kNormalWeight = 400;
constexpr int kBoldWeight = 700;
constexpr int kTenthsPerDegree = 10;
}  // namespace

LICE_IFont* FontCache::fontFor(TextStyle& style)
{
    Entry key {style.size, style.orientation, style.style, {}, nullptr};
    CopyText(key.face, style.face);
    LICE_IFont* font = find(key);
    if (!font) {
        key.font.reset(makeFont(style));
        font = key.font.get();
        if (!font) return nullptr;
        std::lock_guard<std::mutex> guard(lock_);
        entries_.push_back(std::move(key));
    }
    style.cachedFont = font;
    return font;
}

LICE_IFont* FontCache::find(const Entry& key)
{
    std::lock_guard<std::mutex> guard(lock_);
    for (const Entry& entry : entries_) {
        if (entry.size == key.size && entry.orientation == key.orientation && entry.style == key.style &&
            std::strcmp(entry.face, key.face) == 0)
            return entry.font.get();
    }
    return nullptr;
}

LICE_IFont* FontCache::makeFont(const TextStyle& style)
{
    const PlatformFontRequest request {style.face,
                                       style.size,
                                       style.style == TextStyle::kBold ? kBoldWeight : kNormalWeight,
                                       style.style == TextStyle::kItalic,
                                       style.orientation * kTenthsPerDegree,
                                       style.quality};
    const LICE_FontHandle handle = CreatePlatformFont(request);
    if (!handle) return nullptr;
    auto* font = new LICE_CachedFont;
    font->AttachFontHandle(handle, kFontOwnsHandle | kFontPreferPlatform);
    return font;
}

// Destroyed with the module's static objects, which empties it when the module
// unloads. The fonts share process-wide state of their own that must outlive the
// cache as it deletes them: a font made and dropped before the cache exists sets
// that state up first, so that it is torn down last.
FontCache& SharedFontCache()
{
    static const bool fontStateFirst = (LICE_CachedFont(), true);
    static FontCache cache;
    (void)fontStateFirst;
    return cache;
}
