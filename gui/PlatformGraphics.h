#pragma once

class IGraphics;
class IPlugBase;

// The editor of the platform a build targets. Each platform folder defines it once,
// and a build compiles exactly one of them.
IGraphics* CreatePlatformGraphics(IPlugBase& plug, int width, int height, int framesPerSecond);
