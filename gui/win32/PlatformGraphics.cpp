#include "PlatformGraphics.h"

#include "IGraphicsWin.h"

IGraphics* CreatePlatformGraphics(IPlugBase& plug, int width, int height, int framesPerSecond)
{
    return new IGraphicsWin(plug, width, height, framesPerSecond);
}
