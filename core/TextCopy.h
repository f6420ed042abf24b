#pragma once

#include <cstddef>

// Copies a zero-terminated text into a fixed buffer of `capacity` bytes. Longer texts
// are cut to capacity - 1 characters; the result is always terminated. A null source
// gives the empty text.
void CopyText(char* dest, size_t capacity, const char* src);

template <size_t N>
void CopyText(char (&dest)[N], const char* src)
{
    CopyText(dest, N, src);
}
