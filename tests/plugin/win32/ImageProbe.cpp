// The probe module's window on its own image loading (see CMakeLists.txt).
#include "LoadPngResource.h"
#include "ResourceModule.h"

#include <memory>

// Decodes image `resourceId` from the module ResourceModule() names and reports its
// size; false when that fails (as before InitDll, when no module is published).
extern "C" __declspec(dllexport) bool ProbePublishedImage(int resourceId, int* width, int* height)
{
    const std::unique_ptr<LICE_MemBitmap> bitmap(LoadPngResource(ResourceModule(), resourceId, "probe.png"));
    if (!bitmap) return false;
    *width = bitmap->Width();
    *height = bitmap->Height();
    return true;
}
