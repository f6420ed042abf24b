#include "PlatformGraphics.h"

#include "IGraphicsHeadless.h"

IGraphics* CreatePlatformGraphics(IPlugBase& plug, int width, int height, int framesPerSecond)
{
    return new IGraphicsHeadless(plug, width, height, framesPerSecond);
}
