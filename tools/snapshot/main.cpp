// Composites the editor panel at given control values into one PNG, so the art
// can be checked without a host:
//   vorla-snapshot <image folder> <output.png> [control=value ...]
// Controls are named as in PanelLayout.h (high, hpf, lowboost, lowatten, lpf, mid,
// out, oversample, bypass); values are normalised 0..1, as the editor holds them.
#include "BlitBitmap.h"
#include "DecodePng.h"
#include "PanelLayout.h"
#include "PngWriter.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

// The parameters' defaults as normalised values.
double defaultValue(PictureIndex index)
{
    switch (index) {
    case kHigh:
    case kMid:
    case kOut: return 0.5;
    case kOversample: return 1.0;
    default: return 0.0;
    }
}

std::unique_ptr<LICE_MemBitmap> loadPicture(const std::string& folder, const PanelPicture& picture)
{
    std::ifstream file(folder + "/" + picture.file, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return std::unique_ptr<LICE_MemBitmap>(DecodePng(bytes.data(), bytes.size()));
}

bool parseValues(int argc, char** argv, double (&values)[kPictureCount])
{
    for (int i = 0; i < kPictureCount; ++i) values[i] = defaultValue(PictureIndex(i));
    for (int a = 3; a < argc; ++a) {
        const char* equals = std::strchr(argv[a], '=');
        const std::string control = equals ? std::string(argv[a], std::size_t(equals - argv[a])) : std::string();
        int found = -1;
        for (int i = 1; i < kPictureCount; ++i)
            if (control == kPanelPictures[i].name) found = i;
        if (found < 0) {
            std::fprintf(stderr, "vorla-snapshot: unknown setting %s\n", argv[a]);
            return false;
        }
        values[found] = std::atof(equals + 1);
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    double values[kPictureCount];
    if (argc < 3 || !parseValues(argc, argv, values)) {
        std::fprintf(stderr, "usage: vorla-snapshot <image folder> <output.png> [control=value ...]\n");
        return 2;
    }
    LICE_MemBitmap panel;
    panel.Resize(kPanelWidth, kPanelHeight);
    for (int i = 0; i < kPictureCount; ++i) {
        const PanelPicture& picture = kPanelPictures[i];
        const auto strip = loadPicture(argv[1], picture);
        if (!strip) {
            std::fprintf(stderr, "vorla-snapshot: cannot decode %s\n", picture.file);
            return 1;
        }
        const int top = FrameForValue(picture, values[i]) * picture.frameHeight;
        const LICE_Rect frame = {0, top, picture.frameWidth, top + picture.frameHeight};
        const int mode = i == kBackground ? kBlitCopy : kBlitCopy | kBlitUseSourceAlpha;
        BlitBitmap(&panel, strip.get(), picture.x, picture.y, &frame, 1.0f, mode);
    }
    if (WriteFile(argv[2], EncodePng(RgbaImageOf(panel)))) return 0;
    std::fprintf(stderr, "vorla-snapshot: cannot write %s\n", argv[2]);
    return 1;
}
