// The saturation stage on AVX2. Compiled with -mavx2; nothing here may be
// reached on a processor without it, so everything but the kernel table stays
// local to this unit.
#include "SaturationQuad256.h"

const SaturationKernels kAvx2SaturationKernels {Avx2Loop::Run, Avx2Loop::Shape};
