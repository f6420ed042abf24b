#include "Platform.h"

#include <dlfcn.h>
#include <sys/stat.h>

namespace vorla::host::platform {

namespace {

bool isDirectory(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string bundleStem(std::string path) {
    while (!path.empty() && path.back() == '/')
        path.pop_back();
    std::string name = path.substr(path.find_last_of('/') + 1);
    return name.substr(0, name.rfind(".vst3"));
}

} // namespace

std::string moduleBinaryPath(const std::string& path) {
    if (!isDirectory(path))
        return path;
    return path + "/Contents/x86_64-linux/" + bundleStem(path) + ".so";
}

void* openLibrary(const std::string& path, std::string& error) {
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library)
        error = dlerror();
    return library;
}

void* findSymbol(void* library, const char* name) { return dlsym(library, name); }

void closeLibrary(void* library) { dlclose(library); }

bool enterModule(void* library) {
    using Entry = bool (*)(void*);
    auto entry = reinterpret_cast<Entry>(findSymbol(library, "ModuleEntry"));
    return entry && entry(library);
}

void exitModule(void* library) {
    using Exit = bool (*)();
    if (auto exit = reinterpret_cast<Exit>(findSymbol(library, "ModuleExit")))
        exit();
}

} // namespace vorla::host::platform
