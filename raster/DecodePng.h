#pragma once

#include "LICE_MemBitmap.h"

#include <cstddef>

// Images wider or taller than this are refused before any pixel memory is
// allocated: the panel's largest strip is 6039 pixels tall, and a damaged or
// hostile header must not make the decoder allocate gigabytes. Within the limit
// width x height x 4 bytes stays below 2^30, so no size computation can overflow.
constexpr unsigned kMaxPngSide = 16384;

// Decodes a PNG file held in memory into a new bitmap in the B, G, R, A layout
// (not premultiplied), or returns null when the data is not a readable PNG. Every
// colour type and bit depth is accepted; transparency chunks become alpha.
LICE_MemBitmap* DecodePng(const void* bytes, std::size_t length);
