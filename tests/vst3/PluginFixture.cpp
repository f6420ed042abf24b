#include "PluginFixture.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace vorla::test {

using namespace Steinberg;

host::PluginModule& Module()
{
    static std::unique_ptr<host::PluginModule> module = [] {
        const char* path = std::getenv("VORLA_PLUGIN");
        std::string error;
        auto loaded = host::PluginModule::load(path ? path : VORLA_PLUGIN_PATH, error);
        if (!loaded) {
            ADD_FAILURE() << "cannot load the plug-in: " << error;
            std::abort();
        }
        return loaded;
    }();
    return *module;
}

std::unique_ptr<host::PluginInstance> NewInstance(bool initialise)
{
    std::string error;
    auto instance = host::PluginInstance::createFirstEffect(Module().factory(), error);
    if (!instance) {
        ADD_FAILURE() << error;
        std::abort();
    }
    if (initialise) {
        auto context = owned(new host::HostApplication("End-to-end test host"));
        EXPECT_EQ(instance->initialize(static_cast<Vst::IHostApplication*>(context.get())), kResultOk);
    }
    return instance;
}

std::unique_ptr<host::PluginInstance> PreparedInstance(double sampleRate, int maxBlock, int32 sampleSize,
                                                       int channels)
{
    auto instance = NewInstance();
    EXPECT_EQ(instance->prepare(sampleRate, maxBlock, sampleSize, channels), kResultOk);
    return instance;
}

void ProcessBlock(host::PluginInstance& plugin, host::AudioBlock& block, int frames,
                  host::ParameterChanges* changes)
{
    EXPECT_EQ(plugin.process(block.processData(frames, changes)), kResultOk);
}

IPtr<host::ParameterChanges> Change(Vst::ParamID id, double value)
{
    auto changes = owned(new host::ParameterChanges());
    changes->add(id, 0, value);
    return changes;
}

}  // namespace vorla::test
