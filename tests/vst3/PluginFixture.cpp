#include "PluginFixture.h"

#include <gtest/gtest.h>

#include <cmath>
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

double Signal(int channel, int frame)
{
    const double phase = 0.013 * frame + 0.7 * channel;
    return double(float(0.3 * std::sin(phase) + 0.2 * std::sin(17.1 * phase)));
}

void Fill(host::AudioBlock& block, int startFrame, int frames)
{
    for (int c = 0; c < block.channels(); ++c)
        for (int i = 0; i < frames; ++i) block.setInput(c, i, Signal(c, startFrame + i));
}

Rendering Render(host::PluginInstance& plugin, host::AudioBlock& block, int frames, int blocks,
                 host::ParameterChanges* firstChanges)
{
    Rendering out(size_t(block.channels()));
    for (int b = 0; b < blocks; ++b) {
        Fill(block, b * frames, frames);
        ProcessBlock(plugin, block, frames, b == 0 ? firstChanges : nullptr);
        for (int c = 0; c < block.channels(); ++c)
            for (int i = 0; i < frames; ++i) out[size_t(c)].push_back(block.output(c, i));
    }
    return out;
}

IPtr<host::ParameterChanges> Change(Vst::ParamID id, double value)
{
    auto changes = owned(new host::ParameterChanges());
    changes->add(id, 0, value);
    return changes;
}

}  // namespace vorla::test
