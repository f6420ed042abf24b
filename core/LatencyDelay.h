#pragma once

#include <cstdint>

#include "GrowBuffer.h"

// The delay line that keeps a bypassed plug-in's dry signal aligned with the latency
// it reports. Channel c occupies samples c * length .. c * length + length - 1.
class LatencyDelay {
public:
    LatencyDelay(int32_t inputChannels, int32_t outputChannels);

    int32_t Length() const { return length_; }
    int32_t WritePosition() const { return writePosition_; }
    int32_t InputChannels() const { return inputChannels_; }
    int32_t OutputChannels() const { return outputChannels_; }

    // Sets the delay to `frames` (negative counts as 0), rewinds and silences it. When
    // the buffer cannot be sized the length becomes 0.
    void SetLength(int32_t frames);

    // Outputs each channel's input delayed by Length() frames (silence until the line
    // has filled) for the channels present on both sides. Inputs and outputs may be
    // the same buffers. Requires Length() > 0.
    void Process(double* const* inputs, double* const* outputs, int32_t frames);

private:
    GrowBuffer samples_{GrowBuffer::kPageGranularity};
    int32_t writePosition_ = 0;
    int32_t inputChannels_;
    int32_t outputChannels_;
    int32_t length_ = 0;
};
