#pragma once

#include <cstdint>

// A heap byte block that grows in page-shaped steps. The used size is the logical
// length; the bytes between it and the allocated size hold no meaning. Growth keeps
// the contents. A failed growth changes nothing, so callers detect it by comparing
// Size() with the size they asked for.
class GrowBuffer {
public:
    static constexpr int32_t kPageGranularity = 4096;

    explicit GrowBuffer(int32_t granularity = kPageGranularity);
    ~GrowBuffer();
    GrowBuffer(const GrowBuffer&) = delete;
    GrowBuffer& operator=(const GrowBuffer&) = delete;

    // Sets the used size to `size` (negative counts as 0), reallocating when the block
    // is too small or, with `allowShrink`, much larger than needed. Returns the data
    // (the unchanged old block when it could not grow), or null for size 0.
    void* Resize(int32_t size, bool allowShrink = true);

    void* Data() { return data_; }
    const void* Data() const { return data_; }
    int32_t Size() const { return used_; }
    int32_t Allocated() const { return allocated_; }
    int32_t Granularity() const { return granularity_; }

    template <class T>
    T* As() { return static_cast<T*>(data_); }
    template <class T>
    const T* As() const { return static_cast<const T*>(data_); }

private:
    int32_t ShrinkThreshold(int32_t size, bool allowShrink) const;
    int64_t CapacityFor(int32_t size) const;
    bool Reallocate(int64_t capacity);

    void* data_ = nullptr;
    int32_t allocated_ = 0;
    int32_t used_ = 0;
    int32_t granularity_;
};
