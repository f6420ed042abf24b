#pragma once

// The product's parameter indices: what the state block, the host tags and the
// editor's controls use.
enum ParamIndex {
    kHigh = 0,
    kHpf,
    kLowBoost,
    kLowAtten,
    kLpf,
    kMid,
    kOut,
    kOversample,
    kBypass,
    kSpare,  // never defined; serialised with the others
    kParamCount
};
