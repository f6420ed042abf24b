// vorla-bench: speed of the equaliser's signal path for one stereo channel
// pair, as multiples of real time at 48 kHz.
#include "EqualiserEngine.h"
#include "SaturationStage.h"

#include <xmmintrin.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr double kRate = 48000.0;
constexpr int kBlock = 512;
constexpr int kSecondFrames = 48000;

using Clock = std::chrono::steady_clock;

volatile double benchSink;  // keeps the optimiser from dropping unused results

struct StereoBuffer {
    std::vector<double> left, right;
    explicit StereoBuffer(int frames) : left(frames), right(frames) {}
    int Frames() const { return static_cast<int>(left.size()); }
};

StereoBuffer Noise(int frames, double amplitude) {
    StereoBuffer b(frames);
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> u(-amplitude, amplitude);
    for (int i = 0; i < frames; ++i) {
        b.left[i] = u(rng);
        b.right[i] = u(rng);
    }
    return b;
}

// Seconds of wall time for one call, best of `repeats`.
double BestTime(int repeats, const std::function<void()>& run) {
    double best = 1e30;
    for (int r = 0; r < repeats; ++r) {
        const auto start = Clock::now();
        run();
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

double RealTimeMultiple(int frames, double seconds) { return frames / kRate / seconds; }

struct Settings {
    double hpf = 0.0, lpf = 0.01, bypass = 0.0;
    double lowAtten = 0.0, high = 0.5, oversample = 1.0;
};

// The values the engine reads at every sample. Copies of an engine share them.
struct LiveSwitches {
    std::atomic<double> hpf, lpf, bypass;
};

// An engine as a host would have it after initialisation.
struct BenchEngine {
    Settings values;
    std::shared_ptr<LiveSwitches> live;
    EqualiserEngine engine;

    explicit BenchEngine(const Settings& s)
        : values(s), live(new LiveSwitches {{s.hpf}, {s.lpf}, {s.bypass}}),
          engine({&live->hpf, &live->lpf, &live->bypass}) {
        engine.SetHigh(values.high);
        engine.SetLowBoost(0.001);
        engine.SetLowAtten(values.lowAtten);
        engine.SetLpf(values.lpf);
        engine.SetMid(0.5);
        engine.SetOutDb(0.0);
        engine.SetOversample(values.oversample);
    }

    void Run(StereoBuffer& in, StereoBuffer& out) {
        for (int at = 0; at < in.Frames(); at += kBlock) {
            const int n = std::min(kBlock, in.Frames() - at);
            const double* ins[2] = {in.left.data() + at, in.right.data() + at};
            double* outs[2] = {out.left.data() + at, out.right.data() + at};
            engine.ProcessBlock(ins, outs, n, kRate);
        }
    }
};

// Real-time multiple of `stepFrame`, which runs one stereo frame through a
// saturation stage and returns something to keep.
template <class StepFrame>
double StageSpeed(StepFrame stepFrame) {
    const StereoBuffer in = Noise(2 * kSecondFrames, 0.5);
    double sink = 0.0;
    const double t = BestTime(5, [&] {
        for (int i = 0; i < in.Frames(); ++i) sink += stepFrame(in.left[i], in.right[i]);
    });
    benchSink = sink;
    return RealTimeMultiple(in.Frames(), t);
}

// The engine's paired stage, and the same work as two scalar stages.
void BenchSaturation(int factor) {
    StereoSaturationStage pair;
    SaturationStage left, right;
    for (auto* stage : {&left, &right}) stage->Design(factor);
    pair.Design(factor);
    const double paired = StageSpeed(
        [&](double l, double r) { return pair.Step(StereoSample{l, r}, factor)[0]; });
    const double scalar = StageSpeed(
        [&](double l, double r) { return left.Step(l, factor) + right.Step(r, factor); });
    std::printf("saturation stage, factor %2d:  %7.1fx real time (as two scalar stages %.1fx)\n",
                factor, paired, scalar);
}

void BenchChain(int factor) {
    Settings s;
    s.hpf = 3.0;
    s.lpf = 0.5;
    s.oversample = factor == 4 ? 1.0 : 0.0;
    BenchEngine e(s);
    StereoBuffer in = Noise(2 * kSecondFrames, 0.5), out(in.Frames());
    const double t = BestTime(5, [&] { e.Run(in, out); });
    std::printf("full chain,       factor %2d:  %7.1fx real time\n", factor,
                RealTimeMultiple(in.Frames(), t));
}

// Speed of silence after a second of loud noise, against noise, to show
// whether decaying histories fall into slow subnormal arithmetic. With the
// high-pass on, the sections reach subnormal range after about 40 s, so
// the first and the last 20 of 60 silent seconds are reported. Each second
// is timed (best of three) on copies of the engine as it stood, so a busy
// machine does not pass for a slow second.
void BenchSilence(const char* name, const Settings& s, bool flushToZero) {
    const unsigned savedCsr = _mm_getcsr();
    if (flushToZero) _mm_setcsr(savedCsr | 0x8040);  // FTZ and DAZ
    constexpr int kSeconds = 60, kSpan = 20;
    StereoBuffer loud = Noise(kSecondFrames, 1.0), silence(kSecondFrames), out(kSecondFrames);
    StereoBuffer noise = Noise(kSecondFrames, 0.5);

    BenchEngine noisy(s);
    noisy.Run(loud, out);
    const double noiseTime = BestTime(10, [&] { noisy.Run(noise, out); });

    BenchEngine quiet(s);
    quiet.Run(loud, out);
    double early = 0.0, late = 0.0;
    for (int second = 0; second < kSeconds; ++second) {
        const double t = BestTime(3, [&] {
            BenchEngine copy = quiet;
            copy.Run(silence, out);
        });
        quiet.Run(silence, out);
        if (second < kSpan) early += t;
        if (second >= kSeconds - kSpan) late += t;
    }
    _mm_setcsr(savedCsr);
    std::printf("%-24s %s noise %6.1fx, silence 0-20 s %6.1fx, 40-60 s %6.1fx\n", name,
                flushToZero ? "FTZ/DAZ" : "plain  ", RealTimeMultiple(kSecondFrames, noiseTime),
                RealTimeMultiple(kSpan * kSecondFrames, early),
                RealTimeMultiple(kSpan * kSecondFrames, late));
}

}  // namespace

int main() {
    std::printf("one stereo pair at %.0f Hz, blocks of %d\n", kRate, kBlock);
    for (int factor : {4, 16}) BenchSaturation(factor);
    for (int factor : {4, 16}) BenchChain(factor);

    Settings defaults;
    Settings moved;
    moved.lowAtten = 0.7;
    moved.high = 0.8;
    moved.hpf = 2.0;
    moved.lpf = 0.3;
    for (bool ftz : {false, true}) {
        BenchSilence("defaults:", defaults, ftz);
        BenchSilence("knobs and filters moved:", moved, ftz);
    }
    return 0;
}
