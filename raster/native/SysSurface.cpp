#include "SysSurface.h"

#include <cstdint>
#include <cstdlib>
#include <limits>

namespace {
constexpr std::size_t kSectionAlignment = 64;
}

SysSurface::SysSurface() = default;

SysSurface::~SysSurface()
{
    releaseSection();
}

bool SysSurface::usable() const
{
    return true; // memory alone serves; there is no drawing context to fail
}

LICE_pixel* SysSurface::createSection(int width, int height)
{
    releaseSection();
    const std::uint64_t bytes = std::uint64_t(width) * std::uint64_t(height) * sizeof(LICE_pixel);
    if (bytes == 0 || bytes > std::numeric_limits<std::uint32_t>::max()) return nullptr;
    const std::size_t rounded = (bytes + kSectionAlignment - 1) & ~(kSectionAlignment - 1);
    section_ = std::aligned_alloc(kSectionAlignment, rounded);
    return static_cast<LICE_pixel*>(section_);
}

void SysSurface::releaseSection()
{
    std::free(section_);
    section_ = nullptr;
}
