// vorla-bench: speed of the equaliser's signal path for one stereo channel pair
// at 48 kHz in blocks of 512 frames, as multiples of real time in thread CPU
// time (best of five runs), on every saturation path this processor runs: the
// saturation stage alone and the whole engine.
#include "EqualiserEngine.h"
#include "SaturationStage.h"

#include <time.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <random>
#include <vector>

namespace {

constexpr double kRate = 48000.0;
constexpr int kBlock = 512;
constexpr int kFrames = 10 * 48000;
constexpr int kRuns = 5;

double ThreadSeconds() {
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + 1e-9 * double(now.tv_nsec);
}

// Left and right noise, as the host hands them over and as channel pairs.
struct Noise {
    std::vector<double> left, right, pairs;

    Noise() : left(kFrames), right(kFrames), pairs(2 * kFrames) {
        std::mt19937 rng(7);
        std::uniform_real_distribution<double> u(-0.9, 0.9);
        for (int i = 0; i < kFrames; ++i) {
            pairs[2 * i] = left[i] = u(rng);
            pairs[2 * i + 1] = right[i] = u(rng);
        }
    }
};

// Real-time multiple of `run` over kFrames, best of the runs.
template <class Run>
double Speed(Run run) {
    double best = 1e30;
    for (int r = 0; r < kRuns; ++r) {
        const double start = ThreadSeconds();
        run();
        best = std::min(best, ThreadSeconds() - start);
    }
    return kFrames / kRate / best;
}

double StageSpeed(const Noise& noise, SaturationPath path, int factor) {
    SaturationStage stage;
    stage.SelectPath(path);
    stage.Design(factor);
    std::vector<double> wet(2 * kBlock);
    return Speed([&] {
        for (int at = 0; at < kFrames; at += kBlock) stage.Process(noise.pairs.data() + 2 * at, wet.data(), kBlock);
    });
}

struct Settings {
    double hpf = 0.0, lpf = 0.01;
};

double EngineSpeed(const Noise& noise, SaturationPath path, int factor, const Settings& s) {
    std::atomic<double> hpf {s.hpf}, lpf {s.lpf}, bypass {0.0};
    EqualiserEngine engine({&hpf, &lpf, &bypass});
    engine.SelectSaturationPath(path);
    engine.SetHigh(0.5);
    engine.SetLowBoost(0.001);
    engine.SetLowAtten(0.0);
    engine.SetLpf(s.lpf);
    engine.SetMid(0.5);
    engine.SetOutDb(0.0);
    engine.SetOversample(factor == 4 ? 1.0 : 0.0);
    std::vector<double> left(kBlock), right(kBlock);
    return Speed([&] {
        for (int at = 0; at < kFrames; at += kBlock) {
            const double* in[2] = {noise.left.data() + at, noise.right.data() + at};
            double* out[2] = {left.data(), right.data()};
            engine.ProcessBlock(in, out, kBlock, kRate);
        }
    });
}

}  // namespace

int main() {
    const Noise noise;
    std::printf("one stereo pair at %.0f Hz, blocks of %d, thread CPU time, best of %d\n", kRate, kBlock, kRuns);
    const struct {
        SaturationPath path;
        const char* name;
    } paths[] = {{SaturationPath::kSse2, "SSE2"}, {SaturationPath::kAvx2, "AVX2"}, {SaturationPath::kAvx512, "AVX-512"}};
    for (const auto [path, name] : paths) {
        if (!SaturationPathRuns(path)) {
            std::printf("%s: not on this processor\n", name);
            continue;
        }
        for (int factor : {4, 16}) {
            Settings filtersOn;
            filtersOn.hpf = 3.0;
            filtersOn.lpf = 0.5;
            std::printf("%-7s factor %2d: saturation stage %7.1fx, engine %7.1fx, with HPF 3 and LPF 0.5 %7.1fx\n",
                        name, factor, StageSpeed(noise, path, factor), EngineSpeed(noise, path, factor, {}),
                        EngineSpeed(noise, path, factor, filtersOn));
        }
    }
    return 0;
}
