#include "PlatformGraphics.h"

#include "IGraphicsX11.h"

IGraphics* CreatePlatformGraphics(IPlugBase& plug, int width, int height, int framesPerSecond)
{
    return new IGraphicsX11(plug, width, height, framesPerSecond);
}
