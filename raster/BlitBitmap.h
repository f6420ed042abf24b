#pragma once

#include "LICE_IBitmap.h"

// A rectangle of bitmap pixels; right and bottom are exclusive.
struct LICE_Rect {
    int left;
    int top;
    int right;
    int bottom;
};

// Blit modes: the low byte selects the operation, kBlitUseSourceAlpha weights it by
// each source pixel's alpha. The editor uses exactly these four combinations:
// kBlitCopy, kBlitCopy | kBlitUseSourceAlpha, kBlitAdd | kBlitUseSourceAlpha and
// kBlitDodge | kBlitUseSourceAlpha. Any other mode draws nothing.
enum LICE_BlitMode : int {
    kBlitCopy = 0,
    kBlitAdd = 1,
    kBlitDodge = 2,
    kBlitOperationMask = 0xff,
    kBlitUseSourceAlpha = 0x10000,
};

// Composites `sourceRect` of `source` (null: all of it) onto `dest` with its top-left
// corner at (x, y), clipped to both bitmaps. Opacity 1.0 is full strength; values
// above 1.0 count as 1.0 and 0.0 draws nothing. Either bitmap may be bottom-up.
void BlitBitmap(LICE_IBitmap* dest, const LICE_IBitmap* source, int x, int y,
                const LICE_Rect* sourceRect, float opacity, int mode);
