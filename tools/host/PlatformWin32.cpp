#include "Platform.h"

#include <windows.h>

namespace vorla::host::platform {

std::string moduleBinaryPath(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return path;
    std::string trimmed = path;
    while (!trimmed.empty() && (trimmed.back() == '/' || trimmed.back() == '\\'))
        trimmed.pop_back();
    std::string name = trimmed.substr(trimmed.find_last_of("/\\") + 1);
    return trimmed + "\\Contents\\x86_64-win\\" + name;
}

void* openLibrary(const std::string& path, std::string& error) {
    HMODULE library = LoadLibraryA(path.c_str());
    if (!library)
        error = "LoadLibrary failed with error " + std::to_string(GetLastError());
    return reinterpret_cast<void*>(library);
}

void* findSymbol(void* library, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void closeLibrary(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }

bool enterModule(void* library) {
    using Entry = bool (*)();
    auto entry = reinterpret_cast<Entry>(findSymbol(library, "InitDll"));
    return !entry || entry();
}

void exitModule(void* library) {
    using Exit = bool (*)();
    if (auto exit = reinterpret_cast<Exit>(findSymbol(library, "ExitDll")))
        exit();
}

} // namespace vorla::host::platform
