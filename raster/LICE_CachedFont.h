#pragma once

#include "GlyphCache.h"
#include "LICE_IFont.h"
#include "LICE_MemBitmap.h"

// How RenderText draws a given call.
enum class LICE_TextPath {
    None,     // nothing to do: no destination and not a measuring call
    Platform, // the platform's own text rendering
    Glyphs,   // the font's cached glyph masks
};

// A font that draws through the platform's text rendering where it can and
// otherwise from coverage masks it renders once per character. Created on the
// editor's thread and used there only; every font shares the process-wide state
// of FontSharedState.h.
class LICE_CachedFont : public LICE_IFont {
public:
    LICE_CachedFont();
    ~LICE_CachedFont() override;
    LICE_CachedFont(const LICE_CachedFont&) = delete;
    LICE_CachedFont& operator=(const LICE_CachedFont&) = delete;

    void AttachFontHandle(LICE_FontHandle handle, int flags) override;
    LICE_pixel SetInkColour(LICE_pixel colour) override;
    LICE_pixel SetPaperColour(LICE_pixel colour) override;
    LICE_pixel SetEffectColour(LICE_pixel colour) override;
    int SetPaperMode(int mode) override;
    void SetBlend(int mode, float opacity) override;
    int RenderText(LICE_IBitmap* dest, const char* text, int length, LICE_Rect* rect,
                   unsigned flags) override;
    LICE_pixel InkColour() const override { return inkColour_; }
    LICE_FontHandle FontHandle() const override { return fontHandle_; }
    int LineHeight() const override { return lineHeight_; }

    // Draws one glyph mask with its top-left corner at (x, y): the ink (and the
    // effect colour, under it, where the mask has an effect plane) blended into
    // `dest` weighted by coverage x the ink's alpha x the font's opacity, with the
    // font's blend operation, inside `clip` and the destination.
    virtual void RenderGlyph(LICE_IBitmap* dest, int x, int y, const GlyphMask& mask, const LICE_Rect& clip);

    // Extra pixels between the lines of the glyph path.
    void SetLineSpacing(int pixels) { lineSpacing_ = pixels; }
    int LineSpacing() const { return lineSpacing_; }
    int FontFlags() const { return fontFlags_; }

    // The path RenderText takes for these arguments. Asks the platform, once per
    // process, whether its own text drawing is usable.
    LICE_TextPath PathFor(LICE_IBitmap* dest, unsigned flags);
    const GlyphCache& Glyphs() const { return glyphs_; }

private:
    bool platformPathPreferred(unsigned flags);
    int renderPlatformText(LICE_IBitmap* dest, const char* text, int length, LICE_Rect& rect, unsigned flags);
    int renderGlyphText(LICE_IBitmap* dest, const char* text, int length, LICE_Rect& rect, unsigned flags);
    void fillPaper(LICE_IBitmap* dest, const LICE_Rect& cell, const LICE_Rect& clip);
    void blendPlane(LICE_IBitmap* dest, const LICE_Rect& area, const std::uint8_t* plane, int planeWidth,
                    LICE_pixel colour);
    void releaseHandle();

    LICE_pixel inkColour_ = 0;
    LICE_pixel paperColour_ = 0xFFFFFFFF;
    LICE_pixel effectColour_ = 0xFFFFFFFF;
    int paperMode_ = kPaperTransparent;
    int blendMode_ = kBlitCopy;
    float opacity_ = 1.0f;
    int fontFlags_ = 0;
    int lineHeight_ = 0;
    int lineSpacing_ = 0;
    GlyphCache glyphs_;
    LICE_FontHandle fontHandle_ = nullptr;
    LICE_MemBitmap blendSource_; // the coloured glyph handed to the blitter
};
