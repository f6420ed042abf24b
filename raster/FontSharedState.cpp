#include "FontSharedState.h"

#include "PlatformText.h"

#include <algorithm>
#include <memory>

namespace {

constexpr int kGlyphCanvasMinimum = 256;
constexpr int kTextScratchMinimum = 4;

enum class Emulation { NotProbed, No, Yes };

struct SharedState {
    int liveFonts = 0;
    std::unique_ptr<LICE_SysBitmap> glyphCanvas;
    std::unique_ptr<LICE_SysBitmap> textScratch;
    Emulation emulation = Emulation::NotProbed;
    int probes = 0;
};

SharedState& shared()
{
    static SharedState state;
    return state;
}

LICE_SysBitmap& grown(std::unique_ptr<LICE_SysBitmap>& bitmap, int width, int height, int minimum)
{
    if (!bitmap) bitmap = std::make_unique<LICE_SysBitmap>();
    const int wantedWidth = std::max({width, minimum, bitmap->Width()});
    const int wantedHeight = std::max({height, minimum, bitmap->Height()});
    bitmap->Resize(wantedWidth, wantedHeight);
    return *bitmap;
}

} // namespace

namespace FontShared {

void FontCreated()
{
    ++shared().liveFonts;
}

void FontDestroyed()
{
    SharedState& state = shared();
    if (--state.liveFonts > 0) return;
    state.liveFonts = 0;
    state.glyphCanvas.reset();
    state.textScratch.reset();
}

int LiveFonts()
{
    return shared().liveFonts;
}

LICE_SysBitmap& GlyphCanvas(int width, int height)
{
    return grown(shared().glyphCanvas, width, height, kGlyphCanvasMinimum);
}

LICE_SysBitmap& TextScratch(int width, int height)
{
    return grown(shared().textScratch, width, height, kTextScratchMinimum);
}

bool HoldsBitmaps()
{
    return shared().glyphCanvas || shared().textScratch;
}

bool PlatformTextUsable()
{
    if (!PlatformHasTextDrawing()) return false;
    SharedState& state = shared();
    if (state.emulation == Emulation::NotProbed) {
        ++state.probes;
        state.emulation = PlatformTextIsEmulated() ? Emulation::Yes : Emulation::No;
    }
    return state.emulation == Emulation::No;
}

int PlatformTextProbes()
{
    return shared().probes;
}

} // namespace FontShared
