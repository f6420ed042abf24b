#include "SaturationPath.h"

#include <initializer_list>

// The compiler's CPU detection also reports a feature as missing when the
// operating system does not save the registers it needs.
bool SaturationPathRuns(SaturationPath path) {
    __builtin_cpu_init();
    switch (path) {
    case SaturationPath::kSse2: return true;  // part of x86-64
    case SaturationPath::kAvx2: return __builtin_cpu_supports("avx2");
    case SaturationPath::kAvx512:
        return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("avx512f") &&
               __builtin_cpu_supports("avx512vl");
    }
    return false;
}

SaturationPath FastestSaturationPath() {
    for (SaturationPath path : {SaturationPath::kAvx512, SaturationPath::kAvx2})
        if (SaturationPathRuns(path)) return path;
    return SaturationPath::kSse2;
}

const SaturationKernels& KernelsOf(SaturationPath path) {
    switch (path) {
    case SaturationPath::kAvx2: return kAvx2SaturationKernels;
    case SaturationPath::kAvx512: return kAvx512SaturationKernels;
    default: return kSse2SaturationKernels;
    }
}
