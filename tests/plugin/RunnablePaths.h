#pragma once

#include "SaturationPath.h"

#include <ostream>
#include <string>
#include <vector>

// Every saturation path this processor runs, for tests parameterised on it.
inline std::vector<SaturationPath> RunnablePaths() {
    std::vector<SaturationPath> paths;
    for (SaturationPath p : {SaturationPath::kSse2, SaturationPath::kAvx2, SaturationPath::kAvx512})
        if (SaturationPathRuns(p)) paths.push_back(p);
    return paths;
}

inline std::string PathName(SaturationPath p) {
    return p == SaturationPath::kAvx512 ? "AVX512" : p == SaturationPath::kAvx2 ? "AVX2" : "SSE2";
}

// How test reports name a path.
inline void PrintTo(SaturationPath p, std::ostream* out) { *out << PathName(p); }
