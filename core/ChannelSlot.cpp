#include "ChannelSlot.h"

#include <algorithm>

ChannelSlot::ChannelSlot(double** entry) : entry_(entry) { *entry_ = nullptr; }

void ChannelSlot::ResizeScratch(int32_t frames)
{
    const int64_t bytes = int64_t(std::max(frames, 0)) * int64_t(sizeof(double));
    // Resizing may move the buffer; an entry left on the old one would dangle.
    const bool onScratch = *entry_ == Scratch();
    if (bytes <= INT32_MAX) scratch_.Resize(int32_t(bytes), true);
    if (onScratch) PointAtScratch();
    ClearScratch();
}

void ChannelSlot::ClearScratch() { std::fill_n(Scratch(), ScratchLength(), 0.0); }
