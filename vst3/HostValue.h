#pragma once

#include <algorithm>
#include <cmath>
#include <optional>

// A VST3 normalised value lies in 0..1 by definition, but hosts send what they
// send, and the core's AssignUnit bounds only the top of the range: a value below 0
// would reach the filters as a plain value below the minimum. Every host value is
// therefore taken to the nearest end of 0..1 before it reaches the core. NaN carries
// no value at all and gives none.
inline std::optional<double> NormalisedFromHost(double value)
{
    if (std::isnan(value)) return std::nullopt;
    return std::clamp(value, 0.0, 1.0);
}
