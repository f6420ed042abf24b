#pragma once

#include <string>

// The operating-system calls a host needs to load a VST3 module. Each platform has
// one implementation file; everything else in the host library is portable.
namespace vorla::host::platform {

// The module binary inside a bundle folder, or the path itself when it names a file.
std::string moduleBinaryPath(const std::string& path);

// Loads the library; null and a message in `error` on failure.
void* openLibrary(const std::string& path, std::string& error);
void* findSymbol(void* library, const char* name);
void closeLibrary(void* library);

// The platform's module entry and exit calls, made right after loading and right
// before unloading. Entry returns false when the module refuses to start.
bool enterModule(void* library);
void exitModule(void* library);

} // namespace vorla::host::platform
