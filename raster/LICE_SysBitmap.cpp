#include "LICE_SysBitmap.h"

#include <algorithm>
#include <climits>

namespace {
// Widths are padded to a multiple of four pixels; this keeps the padding in range.
constexpr int kMaxWidth = INT_MAX & ~3;
} // namespace

bool LICE_SysBitmap::Resize(int width, int height)
{
    if (!surface_.usable()) return false;
    width = std::clamp(width, 0, kMaxWidth);
    height = std::max(height, 0);
    if (width == width_ && height == height_) return false;
    width_ = width;
    height_ = height;

    const bool fitsSection = width_ > 0 && height_ > 0 && width_ <= allocatedWidth_ &&
                             height_ <= allocatedHeight_ && pixels_;
    if (fitsSection) return true;

    allocatedHeight_ = height_;
    allocatedWidth_ = (width_ + 3) & ~3;
    surface_.releaseSection();
    pixels_ = nullptr;
    if (allocatedWidth_ < 1 || allocatedHeight_ < 1) return false;

    pixels_ = surface_.createSection(allocatedWidth_, allocatedHeight_);
    if (!pixels_) width_ = height_ = allocatedWidth_ = allocatedHeight_ = 0;
    return true;
}
