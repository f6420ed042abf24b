#pragma once

#include "LICE_IFont.h"

#include <array>
#include <cstdint>
#include <vector>

// A rendered glyph as the font keeps it.
struct GlyphRecord {
    static constexpr int kNotRendered = 0;
    static constexpr int kRendersNothing = -1;

    int offset = kNotRendered; // start of the mask in the coverage store, 1-based
    int width = 0;             // mask size; 0 wide for a blank such as a space
    int height = 0;
    int advance = 0;           // pen movement along the direction of writing
    int left = 0;              // mask start relative to the pen, along that direction
    char32_t code = 0;
};

// A glyph's coverage (0..255 per pixel, rows top to bottom) and, for shadow and
// outline fonts, its effect plane of the same size (else null).
struct GlyphMask {
    const std::uint8_t* coverage;
    const std::uint8_t* effect;
    int width;
    int height;
};

// The glyphs of one font handle, rendered on first use: codes below 128 in a
// direct table, others in a table kept sorted by code and searched by bisection,
// all masks in one coverage store.
class GlyphCache {
public:
    // Forgets every glyph (releasing the store's memory) and renders from now on
    // with `font` and the effects among `fontFlags`.
    void Reset(LICE_FontHandle font, int fontFlags);

    // The glyph of `code`, rendered now if it is new; null when it renders to
    // nothing. The record and its mask stay valid until the next Find.
    const GlyphRecord* Find(char32_t code);
    GlyphMask Mask(const GlyphRecord& glyph) const;

    const std::vector<GlyphRecord>& ExtraGlyphs() const { return extra_; }
    std::size_t StoreBytes() const { return store_.size(); }

private:
    GlyphRecord render(char32_t code);

    LICE_FontHandle font_ = nullptr;
    int fontFlags_ = 0;
    std::array<GlyphRecord, 128> direct_{};
    std::vector<GlyphRecord> extra_;
    std::vector<std::uint8_t> store_;
};
