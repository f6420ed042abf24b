#pragma once

#include "LICE_IFont.h"

#include <ft2build.h>
#include FT_FREETYPE_H

// What a LICE_FontHandle points to in the native build: a FreeType face sized so
// that its cell (ascender plus descender) is the requested height, as a Windows
// font of a positive height is, with how to render it.
struct NativeFont {
    FT_Face face;
    int lineHeight;       // cell height in pixels
    int ascender;         // pixels from the cell's top to the baseline
    FT_Int32 loadFlags;
    FT_Render_Mode renderMode;
    bool embolden;        // bold asked for, but the face found is not bold
    bool oblique;         // italic asked for, but the face found is upright
};

inline NativeFont* NativeFontFrom(LICE_FontHandle handle)
{
    return static_cast<NativeFont*>(handle);
}
