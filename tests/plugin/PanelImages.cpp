#include "PanelImages.h"

#include <fstream>
#include <iterator>
#include <vector>

#include "BlitBitmap.h"
#include "DecodePng.h"
#include "LoadPngResource.h"
#include "PngWriter.h"

namespace paneltest {

const Picture kPictures[kPictureCount] = {
    {101, "resources/img/BG.png", 0, 0, 1},       {110, "resources/img/BY.png", 378, 160, 2},
    {108, "resources/img/OVER.png", 0, 161, 2},   {102, "resources/img/HI.png", 512, 37, 61},
    {103, "resources/img/HPF.png", 40, 37, 6},    {104, "resources/img/LB.png", 165, 18, 61},
    {105, "resources/img/LC.png", 239, 88, 61},   {106, "resources/img/LPF.png", 678, 37, 61},
    {107, "resources/img/MID.png", 347, 36, 61},  {109, "resources/img/OUT.png", 200, 161, 25},
};

const LICE_MemBitmap* DecodedPicture(int index)
{
    static std::unique_ptr<LICE_MemBitmap> decoded[kPictureCount];
    std::unique_ptr<LICE_MemBitmap>& picture = decoded[index];
    if (!picture) picture.reset(LoadPngResource(nullptr, kPictures[index].id, kPictures[index].name));
    return picture.get();
}

std::unique_ptr<LICE_MemBitmap> ExpectedPanel(const Frames& frames)
{
    auto panel = std::make_unique<LICE_MemBitmap>();
    panel->Resize(796, 189);
    for (int i = 0; i < kPictureCount; ++i) {
        const LICE_MemBitmap* image = DecodedPicture(i);
        if (!image) return nullptr;
        const int frameHeight = image->Height() / kPictures[i].frames;
        const LICE_Rect frame {0, frames[std::size_t(i)] * frameHeight, image->Width(),
                               (frames[std::size_t(i)] + 1) * frameHeight};
        const int mode = i == 0 ? kBlitCopy : kBlitCopy | kBlitUseSourceAlpha;
        BlitBitmap(panel.get(), image, kPictures[i].x, kPictures[i].y, &frame, 1.0f, mode);
    }
    return panel;
}

int CountDifferences(const LICE_IBitmap& a, const LICE_IBitmap& b, LICE_pixel channels)
{
    if (a.Width() != b.Width() || a.Height() != b.Height()) return -1;
    int differences = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) {
            const LICE_pixel changed = a.PixelData()[y * a.RowStride() + x] ^ b.PixelData()[y * b.RowStride() + x];
            differences += (changed & channels) != 0;
        }
    return differences;
}

std::unique_ptr<LICE_MemBitmap> ReadGolden(const std::string& name)
{
    std::ifstream file(std::string(VORLA_GOLDEN_DIR) + "/" + name, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return std::unique_ptr<LICE_MemBitmap>(DecodePng(bytes.data(), bytes.size()));
}

std::string WriteCapture(const LICE_IBitmap& image, const std::string& name)
{
    const std::string path = std::string(VORLA_CAPTURE_DIR) + "/" + name;
    WriteFile(path, EncodePng(RgbaImageOf(image)));
    return path;
}

}  // namespace paneltest
