// vorla-plugin-bench: speed of the built plug-in as a host drives it, the cost of
// setting an instance up, and the cost of silence after loud material against
// noise. Usage: vorla-plugin-bench [BUNDLE]
//        vorla-plugin-bench --once FACTOR [BUNDLE]
//
// --once processes one second of noise at the factor (4 or 16) and reports nothing:
// a workload for instruction counters such as callgrind, whose counts repeat
// exactly from run to run where times do not.
//
// Every figure is thread CPU time, so time the scheduler gives to other programs
// does not count; throughput is the best of three runs. The silence figure runs
// two instances in lockstep, alternating groups of blocks, so that whatever slows
// the machine down slows both alike and cancels in their ratio.
#include <time.h>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <memory>
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
constexpr int kSecondFrames = 48000;
constexpr int kRuns = 3;
constexpr int kSecondsPerRun = 10;

constexpr ParamID kHighId = 0, kHpfId = 1, kLowAttenId = 3, kLpfId = 4, kOversampleId = 7;

double ThreadSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + 1e-9 * double(now.tv_nsec);
}

struct Setting {
    ParamID id;
    double normalized;
};

// Oversample's normalised value: 1 selects factor 4, 0 factor 16.
Setting Factor(int factor) { return {kOversampleId, factor == 4 ? 1.0 : 0.0}; }

// One second of audio cut into host blocks, filled once so that the timed loops
// only call process.
class Second {
public:
    Second(int blockFrames, int32 sampleSize, bool noise) : frames(blockFrames)
    {
        unsigned seed = 1;
        for (int at = 0; at < kSecondFrames; at += frames) {
            blocks.push_back(std::make_unique<host::AudioBlock>(2, frames, sampleSize));
            for (int i = 0; i < frames; ++i)
                for (int c = 0; c < 2; ++c) blocks.back()->setInput(c, i, noise ? NextNoise(seed) : 0.0);
        }
    }

    int Blocks() const { return int(blocks.size()); }
    int BlockFrames() const { return frames; }

    // Processes blocks [first, first + count) and returns the thread time taken.
    double Process(host::PluginInstance& plugin, int first, int count)
    {
        const double start = ThreadSeconds();
        for (int b = first; b < first + count; ++b) plugin.process(blocks[size_t(b)]->processData(frames));
        return ThreadSeconds() - start;
    }

private:
    static double NextNoise(unsigned& seed)
    {
        seed = seed * 1664525u + 1013904223u;
        return (double(seed >> 9) / 8388608.0 - 1.0) * 0.9;
    }

    int frames;
    std::vector<std::unique_ptr<host::AudioBlock>> blocks;
};

class Bench {
public:
    explicit Bench(host::PluginModule& loaded) : module(loaded) {}

    // An initialised instance, set up, with the settings applied by one empty block.
    std::unique_ptr<host::PluginInstance> Instance(int blockFrames, int32 sampleSize,
                                                   const std::vector<Setting>& settings)
    {
        std::string error;
        auto plugin = host::PluginInstance::createFirstEffect(module.factory(), error);
        plugin->initialize(static_cast<IHostApplication*>(context.get()));
        plugin->prepare(kRate, blockFrames, sampleSize, 2);
        auto changes = owned(new host::ParameterChanges());
        for (const Setting& s : settings) changes->add(s.id, 0, s.normalized);
        host::AudioBlock empty(2, blockFrames, sampleSize);
        plugin->process(empty.processData(0, changes));
        return plugin;
    }

    // Multiple of real time for noise through one instance, best of the runs.
    double Throughput(int blockFrames, int32 sampleSize, const std::vector<Setting>& settings)
    {
        Second noise(blockFrames, sampleSize, true);
        double best = 1e30;
        for (int run = 0; run < kRuns; ++run) {
            auto plugin = Instance(blockFrames, sampleSize, settings);
            double seconds = 0.0;
            for (int s = 0; s < kSecondsPerRun; ++s) seconds += noise.Process(*plugin, 0, noise.Blocks());
            best = std::min(best, seconds);
        }
        return kSecondsPerRun / best;
    }

