#include "SysSurface.h"

#include <windows.h>

#include <cstdint>
#include <limits>

SysSurface::SysSurface() : context_(CreateCompatibleDC(nullptr)) {}

SysSurface::~SysSurface()
{
    releaseSection();
    if (context_) DeleteDC(static_cast<HDC>(context_));
}

bool SysSurface::usable() const
{
    return context_ != nullptr;
}

LICE_pixel* SysSurface::createSection(int width, int height)
{
    releaseSection();
    if (std::uint64_t(width) * std::uint64_t(height) * 4 > std::numeric_limits<std::uint32_t>::max())
        return nullptr;

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER); // the 40-byte header
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // negative: rows run top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;

    void* bits = nullptr;
    const HDC context = static_cast<HDC>(context_);
    const HBITMAP section = CreateDIBSection(context, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!section) return nullptr;
    section_ = section;
    previousObject_ = SelectObject(context, section);
    return static_cast<LICE_pixel*>(bits);
}

void SysSurface::releaseSection()
{
    if (!section_) return;
    SelectObject(static_cast<HDC>(context_), static_cast<HGDIOBJ>(previousObject_));
    DeleteObject(static_cast<HGDIOBJ>(section_));
    section_ = nullptr;
    previousObject_ = nullptr;
}
