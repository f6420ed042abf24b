#pragma once

#include "LICE_IBitmap.h"

#include <cstdint>
#include <string>
#include <vector>

// An image in PNG's own sample layout, ready to be encoded: rows of packed samples
// (16-bit samples big-endian), top to bottom, each rowBytes() long.
struct PngImage {
    int width = 0;
    int height = 0;
    int bitDepth = 8;
    int colorType = 6; // PNG colour type: 0 grey, 2 RGB, 3 palette, 4 grey+alpha, 6 RGBA
    bool interlaced = false;
    std::vector<std::uint8_t> samples;
    std::vector<std::uint8_t> palette;      // R, G, B triples, for colour type 3
    std::vector<std::uint8_t> paletteAlpha; // tRNS entries for colour type 3; none when empty

    int rowBytes() const;
};

// Encodes an image; returns an empty vector when libpng refuses it.
std::vector<std::uint8_t> EncodePng(const PngImage& image);

// A bitmap's pixels as an 8-bit RGBA image.
PngImage RgbaImageOf(const LICE_IBitmap& bitmap);

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
