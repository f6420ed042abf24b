#include "PluginModule.h"

#include "Platform.h"

namespace vorla::host {

using namespace Steinberg;

std::unique_ptr<PluginModule> PluginModule::load(const std::string& path, std::string& error) {
    const std::string binary = platform::moduleBinaryPath(path);
    void* library = platform::openLibrary(binary, error);
    if (!library)
        return nullptr;
    std::unique_ptr<PluginModule> module(new PluginModule(library));
    if (!platform::enterModule(library)) {
        error = binary + ": the module entry refused to start";
        return nullptr;
    }
    module->entered = true;
    using GetFactory = IPluginFactory* (*)();
    auto getFactory = reinterpret_cast<GetFactory>(module->symbol("GetPluginFactory"));
    if (!getFactory) {
        error = binary + ": no GetPluginFactory export";
        return nullptr;
    }
    module->factoryPtr = owned(getFactory());
    if (!module->factoryPtr) {
        error = binary + ": GetPluginFactory returned no factory";
        return nullptr;
    }
    return module;
}

PluginModule::~PluginModule() {
    factoryPtr = nullptr;
    if (entered)
        platform::exitModule(library);
    platform::closeLibrary(library);
}

void* PluginModule::symbol(const char* name) const { return platform::findSymbol(library, name); }

} // namespace vorla::host
