#pragma once

#include <cstdint>

#include "GrowBuffer.h"

// A byte stream for saved state: values are appended at the end and read back at an
// explicit byte position. Values are stored in the machine's own byte order.
class StateChunk : public GrowBuffer {
public:
    StateChunk() : GrowBuffer(kPageGranularity) {}

    // Appends the 8 bytes of `value`; false when the chunk could not grow.
    bool PutDouble(double value);

    // Reads 8 bytes at `position` into `value` and returns the position after them,
    // or -1 (value untouched) when they lie outside the chunk.
    int32_t GetDouble(double& value, int32_t position) const;
};
