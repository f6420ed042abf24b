#pragma once

#include <cstdint>

// How a control's picture is composited onto the editor surface.
enum BlendKind : int32_t {
    kMixAlpha = 0,    // copy weighted by the picture's alpha
    kMixReplace = 1,  // plain copy
    kMixAdd = 2,      // add, weighted by alpha
    kMixDodge = 3,    // colour dodge, weighted by alpha
};

struct BlendSpec {
    int32_t kind = kMixAlpha;
    float weight = 1.0f;  // the blit's opacity, 0..1
};

// The raster library's blit mode for a blend; unknown kinds and a missing blend
// composite by alpha.
int BlitModeOf(const BlendSpec* blend);
