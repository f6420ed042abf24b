#pragma once

#include <cstddef>

// A PNG file compiled into the native build, under its Windows resource id.
struct EmbeddedImage {
    int id;
    const unsigned char* bytes;
    std::size_t size;
};

// The image with that resource id, or null.
const EmbeddedImage* FindEmbeddedImage(int id);
