#include "IURLControl.h"

#include "IGraphics.h"
#include "TextCopy.h"

IURLControl::IURLControl(IPlugBase* plug, const PixelRect& rect, const char* pageAddress, const char* backupAddress,
                         const char* captionText, const BlendSpec& blend)
    : IControl(plug, rect, -1, blend)
{
    CopyText(pageAddress_, pageAddress);
    CopyText(backupAddress_, backupAddress);
    CopyText(captionText_, captionText);
}

// The browser is asked without confirmation or error texts, so a failure is silent.
void IURLControl::onMouseDown(int, int, const MouseMods&)
{
    IGraphics* editor = graphics();
    if (!editor) return;
    if (pageAddress_[0] && editor->launchBrowser(pageAddress_, captionText_, nullptr, nullptr)) return;
    if (backupAddress_[0]) editor->launchBrowser(backupAddress_, captionText_, nullptr, nullptr);
}
