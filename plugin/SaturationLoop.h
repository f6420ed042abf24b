#pragma once

// The saturation stage's sample loop, written once for any four-lane vector
// type Quad. Only the kernel translation units include this header, each with
// a Quad of its own declared in an unnamed namespace: every instantiation then
// stays inside its unit, compiled for that unit's instruction set, and no
// inline function compiled for one set can stand in for another's.
//
// Quad provides: Quad::Broadcast(double), Quad::Load(const double*) and
// Store(double*) of four doubles, Quad::Join(Pair low, Pair high), Low() and
// High() as Pair = SaturationPair<Quad>, Quad::Lows(a, b) (the low halves of
// a and b), + and *, Flushed() (a filter output's zeroing, AllPoleFilter.h),
// Shaped() (the curve of Shaper.h on each lane), and Quad::KeepLow(fresh, old)
// and Quad::KeepHigh(fresh, old) (the named half from `fresh`, the other from
// `old`). A Pair holds a channel pair, left then right, as the kernels'
// frames do.
//
// Lanes 0 and 1 run the up-sampling filter of the left and right channel,
// lanes 2 and 3 their down-sampling filter. Both filters share their
// coefficients, so one vector tick advances all four recursions. The down
// lanes run a few frames behind the up lanes: they filter sub-samples that
// were shaped long before, so the curve's table look-ups, which the down
// lanes wait for, never hold up the up lanes in the same register.

#include "SaturationKernels.h"

#include <emmintrin.h>

// Two lanes: a channel pair. Unit, the kernel's Quad, only gives each kernel
// unit a type of its own.
template <class Unit>
struct SaturationPair {
    __m128d v;

    static SaturationPair Zero() { return {_mm_setzero_pd()}; }
    static SaturationPair Load(const double* p) { return {_mm_loadu_pd(p)}; }
    void Store(double* p) const { _mm_storeu_pd(p, v); }
};

template <class Quad>
class SaturationLoop {
    using Pair = SaturationPair<Quad>;

public:
    // The kernel's run (SaturationKernels.h).
    static void Run(SaturationHistory& history, const AllPoleCoeffs& coeffs, int factor, const double* dry,
                    double* wet, int frames) {
        if (factor == 16)
            RunAt<16>(history, coeffs, dry, wet, frames);
        else
            RunAt<4>(history, coeffs, dry, wet, frames);
    }

    // The kernel's shape: the curve on `count` values, four at a time.
    static void Shape(const double* in, double* out, int count) {
        for (int i = 0; i + 4 <= count; i += 4) Quad::Load(in + i).Shaped().Store(out + i);
    }

private:
    // The down lanes lag by at least this many ticks: about the latency of
    // shaping a pair of sub-samples.
    static constexpr int kLagTicks = 8;

    template <int N>
    static void RunAt(SaturationHistory& history, const AllPoleCoeffs& coeffs, const double* dry, double* wet,
                      int frames) {
        Filters f;
        for (int k = 0; k <= kAllPoleOrder; ++k) f.c[k] = Quad::Broadcast(coeffs.c[k]);
        for (int k = 0; k < kAllPoleOrder; ++k) f.h[k] = Quad::Load(history.rows[k]);
        Pipeline<N> pipe;
        constexpr int lag = Pipeline<N>::kLag;

        // Step k takes input frame k on the up lanes and frame k - lag on the
        // down lanes. At the ends of the run the lanes without a frame keep
        // their history, so every lane ends on the same frame boundary.
        const int filled = frames < lag ? frames : lag;
        for (int k = 0; k < filled; ++k) pipe.Partial(f, Pair::Load(dry + 2 * k), true, false);
        for (int k = filled; k < lag; ++k) pipe.Partial(f, Pair::Zero(), false, false);
        for (int k = lag; k < frames; ++k) pipe.Step(f, Pair::Load(dry + 2 * k)).Store(wet + 2 * (k - lag));
        for (int k = frames > lag ? frames : lag; k < frames + lag; ++k)
            pipe.Partial(f, Pair::Zero(), false, true).Store(wet + 2 * (k - lag));

        for (int k = 0; k < kAllPoleOrder; ++k) f.h[k].Store(history.rows[k]);
    }

    // Coefficients and histories, all lanes alike; h[k] holds the outputs
    // k + 1 ticks back.
    struct Filters {
        Quad c[kAllPoleOrder + 1];
        Quad h[kAllPoleOrder];

        // The sum in an order that keeps the loop-carried chain short: the
        // older outputs in a tree, then the input, then the two newest.
        Quad Tick(Quad in) {
            const Quad older = ((c[3] * h[2] + c[4] * h[3]) + (c[5] * h[4] + c[6] * h[5])) +
                               ((c[7] * h[6] + c[8] * h[7]) + (c[9] * h[8] + c[10] * h[9]));
            const Quad y = (((older + c[0] * in) + c[2] * h[1]) + c[1] * h[0]).Flushed();
            for (int k = kAllPoleOrder - 1; k > 0; --k) h[k] = h[k - 1];
            h[0] = y;
            return y;
        }
    };

    // Input frames of N sub-samples in flight between the up and the down
    // lanes.
    template <int N>
    struct Pipeline {
        static_assert(N % 2 == 0, "sub-samples are shaped in pairs of ticks");
        static constexpr int kPairs = N / 2;
        static constexpr int kLag = (kLagTicks + N - 1) / N;  // in frames

        // The shaped sub-samples of the frames in flight, oldest first; one
        // Quad holds two ticks, left and right each.
        Quad shaped[kLag][kPairs] = {};

        // Up lanes on the input frame, down lanes on the oldest frame in
        // flight; returns that frame's decimated pair (the down lanes' first
        // output).
        Pair Step(Filters& f, Pair input) {
            // Zero-stuffing lost a factor N of level; the curve sees it restored.
            const Quad gain = Quad::Broadcast(N);
            Quad fresh[kPairs];
            Quad first;
#pragma GCC unroll 8
            for (int p = 0; p < kPairs; ++p) {
                const Quad& down = shaped[0][p];
                const Quad even = f.Tick(Quad::Join(p == 0 ? input : Pair::Zero(), down.Low()));
                const Quad odd = f.Tick(Quad::Join(Pair::Zero(), down.High()));
                fresh[p] = (gain * Quad::Lows(even, odd)).Shaped();
                if (p == 0) first = even;
            }
            for (int l = 0; l + 1 < kLag; ++l)
                for (int p = 0; p < kPairs; ++p) shaped[l][p] = shaped[l + 1][p];
            for (int p = 0; p < kPairs; ++p) shaped[kLag - 1][p] = fresh[p];
            return first.High();
        }

        // A step at an end of the run: the lanes that do not run keep their
        // history.
        Pair Partial(Filters& f, Pair input, bool upRuns, bool downRuns) {
            Quad before[kAllPoleOrder];
            for (int k = 0; k < kAllPoleOrder; ++k) before[k] = f.h[k];
            const Pair decimated = Step(f, input);
            for (int k = 0; k < kAllPoleOrder; ++k) {
                const Quad up = upRuns ? f.h[k] : before[k];
                f.h[k] = downRuns ? Quad::KeepHigh(f.h[k], up) : Quad::KeepLow(up, before[k]);
            }
            return decimated;
        }
    };
};
