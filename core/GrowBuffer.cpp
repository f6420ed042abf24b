#include "GrowBuffer.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {
constexpr int64_t kPage = 4096;
// Allocations end 96 bytes short of a whole page multiple, leaving room for the
// allocator's own header so each block fills its pages exactly.
constexpr int64_t kAllocatorHeader = 96;
constexpr int64_t kMaxGrowthStep = 4194304;
}

GrowBuffer::GrowBuffer(int32_t granularity) : granularity_(granularity) {}

GrowBuffer::~GrowBuffer() { std::free(data_); }

void* GrowBuffer::Resize(int32_t size, bool allowShrink)
{
    size = std::max(size, 0);
    const bool wantsShrink = allowShrink && size < allocated_ / 2;
    if (size == used_ && !wantsShrink) return data_;

    if (size > allocated_ || size < ShrinkThreshold(size, allowShrink)) {
        const int64_t capacity = CapacityFor(size);
        if (capacity != allocated_ && !Reallocate(capacity)) return data_;
    }
    used_ = size;
    return size > 0 ? data_ : nullptr;
}

// Below this size a shrinking resize gives memory back; 0 means never.
int32_t GrowBuffer::ShrinkThreshold(int32_t size, bool allowShrink) const
{
    if (!allowShrink || size >= used_) return 0;
    return std::max(1, std::min(allocated_ / 2, allocated_ - 4 * granularity_));
}

// Capacity for `size` bytes: at least half as much again (or one granularity) of
// headroom, so repeated appends cost amortised constant time. Computed in 64 bits:
// a result beyond the 32-bit size range is refused by Reallocate.
int64_t GrowBuffer::CapacityFor(int32_t size) const
{
    if (size < 1) return 0;
    int64_t headroom = std::max<int64_t>(granularity_, size / 2);
    if (granularity_ < kPage) return headroom + size;
    headroom = std::clamp(headroom / kPage * kPage, kPage, kMaxGrowthStep);
    return (size + kAllocatorHeader + headroom) / kPage * kPage - kAllocatorHeader;
}

bool GrowBuffer::Reallocate(int64_t capacity)
{
    if (capacity <= 0) {
        std::free(data_);
        data_ = nullptr;
        allocated_ = used_ = 0;
        return true;
    }
    if (capacity > INT32_MAX) return false;
    void* grown = std::realloc(data_, size_t(capacity));
    if (!grown) return false;
    data_ = grown;
    allocated_ = int32_t(capacity);
    return true;
}
