#pragma once

#include "BlitBitmap.h"
#include "LICE_IBitmap.h"

// A platform font: an HFONT on Windows, the native build's own face object elsewhere.
// Fonts are made with CreatePlatformFont (PlatformFont.h).
using LICE_FontHandle = void*;

// Text flags of RenderText: the Win32 DrawText format values, plus two of our own.
enum LICE_TextFlags : unsigned {
    kTextCenter = 0x1,
    kTextRight = 0x2,
    kTextVCenter = 0x4,
    kTextBottom = 0x8,
    kTextSingleLine = 0x20,
    kTextNoClip = 0x100,
    kTextCalcRect = 0x400,           // measure only: sets the rectangle's right and bottom
    kTextInkHasAlpha = 0x40000000,   // the ink is not opaque: draw through the glyph path
    kTextGlyphPathOnly = 0x80000000, // always draw through the glyph path
};

// Font flags of AttachFontHandle.
enum LICE_FontFlags : int {
    kFontPrerenderAscii = 0x4,   // render the glyphs of codes 0..127 when the handle is attached
    kFontOwnsHandle = 0x200,     // delete the handle when it is replaced or the font is destroyed
    kFontPreferPlatform = 0x400, // draw with the platform's own text rendering where possible
    kFontEffectMask = 0x1F7,     // glyph effects; any of them forces the glyph path
};

// Paper modes of SetPaperMode (the Win32 background-mode values).
enum LICE_PaperMode : int { kPaperTransparent = 1, kPaperOpaque = 2 };

// A font that draws text into bitmaps. Colours are pixels of LICE_IBitmap's format.
class LICE_IFont {
public:
    virtual ~LICE_IFont() = default;

    virtual void AttachFontHandle(LICE_FontHandle handle, int flags) = 0;
    virtual LICE_pixel SetInkColour(LICE_pixel colour) = 0;     // returns the previous one
    virtual LICE_pixel SetPaperColour(LICE_pixel colour) = 0;   // for kPaperOpaque
    virtual LICE_pixel SetEffectColour(LICE_pixel colour) = 0;  // shadow and outline effects
    virtual int SetPaperMode(int mode) = 0;
    virtual void SetBlend(int mode, float opacity) = 0;         // a LICE_BlitMode for glyphs
    // Draws `text` (UTF-8; `length` bytes, or up to its terminator when negative) into
    // `rect` of `dest`, or measures it with kTextCalcRect (dest may then be null).
    // Returns the text's height, 0 when nothing could be drawn or measured.
    virtual int RenderText(LICE_IBitmap* dest, const char* text, int length, LICE_Rect* rect,
                           unsigned flags) = 0;
    virtual LICE_pixel InkColour() const = 0;
    virtual LICE_FontHandle FontHandle() const = 0;
    virtual int LineHeight() const = 0;
};
