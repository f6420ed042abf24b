#pragma once

#include <cstddef>
#include <cstdint>

#include "RgbaColor.h"

class LICE_IFont;

// How a control's text looks: face, size, colours, style and alignment. The font
// that draws it is found in the font cache on first use and remembered here.
struct TextStyle {
    static constexpr std::size_t kFaceSize = 32;
    enum Style : int32_t { kNormal = 0, kBold = 1, kItalic = 2 };
    enum Align : int32_t { kAlignLeft = 0, kAlignCenter = 1, kAlignRight = 2 };
    enum Quality : int32_t { kQualityDefault = 0, kQualityAliased = 1, kQualityAntialiased = 2, kQualityClearType = 3 };

    char face[kFaceSize] = "Verdana";
    int32_t size = 12;  // character height in pixels
    RgbaColor color = kDefaultTextColor;
    RgbaColor entryBackground = kDefaultEntryBackground;  // the text field's colours
    RgbaColor entryForeground = kDefaultEntryForeground;
    int32_t style = kNormal;
    int32_t align = kAlignCenter;
    int32_t orientation = 0;  // degrees of rotation
    int32_t quality = kQualityDefault;
    LICE_IFont* cachedFont = nullptr;  // owned by the font cache
};
