#pragma once

#include <cstdint>

#include "GrowBuffer.h"

// One input or output channel of the plug-in core. Its entry in the core's sample
// pointer array is what the engine reads or writes: either this slot's own scratch
// buffer (doubles converted from or to the host's floats) or a host buffer used
// directly. An output slot also remembers the host float buffer its scratch result
// is copied to.
class ChannelSlot {
public:
    // `entry` is this channel's element of a pointer array that is never resized
    // while the slot lives.
    explicit ChannelSlot(double** entry);

    bool Connected() const { return connected_; }
    void SetConnected(bool connected) { connected_ = connected; }

    double* Scratch() { return scratch_.As<double>(); }
    int32_t ScratchLength() const { return scratch_.Size() / int32_t(sizeof(double)); }
    // Resizes the scratch buffer to `frames` samples and zero-fills it. False when
    // the buffer cannot hold that many; it then keeps its old length.
    bool ResizeScratch(int32_t frames);
    void ClearScratch();
    // Zero-fills the first `frames` samples (at most the whole buffer).
    void ClearScratch(int32_t frames);

    double* Samples() const { return *entry_; }
    void PointAt(double* samples) { *entry_ = samples; }
    void PointAtScratch() { *entry_ = Scratch(); }

    float* HostOutput() const { return hostOutput_; }
    void SetHostOutput(float* destination) { hostOutput_ = destination; }

private:
    bool connected_ = false;
    double** entry_;
    GrowBuffer scratch_{GrowBuffer::kPageGranularity};
    float* hostOutput_ = nullptr;
};
