#include "TextCopy.h"

void CopyText(char* dest, size_t capacity, const char* src)
{
    if (capacity == 0) return;
    size_t n = 0;
    if (src) {
        while (n + 1 < capacity && src[n] != '\0') {
            dest[n] = src[n];
            ++n;
        }
    }
    dest[n] = '\0';
}
