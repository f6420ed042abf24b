#pragma once

#include "LICE_IBitmap.h"

// The platform half of LICE_SysBitmap: a memory drawing context and the pixel
// section selected into it. On Windows the context is a GDI memory device context
// and the section a top-down 32-bit DIB; the native build has no drawing context
// and keeps the section in aligned heap memory.
class SysSurface {
public:
    SysSurface();
    ~SysSurface();
    SysSurface(const SysSurface&) = delete;
    SysSurface& operator=(const SysSurface&) = delete;

    // False when the platform could not provide a drawing context.
    bool usable() const;
    void* drawContext() const { return context_; }

    // Replaces the current section by a new one of width x height pixels (rows
    // exactly `width` pixels apart, top-down). Returns its pixels, or null.
    LICE_pixel* createSection(int width, int height);
    void releaseSection();

private:
    void* context_ = nullptr;
    void* section_ = nullptr;
    void* previousObject_ = nullptr;
};
