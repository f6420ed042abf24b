#pragma once

#include "PlatformText.h"

#include <cstdint>
#include <vector>

// Glyph effects: font flags that transform each glyph's coverage mask once, when
// the glyph is first rendered. Any of them sends the font's text through the glyph
// path (the platform's own text drawing knows none of them).
enum LICE_GlyphEffect : int {
    kGlyphVertical = 0x1,   // text runs top to bottom, glyphs turned a quarter clockwise
    kGlyphBottomUp = 0x2,   // with kGlyphVertical: runs bottom to top, turned anticlockwise
    kGlyphBlur = 0x10,      // soften with a 3 x 3 binomial kernel
    kGlyphInverted = 0x20,  // ink where the glyph is not
    kGlyphMonochrome = 0x40, // coverage of 130 and more becomes full ink, the rest none
    kGlyphShadow = 0x80,    // an effect-coloured copy one pixel right and down, under the ink
    kGlyphOutline = 0x100,  // an effect-coloured rim one pixel around the ink, under it
};

// Whether glyphs of a font with these flags carry a second, effect-coloured plane.
bool HasEffectPlane(int fontFlags);

// Applies the font's effects to a trimmed glyph, in this order: inversion,
// monochrome threshold, shadow or outline marking, blur, and last the rotation of
// vertical text, so that every effect before it works in the glyph's own upright
// terms (a shadow falls below the text's baseline whichever way the text runs) and
// `left` stays the offset along the direction of writing. `effect` receives the
// effect plane (same size as the mask) where HasEffectPlane, and is left empty
// otherwise.
void ApplyGlyphEffects(RawGlyph& glyph, std::vector<std::uint8_t>& effect, int fontFlags);
