#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <type_traits>

#include "GrowBuffer.h"

// An ordered list of owned objects, stored as pointers in a GrowBuffer. The list frees
// an object when its entry is deleted or the list is cleared, always from the last
// entry to the first. It never shrinks its buffer: the memory stays until destruction.
// T may be an array type (OwnedPtrList<char[]> owns texts made with new[]).
template <class T>
class OwnedPtrList {
public:
    using Pointer = std::remove_extent_t<T>*;

    OwnedPtrList() = default;
    ~OwnedPtrList() { Clear(); }
    OwnedPtrList(const OwnedPtrList&) = delete;
    OwnedPtrList& operator=(const OwnedPtrList&) = delete;

    int Count() const { return int(buffer_.Size() / int32_t(sizeof(Pointer))); }

    Pointer Get(int index) const
    {
        return index >= 0 && index < Count() ? Entries()[index] : nullptr;
    }

    // Takes ownership of `object` in every case: when the list cannot grow, the
    // object is freed and false returned, so nothing leaks.
    bool Append(Pointer object) { return Insert(Count(), object); }

    // Stores `object` at `position` (a negative position counts as 0, one past the end
    // appends), moving the later entries up by one. Ownership as for Append.
    bool Insert(int position, Pointer object)
    {
        const int count = Count();
        position = position < 0 ? 0 : (position > count ? count : position);
        if (!Grow(count + 1)) {
            std::default_delete<T>()(object);
            return false;
        }
        Pointer* entries = Entries();
        std::memmove(entries + position + 1, entries + position, sizeof(Pointer) * size_t(count - position));
        entries[position] = object;
        return true;
    }

    // Frees the object at `index` and moves the later entries down; an index outside
    // the list does nothing.
    void Delete(int index)
    {
        const int count = Count();
        if (index < 0 || index >= count) return;
        Pointer* entries = Entries();
        std::default_delete<T>()(entries[index]);
        std::memmove(entries + index, entries + index + 1, sizeof(Pointer) * size_t(count - index - 1));
        buffer_.Resize(int32_t(sizeof(Pointer)) * (count - 1), false);
    }

    // Frees the entry at `index` and stores `object` in its place. Outside the list
    // the object is freed and false returned.
    bool Replace(int index, Pointer object)
    {
        if (index < 0 || index >= Count()) {
            std::default_delete<T>()(object);
            return false;
        }
        std::default_delete<T>()(Entries()[index]);
        Entries()[index] = object;
        return true;
    }

    void Clear()
    {
        for (int i = Count() - 1; i >= 0; --i) {
            std::default_delete<T>()(Entries()[i]);
            buffer_.Resize(int32_t(sizeof(Pointer)) * i, false);
        }
    }

private:
    bool Grow(int count)
    {
        const int64_t bytes = int64_t(sizeof(Pointer)) * count;
        if (bytes > INT32_MAX) return false;
        buffer_.Resize(int32_t(bytes), false);
        return buffer_.Size() == bytes;
    }

    Pointer* Entries() { return buffer_.As<Pointer>(); }
    const Pointer* Entries() const { return buffer_.As<Pointer>(); }

    GrowBuffer buffer_{GrowBuffer::kPageGranularity};
};
