#pragma once

#include "IirSection.h"
#include "StereoSample.h"

#include <cmath>

// A direct-form-I section of order N for a channel pair, one lane each. The
// channels' coefficients are divided by their a[0] once per block, so a tick
// is multiply-adds only, and the newest output enters the sum last: the
// recursion's loop-carried chain is one multiply and one add.
template <int N>
struct StereoSection {
    StereoSample b[N + 1] = {};  // b[i] / a[0] per lane
    StereoSample a[N + 1] = {};  // a[i] / a[0] per lane; a[0] is unused
    StereoSample x[N] = {};      // previous inputs, x[0] the most recent
    StereoSample y[N] = {};      // previous outputs, y[0] the most recent

    void SetCoefficients(const IirSection<N>& left, const IirSection<N>& right) {
        for (int i = 0; i <= N; ++i) {
            b[i] = StereoSample{left.b[i] / left.a[0], right.b[i] / right.a[0]};
            a[i] = StereoSample{left.a[i] / left.a[0], right.a[i] / right.a[0]};
        }
    }

    StereoSample Tick(StereoSample in) {
        StereoSample acc = b[0] * in;
        for (int i = 0; i < N; ++i) acc += b[i + 1] * x[i];
        for (int i = N - 1; i > 0; --i) acc -= a[i + 1] * y[i];
        const StereoSample out = acc - a[1] * y[0];
        for (int i = N - 1; i > 0; --i) {
            x[i] = x[i - 1];
            y[i] = y[i - 1];
        }
        x[0] = in;
        y[0] = out;
        return out;
    }

    // A non-finite value would otherwise circulate in a lane's recursion
    // forever; the other lane keeps its history.
    void ClearNonFiniteLanes() {
        for (int lane = 0; lane < 2; ++lane) {
            bool finite = true;
            for (int i = 0; i < N; ++i) finite = finite && std::isfinite(x[i][lane]) && std::isfinite(y[i][lane]);
            if (finite) continue;
            for (int i = 0; i < N; ++i) x[i][lane] = y[i][lane] = 0.0;
        }
    }
};
