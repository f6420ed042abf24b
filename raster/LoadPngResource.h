#pragma once

#include "LICE_MemBitmap.h"

// Loads the PNG image stored under resource type "PNG" with the numeric id
// `resourceId` in `module` (the plug-in's module handle; see ResourceModule.h) and
// decodes it. Returns a new bitmap owned by the caller, or null when the name does
// not end in "png" (any case), the resource is missing or shorter than 8 bytes, or
// it does not decode.
LICE_MemBitmap* LoadPngResource(void* module, int resourceId, const char* name);

// The name test of LoadPngResource: the text after the last dot (searched back to
// the second character; the first character is never taken as the dot) must be
// "png" in any case. A name without such a dot is compared from its second
// character on.
bool HasPngExtension(const char* name);
