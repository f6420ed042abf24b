#pragma once

// Pictures of the product's panel for the render tests: what the panel should show
// for a set of frames, built from the decoded images alone, the committed golden
// renders, and captures written for a person to look at.
#include <array>
#include <memory>
#include <string>

#include "LICE_MemBitmap.h"

namespace paneltest {

// The ten pictures in drawing order: background, Bypass, Oversample, High, HPF,
// Low Boost, Low Atten, LPF, Mid, Out.
constexpr int kPictureCount = 10;
using Frames = std::array<int, kPictureCount>;

struct Picture {
    int id;
    const char* name;
    int x;
    int y;
    int frames;
};
extern const Picture kPictures[kPictureCount];

// The decoded image of a picture, as the module's resources hold it (decoded once;
// null when it cannot be decoded).
const LICE_MemBitmap* DecodedPicture(int index);

// The panel composed by the raster library alone: the background copied, then each
// picture's frame blended by alpha at its place.
std::unique_ptr<LICE_MemBitmap> ExpectedPanel(const Frames& frames);

// Pixels that differ between the images over their common area, or -1 when their
// sizes differ. Only the bits of `channels` count (0xffffff: colour without alpha).
int CountDifferences(const LICE_IBitmap& a, const LICE_IBitmap& b, LICE_pixel channels = 0xffffffff);

// A committed golden render (null when missing or unreadable).
std::unique_ptr<LICE_MemBitmap> ReadGolden(const std::string& name);
// Writes the image under the build folder's captures; returns the path.
std::string WriteCapture(const LICE_IBitmap& image, const std::string& name);

}  // namespace paneltest
