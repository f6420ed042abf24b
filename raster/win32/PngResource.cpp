#include "PngResource.h"

#include <windows.h>

ResourceBytes FindPngResource(void* module, int resourceId)
{
    const auto instance = static_cast<HMODULE>(module);
    const HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(resourceId), "PNG");
    if (!found) return {nullptr, 0};
    const DWORD size = SizeofResource(instance, found);
    const HGLOBAL loaded = LoadResource(instance, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    return {data, data ? size : 0};
}
