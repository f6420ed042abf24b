#include "LoadPngResource.h"

#include "DecodePng.h"
#include "PngResource.h"

#include <cctype>
#include <cstring>

bool HasPngExtension(const char* name)
{
    if (!name) return false;
    const std::size_t length = std::strlen(name);
    const char* extension = name + (length > 0 ? 1 : 0);
    for (std::size_t i = length; i-- > 1;) {
        if (name[i] == '.') {
            extension = name + i + 1;
            break;
        }
    }
    const char* expected = "png";
    for (; *extension && *expected; ++extension, ++expected)
        if (std::tolower(static_cast<unsigned char>(*extension)) != *expected) return false;
    return *extension == '\0' && *expected == '\0';
}

LICE_MemBitmap* LoadPngResource(void* module, int resourceId, const char* name)
{
    if (!HasPngExtension(name)) return nullptr;
    const ResourceBytes resource = FindPngResource(module, resourceId);
    if (!resource.data || resource.size < 8) return nullptr;
    return DecodePng(resource.data, resource.size);
}
