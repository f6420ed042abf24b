#pragma once

#include <cstddef>

// The bytes of a resource of type "PNG"; data is null when there is none.
struct ResourceBytes {
    const void* data;
    std::size_t size;
};

// Platform lookup behind LoadPngResource: the module's resource table on Windows,
// the images embedded at build time elsewhere (where the module is not used).
ResourceBytes FindPngResource(void* module, int resourceId);
