#include "IGraphicsHeadless.h"

#include "LoadPngResource.h"
#include "ResourceModule.h"

bool IGraphicsHeadless::presentArea(const PixelRect& area)
{
    ++presentCount_;
    lastPresented_ = area;
    return true;
}

LICE_IBitmap* IGraphicsHeadless::decodeImageResource(int resourceId, const char* name)
{
    return LoadPngResource(ResourceModule(), resourceId, name);
}
