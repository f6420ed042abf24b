#pragma once

#include <emmintrin.h>

// Left and right channel side by side in one 128-bit register. The
// saturation stages of both channels share their coefficients, so running
// them as two lanes halves the instruction count without changing any
// result: every lane sees exactly the scalar operations, in the same order.
// The type is the compiler's own two-double vector, so the SSE2 intrinsics
// (x86-64's baseline) take it directly where plain operators compile poorly.
typedef double StereoSample __attribute__((vector_size(16)));

inline StereoSample Broadcast(double v) { return StereoSample{v, v}; }

inline StereoSample SignBits() { return Broadcast(-0.0); }
