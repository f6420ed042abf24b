#include "PlatformText.h"

#include "FontSharedState.h"
#include "Utf8.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace {

constexpr int kCoverageByte = 1; // green: the middle of the three, also under ClearType

COLORREF gdiColour(LICE_pixel pixel)
{
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

// Selects a font into a drawing context for the lifetime of the object.
class SelectedFont {
public:
    SelectedFont(HDC context, LICE_FontHandle font)
        : context_(context), previous_(SelectObject(context, static_cast<HGDIOBJ>(font))) {}
    ~SelectedFont() { SelectObject(context_, previous_); }
    SelectedFont(const SelectedFont&) = delete;
    SelectedFont& operator=(const SelectedFont&) = delete;

private:
    HDC context_;
    HGDIOBJ previous_;
};

// The glyph canvas's context, ready for white text on an opaque black
// background; null without one.
HDC glyphCanvasContext()
{
    const HDC context = static_cast<HDC>(FontShared::GlyphCanvas(0, 0).DrawContext());
    if (!context) return nullptr;
    SetTextColor(context, RGB(255, 255, 255));
    SetBkMode(context, OPAQUE);
    SetBkColor(context, RGB(0, 0, 0));
    return context;
}

int drawText(HDC context, const PlatformString& text, RECT& rect, unsigned flags)
{
    if (text.wide)
        return DrawTextW(context, reinterpret_cast<LPCWSTR>(text.wide), text.wideLength, &rect, flags);
    return DrawTextA(context, text.narrow, text.narrowLength, &rect, flags);
}

} // namespace

int PlatformFontLineHeight(LICE_FontHandle font)
{
    const HDC context = glyphCanvasContext();
    if (!context || !font) return 0;
    const SelectedFont selected(context, font);
    TEXTMETRICA metrics;
    return GetTextMetricsA(context, &metrics) ? int(metrics.tmHeight) : 0;
}

bool PlatformRenderGlyph(LICE_FontHandle font, char32_t code, RawGlyph& glyph)
{
    std::u16string units;
    AppendUtf16(code, units);
    const auto* text = reinterpret_cast<LPCWSTR>(units.data());
    const int count = int(units.size());
    constexpr UINT kAlone = DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP;

    const HDC context = glyphCanvasContext();
    if (!context || !font) return false;
    const SelectedFont selected(context, font);
    RECT cell = {0, 0, 0, 0};
    DrawTextW(context, text, count, &cell, kAlone | DT_CALCRECT);
    const int width = cell.right - cell.left, height = cell.bottom - cell.top;
    if (width <= 0 || height <= 0) return false;

    // Growing replaces the canvas's pixels but keeps its context and settings.
    const LICE_SysBitmap& canvas = FontShared::GlyphCanvas(width, height);
    if (canvas.Width() < width || canvas.Height() < height) return false;
    const auto row = [&](int y) { return reinterpret_cast<std::uint8_t*>(canvas.PixelData() + std::size_t(y) * canvas.RowStride()); };
    for (int y = 0; y < height; ++y) std::memset(row(y), 0, std::size_t(width) * sizeof(LICE_pixel));
    cell = {0, 0, width, height};
    DrawTextW(context, text, count, &cell, kAlone);
    GdiFlush();

    glyph.width = width;
    glyph.height = height;
    glyph.advance = width;
    glyph.left = 0;
    glyph.coverage.resize(std::size_t(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            glyph.coverage[std::size_t(y) * width + x] = row(y)[x * sizeof(LICE_pixel) + kCoverageByte];
    return true;
}

bool PlatformHasTextDrawing()
{
    return true;
}

bool PlatformTextIsEmulated()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Wine", 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

int PlatformDrawText(void* drawContext, LICE_FontHandle font, const PlatformString& text, LICE_Rect& rect,
                     unsigned flags, const PlatformTextColours& colours)
{
    const HDC context = static_cast<HDC>(drawContext);
    if (!context || !font) return 0;
    const SelectedFont selected(context, font);
    SetTextColor(context, gdiColour(colours.ink));
    SetBkMode(context, colours.paperMode);
    if (colours.paperMode == kPaperOpaque) SetBkColor(context, gdiColour(colours.paper));
    RECT box = {rect.left, rect.top, rect.right, rect.bottom};
    const int height = drawText(context, text, box, flags);
    // The caller reads the pixels next; GDI may still hold the drawing in its batch.
    GdiFlush();
    if (flags & DT_CALCRECT) rect = {box.left, box.top, box.right, box.bottom};
    return height;
}
