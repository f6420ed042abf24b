#pragma once

#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/base/smartpointer.h"

#include <memory>
#include <string>

namespace vorla::host {

// A loaded VST3 module: the library, its entry call and its class factory, held
// for the module's lifetime and given back in the order a real host does.
class PluginModule {
public:
    // Loads a bundle folder or a module file; null and a message in `error` on failure.
    static std::unique_ptr<PluginModule> load(const std::string& path, std::string& error);
    ~PluginModule();

    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;

    Steinberg::IPluginFactory* factory() const { return factoryPtr.get(); }
    // Looks up an exported function of the module (for tests of the entry points).
    void* symbol(const char* name) const;

private:
    explicit PluginModule(void* library) : library(library) {}

    void* library;
    bool entered = false;
    Steinberg::IPtr<Steinberg::IPluginFactory> factoryPtr;
};

} // namespace vorla::host
