#pragma once

#include "SaturationKernels.h"

// The instruction sets the saturation stage has kernels for, slowest first.
enum class SaturationPath { kSse2, kAvx2, kAvx512 };

// Whether this processor and its operating system run the path.
bool SaturationPathRuns(SaturationPath path);

// The fastest path that runs here; asked once, when a stage is made.
SaturationPath FastestSaturationPath();

const SaturationKernels& KernelsOf(SaturationPath path);
