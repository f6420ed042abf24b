// The AVX2 arithmetic compiled for AVX-512VL, which gives it 32 vector
// registers instead of 16: the ten histories, the eleven coefficients and the
// shaped sub-samples in flight then stay in registers. Compiled with
// -mavx512f -mavx512vl; reached only on a processor that has both.
#include "SaturationQuad256.h"

const SaturationKernels kAvx512SaturationKernels {Avx2Loop::Run, Avx2Loop::Shape};
