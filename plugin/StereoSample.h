#pragma once

#include <emmintrin.h>

// Left and right channel side by side in one 128-bit register: the two
// channels' sections run as two lanes, each lane seeing exactly the scalar
// operations. The type is the compiler's own two-double vector, so it takes
// plain operators as well as the SSE2 intrinsics (x86-64's baseline).
typedef double StereoSample __attribute__((vector_size(16)));

// A channel pair stored as two doubles, left then right.
inline StereoSample LoadPair(const double* pair) { return _mm_loadu_pd(pair); }
inline void StorePair(double* pair, StereoSample v) { _mm_storeu_pd(pair, v); }
