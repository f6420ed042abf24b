#include "GlyphCache.h"

#include "GlyphEffects.h"
#include "PlatformText.h"

#include <algorithm>

namespace {

bool columnIsEmpty(const RawGlyph& glyph, int x)
{
    for (int y = 0; y < glyph.height; ++y)
        if (glyph.coverage[std::size_t(y) * glyph.width + x]) return false;
    return true;
}

// Drops empty columns on both sides, moving `left` along; a glyph without any
// ink ends up 0 wide and keeps only its advance.
void trimColumns(RawGlyph& glyph)
{
    int first = 0, last = glyph.width;
    while (first < last && columnIsEmpty(glyph, first)) ++first;
    while (last > first && columnIsEmpty(glyph, last - 1)) --last;
    const int width = last - first;
    std::vector<std::uint8_t> kept(std::size_t(width) * glyph.height);
    for (int y = 0; y < glyph.height; ++y)
        std::copy_n(glyph.coverage.begin() + std::ptrdiff_t(y) * glyph.width + first, width,
                    kept.begin() + std::ptrdiff_t(y) * width);
    glyph.coverage.swap(kept);
    glyph.width = width;
    glyph.left += first;
}

bool wellFormed(const RawGlyph& glyph)
{
    return glyph.width >= 0 && glyph.height >= 0 &&
           glyph.coverage.size() == std::size_t(glyph.width) * std::size_t(glyph.height);
}

bool byCode(const GlyphRecord& record, char32_t code)
{
    return record.code < code;
}

} // namespace

void GlyphCache::Reset(LICE_FontHandle font, int fontFlags)
{
    font_ = font;
    fontFlags_ = fontFlags;
    direct_.fill(GlyphRecord{});
    extra_.clear();
    std::vector<std::uint8_t>().swap(store_);
}

const GlyphRecord* GlyphCache::Find(char32_t code)
{
    GlyphRecord* record;
    if (code < direct_.size()) {
        record = &direct_[code];
        if (record->offset == GlyphRecord::kNotRendered) *record = render(code);
    } else {
        auto at = std::lower_bound(extra_.begin(), extra_.end(), code, byCode);
        if (at == extra_.end() || at->code != code) at = extra_.insert(at, render(code));
        record = &*at;
    }
    return record->offset == GlyphRecord::kRendersNothing ? nullptr : record;
}

GlyphMask GlyphCache::Mask(const GlyphRecord& glyph) const
{
    const std::size_t size = std::size_t(glyph.width) * glyph.height;
    const std::uint8_t* coverage = store_.data() + (glyph.offset - 1);
    return {coverage, HasEffectPlane(fontFlags_) ? coverage + size : nullptr, glyph.width, glyph.height};
}

GlyphRecord GlyphCache::render(char32_t code)
{
    GlyphRecord record;
    record.code = code;
    RawGlyph glyph;
    if (!font_ || !PlatformRenderGlyph(font_, code, glyph) || !wellFormed(glyph)) {
        record.offset = GlyphRecord::kRendersNothing;
        return record;
    }
    trimColumns(glyph);
    std::vector<std::uint8_t> effect;
    ApplyGlyphEffects(glyph, effect, fontFlags_);

    record.offset = int(store_.size()) + 1;
    record.width = glyph.width;
    record.height = glyph.height;
    record.advance = glyph.advance;
    record.left = glyph.left;
    store_.insert(store_.end(), glyph.coverage.begin(), glyph.coverage.end());
    store_.insert(store_.end(), effect.begin(), effect.end());
    return record;
}
