// vorla-plugin-bench: speed of the built plug-in as a host drives it, and the cost
// of silence after loud material against noise (the case that decides whether
// process flushes subnormals). Usage: vorla-plugin-bench [BUNDLE]
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "AudioBlock.h"
#include "HostApplication.h"
#include "ParameterChanges.h"
#include "PluginInstance.h"
#include "PluginModule.h"

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace vorla;

namespace {

constexpr double kRate = 48000.0;
constexpr int kBlock = 512;
constexpr int kBlocksPerSecond = int(kRate) / kBlock;

struct Setting {
    ParamID id;
    double normalized;
};

class Session {
public:
    Session(host::PluginModule& module, int32 sampleSize, const std::vector<Setting>& settings)
        : block(2, kBlock, sampleSize)
    {
        std::string error;
        plugin = host::PluginInstance::createFirstEffect(module.factory(), error);
        auto context = owned(new host::HostApplication("vorla-plugin-bench"));
        plugin->initialize(static_cast<IHostApplication*>(context.get()));
        plugin->prepare(kRate, kBlock, sampleSize, 2);
        changes = owned(new host::ParameterChanges());
        for (const Setting& s : settings) changes->add(s.id, 0, s.normalized);
    }

    // Seconds of wall-clock time for `seconds` of noise (loud) or silence.
    double Run(int seconds, bool noise)
    {
        double elapsed = 0.0;
        for (int b = 0; b < seconds * kBlocksPerSecond; ++b) {
            for (int i = 0; i < kBlock; ++i)
                for (int c = 0; c < 2; ++c) block.setInput(c, i, noise ? NextNoise() : 0.0);
            ProcessData& data = block.processData(kBlock, changes);
            const auto start = std::chrono::steady_clock::now();
            plugin->process(data);
            elapsed += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            changes->clear();
        }
        return elapsed;
    }

private:
    double NextNoise()
    {
        seed = seed * 1664525u + 1013904223u;
        return (double(seed >> 9) / 8388608.0 - 1.0) * 0.9;
    }

    host::AudioBlock block;
    std::unique_ptr<host::PluginInstance> plugin;
    IPtr<host::ParameterChanges> changes;
    unsigned seed = 1;
};

}  // namespace

int main(int argc, char** argv)
{
    std::string error;
    auto module = host::PluginModule::load(argc > 1 ? argv[1] : VORLA_DEFAULT_PLUGIN, error);
    if (!module) {
        std::fprintf(stderr, "vorla-plugin-bench: %s\n", error.c_str());
        return 1;
    }
    const int seconds = 20;
    for (int32 size : {kSample32, kSample64}) {
        for (double oversample : {1.0, 0.0}) {
            Session session(*module, size, {{7, oversample}});
            const double elapsed = session.Run(seconds, true);
            std::printf("%d-bit, factor %2d: %6.1f x real time\n", size == kSample32 ? 32 : 64,
                        oversample != 0.0 ? 4 : 16, seconds / elapsed);
        }
    }
    // High-pass and low-pass on, Low Atten and High moved, so that the sections'
    // poles differ from the defaults'.
    Session session(*module, kSample32, {{1, 0.6}, {4, 0.5}, {3, 0.7}, {0, 0.8}});
    const double noise = session.Run(seconds, true);
    session.Run(seconds, false);
    const double lateSilence = session.Run(seconds, false);
    std::printf("silence 20-40 s after loud noise: %.0f %% of the time of noise\n", 100.0 * lateSilence / noise);
    return 0;
}
