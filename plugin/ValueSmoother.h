#pragma once

// One-pole smoother for a knob value, stepped at block rate (twice per
// block: once for each channel's coefficients).
struct ValueSmoother {
    double gain = 1.0;
    double feedback = 0.0;
    double state = 0.0;

    double Step(double input) {
        state = feedback * state + gain * input;
        return state;
    }
};
