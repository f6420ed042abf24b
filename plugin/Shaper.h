#pragma once

// The saturation curve: an odd, inverting function tabulated at 200 points
// of input magnitude 0 .. ~1.4 and linearly interpolated in between. For
// an input x, with q = |x| * kScale and i its integer part:
//   c = T[i] (1 - (q - i)) + T[i + 1] (q - i)   for i < 199,
//   c = T[199]                                  for 199 <= q < 2^31,
//   c = T[0] = 0                                for NaN and q >= 2^31,
// returned with the sign of -x. About -0.725 x for small x, saturating at
// magnitude 0.8333206 from |x| >= 1.4; magnitudes of ~1.5e7 and beyond map
// to zero.
struct ShaperTable {
    static constexpr int kCount = 200;
    static constexpr int kLast = kCount - 1;
    // Table positions per unit of input magnitude (199 / 1.4), held in
    // single precision as the curve was measured with it.
    static constexpr float kScale = 142.143f;
    // Positions from here on are out of the curve's range.
    static constexpr double kOutOfRange = 0x1p31;
    // Used in single precision converted to double.
    static const float kValues[kCount];
};
