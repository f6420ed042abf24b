#include "ChannelSlot.h"

#include <algorithm>

ChannelSlot::ChannelSlot(double** entry) : entry_(entry) { *entry_ = nullptr; }

bool ChannelSlot::ResizeScratch(int32_t frames)
{
    frames = std::max(frames, 0);
    const int64_t bytes = int64_t(frames) * int64_t(sizeof(double));
    // Resizing may move the buffer; an entry left on the old one would dangle.
    const bool onScratch = *entry_ == Scratch();
    if (bytes <= INT32_MAX) scratch_.Resize(int32_t(bytes), true);
    if (onScratch) PointAtScratch();
    ClearScratch();
    return ScratchLength() == frames;
}

void ChannelSlot::ClearScratch() { ClearScratch(ScratchLength()); }

void ChannelSlot::ClearScratch(int32_t frames)
{
    std::fill_n(Scratch(), std::clamp(frames, 0, ScratchLength()), 0.0);
}
