// vorla-plugin-bench: speed of the built plug-in as a host drives it, the cost of
// setting an instance up, and the cost of silence after loud material against
// noise.
//   vorla-plugin-bench [BUNDLE]                the report
//   vorla-plugin-bench --compare OLD NEW       NEW's speed over OLD's, per factor
//   vorla-plugin-bench --once FACTOR [BUNDLE]  one second of noise at factor 4 or
//       16 and no report: a workload for instruction counters such as callgrind,
//       whose counts repeat exactly from run to run where times do not
//
// Every figure is thread CPU time, so time the scheduler gives to other programs
// does not count; throughput is the best of three runs. Ratios run two instances
// in lockstep, alternating groups of blocks, so that whatever slows the machine
// down slows both alike and cancels in the ratio.
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
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
using Settings = std::vector<Setting>;

// Oversample's normalised value: 1 selects factor 4, 0 factor 16.
Setting Factor(int factor) { return {kOversampleId, factor == 4 ? 1.0 : 0.0}; }

// High-pass and low-pass on, Low Atten and High moved, so that the sections'
// poles differ from the defaults'.
Settings Moved(int factor) { return {{kHpfId, 0.6}, {kLpfId, 0.5}, {kLowAttenId, 0.7}, {kHighId, 0.8}, Factor(factor)}; }

std::unique_ptr<host::PluginModule> Load(const char* path)
{
    std::string error;
    auto module = host::PluginModule::load(path, error);
    if (!module) std::fprintf(stderr, "vorla-plugin-bench: %s\n", error.c_str());
    return module;
}

// An initialised instance, set up, with the settings applied by one empty block.
std::unique_ptr<host::PluginInstance> Instance(host::PluginModule& module, int blockFrames, int32 sampleSize,
                                               const Settings& settings)
{
    static IPtr<host::HostApplication> context = owned(new host::HostApplication("vorla-plugin-bench"));
    std::string error;
    auto plugin = host::PluginInstance::createFirstEffect(module.factory(), error);
    if (!plugin) {
        std::fprintf(stderr, "vorla-plugin-bench: %s\n", error.c_str());
        std::exit(1);
    }
    plugin->initialize(static_cast<IHostApplication*>(context.get()));
    plugin->prepare(kRate, blockFrames, sampleSize, 2);
    auto changes = owned(new host::ParameterChanges());
    for (const Setting& s : settings) changes->add(s.id, 0, s.normalized);
    host::AudioBlock empty(2, blockFrames, sampleSize);
    plugin->process(empty.processData(0, changes));
    return plugin;
}

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

    // Processes blocks [first, first + count) and returns the thread time taken.
    double Process(host::PluginInstance& plugin, int first, int count)
    {
        const double start = ThreadSeconds();
        for (int b = first; b < first + count; ++b) plugin.process(blocks[size_t(b)]->processData(frames));
        return ThreadSeconds() - start;
    }

    double ProcessAll(host::PluginInstance& plugin) { return Process(plugin, 0, Blocks()); }

private:
    static double NextNoise(unsigned& seed)
    {
        seed = seed * 1664525u + 1013904223u;
        return (double(seed >> 9) / 8388608.0 - 1.0) * 0.9;
    }

    int frames;
    std::vector<std::unique_ptr<host::AudioBlock>> blocks;
};

// Multiple of real time for noise through one instance, best of the runs.
double Throughput(host::PluginModule& module, int blockFrames, int32 sampleSize, const Settings& settings)
{
    Second noise(blockFrames, sampleSize, true);
    double best = 1e30;
    for (int run = 0; run < kRuns; ++run) {
        auto plugin = Instance(module, blockFrames, sampleSize, settings);
        double seconds = 0.0;
        for (int s = 0; s < kSecondsPerRun; ++s) seconds += noise.ProcessAll(*plugin);
        best = std::min(best, seconds);
    }
    return kSecondsPerRun / best;
}

