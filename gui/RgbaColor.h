#pragma once

#include <cstdint>

// A colour with each channel 0..255, fields in the order alpha, red, green, blue.
struct RgbaColor {
    int32_t alpha;
    int32_t red;
    int32_t green;
    int32_t blue;

    // As a raster pixel: 0xAARRGGBB.
    constexpr uint32_t pixel() const
    {
        return uint32_t(alpha & 0xff) << 24 | uint32_t(red & 0xff) << 16 | uint32_t(green & 0xff) << 8 |
               uint32_t(blue & 0xff);
    }
    // As a Win32 colour value: 0x00BBGGRR, alpha dropped.
    constexpr uint32_t colorRef() const
    {
        return uint32_t(red & 0xff) | uint32_t(green & 0xff) << 8 | uint32_t(blue & 0xff) << 16;
    }
};

inline constexpr RgbaColor kColorGrey {255, 127, 127, 127};
inline constexpr RgbaColor kColorBlack {255, 0, 0, 0};
inline constexpr RgbaColor kColorOrange {255, 255, 127, 0};
inline constexpr RgbaColor kColorRed {255, 255, 0, 0};
inline constexpr RgbaColor kColorWhite {255, 255, 255, 255};
inline constexpr RgbaColor kColorGreen {255, 0, 255, 0};
inline constexpr RgbaColor kColorYellow {255, 255, 255, 0};
inline constexpr RgbaColor kColorBlue {255, 0, 0, 255};

inline constexpr RgbaColor kDefaultTextColor = kColorBlack;
inline constexpr RgbaColor kDefaultEntryBackground = kColorWhite;
inline constexpr RgbaColor kDefaultEntryForeground = kColorBlack;