    // Microseconds of one setupProcessing call on an instance that has processed
    // before, best of many.
    double SetupMicroseconds()
    {
        auto plugin = Instance(512, kSample32, {});
        ProcessSetup setup {kRealtime, kSample32, 512, kRate};
        double best = 1e30;
        for (int i = 0; i < 200; ++i) {
            // Alternate the block size so the scratch buffers really change.
            setup.maxSamplesPerBlock = i % 2 ? 512 : 1024;
            const double start = ThreadSeconds();
            plugin->processor()->setupProcessing(setup);
            best = std::min(best, ThreadSeconds() - start);
        }
        return best * 1e6;
    }

    // Thread time of silence after loud noise over the time of noise, for the
    // later `measured` seconds of `silent` seconds of silence. Two instances with
    // the same settings take turns, a few blocks each.
    double SilenceOverNoise(const std::vector<Setting>& settings, int silent, int measured)
    {
        constexpr int kBlockFrames = 512, kGroup = 8;
        Second noise(kBlockFrames, kSample32, true), silence(kBlockFrames, kSample32, false);
        auto quiet = Instance(kBlockFrames, kSample32, settings);
        auto busy = Instance(kBlockFrames, kSample32, settings);
        for (int s = 0; s < 2; ++s) {
            noise.Process(*quiet, 0, noise.Blocks());
            noise.Process(*busy, 0, noise.Blocks());
        }
        double quietTime = 0.0, busyTime = 0.0;
        for (int s = 0; s < silent; ++s) {
            for (int b = 0; b < noise.Blocks(); b += kGroup) {
                const int count = std::min(kGroup, noise.Blocks() - b);
                const double q = silence.Process(*quiet, b, count);
                const double n = noise.Process(*busy, b, count);
                if (s >= silent - measured) {
                    quietTime += q;
                    busyTime += n;
                }
            }
        }
        return quietTime / busyTime;
    }

    void Once(int factor)
    {
        Second noise(512, kSample32, true);
        auto plugin = Instance(512, kSample32, {Factor(factor)});
        noise.Process(*plugin, 0, noise.Blocks());
    }

private:
    host::PluginModule& module;
    IPtr<host::HostApplication> context = owned(new host::HostApplication("vorla-plugin-bench"));
};

}  // namespace

int main(int argc, char** argv)
{
    const bool once = argc > 2 && std::string(argv[1]) == "--once";
    const int onceFactor = once ? std::atoi(argv[2]) : 0;
    const int bundleArg = once ? 3 : 1;
    std::string error;
    auto module = host::PluginModule::load(argc > bundleArg ? argv[bundleArg] : VORLA_DEFAULT_PLUGIN, error);
    if (!module) {
        std::fprintf(stderr, "vorla-plugin-bench: %s\n", error.c_str());
        return 1;
    }
    Bench bench(*module);
    if (once) {
        bench.Once(onceFactor);
        return 0;
    }
    std::printf("stereo noise at 48 kHz, default settings; multiples of real time in thread CPU time, "
                "best of %d runs of %d s\n", kRuns, kSecondsPerRun);
    for (int blockFrames : {512, 64})
        for (int32 size : {kSample32, kSample64})
            for (int factor : {4, 16})
                std::printf("  %3d-frame blocks, %d-bit, factor %2d: %7.1f x\n", blockFrames,
                            size == kSample32 ? 32 : 64, factor,
                            bench.Throughput(blockFrames, size, {Factor(factor)}));
    std::printf("setupProcessing of one instance: %.1f us\n", bench.SetupMicroseconds());

    // High-pass and low-pass on, Low Atten and High moved, so that the sections'
    // poles differ from the defaults'.
    std::printf("silence 20-40 s after loud noise against noise, two instances in lockstep:\n");
    for (int factor : {4, 16}) {
        const std::vector<Setting> moved {{kHpfId, 0.6}, {kLpfId, 0.5}, {kLowAttenId, 0.7}, {kHighId, 0.8},
                                          Factor(factor)};
        std::printf("  factor %2d: %5.1f %%\n", factor, 100.0 * bench.SilenceOverNoise(moved, 40, 20));
    }
    return 0;
}
