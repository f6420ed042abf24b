#pragma once

#include "LICE_SysBitmap.h"

// What every LICE_CachedFont of the process shares: the count of live fonts, the
// bitmap glyphs are rasterised in, the bitmap platform text is drawn through for
// destinations without a drawing context, and whether the platform's own text
// drawing may be used. The two bitmaps are made on first use and released with
// the last font. Used on the editor's thread only, like the fonts themselves.
namespace FontShared {

void FontCreated();
// The last font going releases both bitmaps.
void FontDestroyed();
int LiveFonts();

// The glyph canvas, grown to at least `width` x `height` (and 256 x 256).
LICE_SysBitmap& GlyphCanvas(int width, int height);
// The text scratch bitmap, grown to at least `width` x `height` (and 4 x 4).
LICE_SysBitmap& TextScratch(int width, int height);
// Whether either bitmap currently exists.
bool HoldsBitmaps();

// True where the platform draws text itself and is not emulated. The emulation
// probe runs once per process, on the first question; the answer outlives the fonts.
bool PlatformTextUsable();
// How often the emulation probe has run in this process: 0 or 1.
int PlatformTextProbes();

} // namespace FontShared
