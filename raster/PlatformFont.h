#pragma once

#include "LICE_IFont.h"

// What the editor asks of a platform font (the CreateFontA arguments it uses).
struct PlatformFontRequest {
    const char* face;  // "Verdana"; a face the platform lacks falls back to its own choice
    int height;        // character height in pixels
    int weight;        // 400 normal, 700 bold
    bool italic;
    int escapement;    // rotation in tenths of a degree
    int quality;       // 0 default, 1 non-antialiased, 2 antialiased, 3 ClearType
};

// Makes a platform font, or returns null when the platform cannot. The caller owns
// it: a LICE_CachedFont attached with kFontOwnsHandle deletes it, or DeletePlatformFont.
LICE_FontHandle CreatePlatformFont(const PlatformFontRequest& request);
void DeletePlatformFont(LICE_FontHandle handle);