// Microseconds of one setupProcessing call on an instance that has processed
// before, best of many.
double SetupMicroseconds(host::PluginModule& module)
{
    auto plugin = Instance(module, 512, kSample32, {});
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

// Two instances fed in turns, eight 512-frame blocks each: the time of the first
// over the time of the second, for their seconds [from, to).
struct Lockstep {
    host::PluginInstance& first;
    Second& firstInput;
    host::PluginInstance& second;
    Second& secondInput;

    double Ratio(int from, int to)
    {
        constexpr int kGroup = 8;
        double firstTime = 0.0, secondTime = 0.0;
        for (int s = 0; s < to; ++s) {
            for (int b = 0; b < firstInput.Blocks(); b += kGroup) {
                const int count = std::min(kGroup, firstInput.Blocks() - b);
                const double a = firstInput.Process(first, b, count);
                const double z = secondInput.Process(second, b, count);
                if (s >= from) {
                    firstTime += a;
                    secondTime += z;
                }
            }
        }
        return firstTime / secondTime;
    }
};

// Time of silence after loud noise over the time of noise, seconds 20 to 40 of
// the silence.
double SilenceOverNoise(host::PluginModule& module, const Settings& settings)
{
    Second noise(512, kSample32, true), silence(512, kSample32, false);
    auto quiet = Instance(module, 512, kSample32, settings);
    auto busy = Instance(module, 512, kSample32, settings);
    for (int s = 0; s < 2; ++s) {
        noise.ProcessAll(*quiet);
        noise.ProcessAll(*busy);
    }
    return Lockstep {*quiet, silence, *busy, noise}.Ratio(20, 40);
}

int Report(host::PluginModule& module)
{
    std::printf("stereo noise at 48 kHz, default settings; multiples of real time in thread CPU time, "
                "best of %d runs of %d s\n", kRuns, kSecondsPerRun);
    for (int blockFrames : {512, 64})
        for (int32 size : {kSample32, kSample64})
            for (int factor : {4, 16})
                std::printf("  %3d-frame blocks, %d-bit, factor %2d: %7.1f x\n", blockFrames,
                            size == kSample32 ? 32 : 64, factor,
                            Throughput(module, blockFrames, size, {Factor(factor)}));
    for (int factor : {4, 16})
        std::printf("  filters on, knobs moved,  32-bit, factor %2d: %7.1f x\n", factor,
                    Throughput(module, 512, kSample32, Moved(factor)));
    std::printf("setupProcessing of one instance: %.1f us\n", SetupMicroseconds(module));
    std::printf("silence 20-40 s after loud noise against noise (filters on), two instances in lockstep:\n");
    for (int factor : {4, 16})
        std::printf("  factor %2d: %5.1f %%\n", factor, 100.0 * SilenceOverNoise(module, Moved(factor)));
    return 0;
}

// How many times faster `after` runs than `before`, on 20 s of noise.
int Compare(host::PluginModule& before, host::PluginModule& after)
{
    Second noise(512, kSample32, true);
    for (int factor : {4, 16}) {
        auto old = Instance(before, 512, kSample32, {Factor(factor)});
        auto updated = Instance(after, 512, kSample32, {Factor(factor)});
        const double speedUp = Lockstep {*old, noise, *updated, noise}.Ratio(1, 21);
        std::printf("factor %2d: %.3f x as fast\n", factor, speedUp);
    }
    return 0;
}

int Once(host::PluginModule& module, int factor)
{
    Second noise(512, kSample32, true);
    auto plugin = Instance(module, 512, kSample32, {Factor(factor)});
    noise.ProcessAll(*plugin);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "--compare" && argc == 4) {
        auto before = Load(argv[2]), after = Load(argv[3]);
        return before && after ? Compare(*before, *after) : 1;
    }
    if (mode == "--once" && (argc == 3 || argc == 4)) {
        auto module = Load(argc == 4 ? argv[3] : VORLA_DEFAULT_PLUGIN);
        return module ? Once(*module, std::atoi(argv[2])) : 1;
    }
    if (argc > 2 || mode.rfind("--", 0) == 0) {
        std::fprintf(stderr, "usage: vorla-plugin-bench [BUNDLE] | --compare OLD NEW | --once FACTOR [BUNDLE]\n");
        return 2;
    }
    auto module = Load(argc == 2 ? argv[1] : VORLA_DEFAULT_PLUGIN);
    return module ? Report(*module) : 1;
}
