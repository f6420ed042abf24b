#include "BlendSpec.h"

#include "BlitBitmap.h"

int BlitModeOf(const BlendSpec* blend)
{
    switch (blend ? blend->kind : kMixAlpha) {
    case kMixReplace: return kBlitCopy;
    case kMixAdd: return kBlitAdd | kBlitUseSourceAlpha;
    case kMixDodge: return kBlitDodge | kBlitUseSourceAlpha;
    default: return kBlitCopy | kBlitUseSourceAlpha;
    }
}
