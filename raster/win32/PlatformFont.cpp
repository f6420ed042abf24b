#include "PlatformFont.h"

#include <windows.h>

namespace {

// The editor's quality codes 0..3 in GDI's terms; anything else is the default.
DWORD gdiQuality(int quality)
{
    switch (quality) {
    case 1: return NONANTIALIASED_QUALITY;
    case 2: return ANTIALIASED_QUALITY;
    case 3: return CLEARTYPE_QUALITY;
    default: return DEFAULT_QUALITY;
    }
}

} // namespace

LICE_FontHandle CreatePlatformFont(const PlatformFontRequest& request)
{
    if (request.height <= 0) return nullptr;
    return CreateFontA(request.height, 0, request.escapement, request.escapement, request.weight,
                       request.italic ? TRUE : FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       gdiQuality(request.quality), DEFAULT_PITCH | FF_DONTCARE, request.face ? request.face : "");
}

void DeletePlatformFont(LICE_FontHandle handle)
{
    if (handle) DeleteObject(static_cast<HGDIOBJ>(handle));
}
