// Throughput of the editor's per-pixel paths on a panel-sized bitmap, next to a
// plain memory copy of the same bytes: vorla-blit-bench [benchmark options]
#include "BlitBitmap.h"
#include "LICE_MemBitmap.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

constexpr int kWidth = 796;
constexpr int kHeight = 189;

// Pixels with a mix of alphas: a third transparent, a third opaque, a third
// partly covered, in runs of `run` pixels (art has long runs; 1 is the worst
// case for branch prediction).
void fillWithAlphaRuns(LICE_MemBitmap& bitmap, int run)
{
    std::mt19937 random(1);
    unsigned kind = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) {
            if ((y * bitmap.Width() + x) % run == 0) kind = random() % 3;
            const LICE_pixel colour = random() & 0x00ffffff;
            const LICE_pixel alpha = kind == 0 ? 0 : kind == 1 ? 255 : 1 + random() % 254;
            bitmap.PixelData()[y * bitmap.RowStride() + x] = alpha << 24 | colour;
        }
}

void runBlit(benchmark::State& state, float opacity, int mode, int run = 32)
{
    LICE_MemBitmap source, dest;
    source.Resize(kWidth, kHeight);
    dest.Resize(kWidth, kHeight);
    fillWithAlphaRuns(source, run);
    fillWithAlphaRuns(dest, run);
    for (auto _ : state) {
        BlitBitmap(&dest, &source, 0, 0, nullptr, opacity, mode);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}

void AlphaCopy(benchmark::State& state)
{
    runBlit(state, 1.0f, kBlitCopy | kBlitUseSourceAlpha);
}

void AlphaCopyNoise(benchmark::State& state)
{
    runBlit(state, 1.0f, kBlitCopy | kBlitUseSourceAlpha, 1);
}

void AlphaCopyDimmed(benchmark::State& state)
{
    runBlit(state, 0.25f, kBlitCopy | kBlitUseSourceAlpha);
}

void PlainCopy(benchmark::State& state)
{
    runBlit(state, 1.0f, kBlitCopy);
}

void HalfOpacityCopy(benchmark::State& state)
{
    runBlit(state, 0.5f, kBlitCopy);
}

void Memcpy(benchmark::State& state)
{
    const std::size_t bytes = std::size_t(kWidth) * kHeight * sizeof(LICE_pixel);
    std::vector<unsigned char> source(bytes, 7), dest(bytes);
    for (auto _ : state) {
        std::memcpy(dest.data(), source.data(), bytes);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}

BENCHMARK(AlphaCopy);
BENCHMARK(AlphaCopyNoise);
BENCHMARK(AlphaCopyDimmed);
BENCHMARK(PlainCopy);
BENCHMARK(HalfOpacityCopy);
BENCHMARK(Memcpy);

} // namespace

BENCHMARK_MAIN();
