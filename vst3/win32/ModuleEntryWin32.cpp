// Windows module entry: the loader's DllMain records the module handle, and the
// host's InitDll publishes it for loading the module's resources.
#include "ResourceModule.h"

#include "pluginterfaces/base/fplatform.h"

#include <windows.h>

namespace {
HINSTANCE moduleHandle = nullptr;
}

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        moduleHandle = instance;
    return TRUE;
}

SMTG_EXPORT_SYMBOL bool InitDll()
{
    SetResourceModule(moduleHandle);
    return true;
}

SMTG_EXPORT_SYMBOL bool ExitDll() { return true; }

}  // extern "C"
