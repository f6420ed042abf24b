#include "VorlaEditor.h"

#include "IBitmapControl.h"
#include "IKnobMultiControl.h"
#include "ISwitchControl.h"
#include "IURLControl.h"
#include "PanelLayout.h"
#include "PlatformGraphics.h"

namespace {

// The background is copied as it is; everything above it is blended by its alpha.
void AddControl(IGraphics& editor, IPlugBase& plug, const PanelElement& element, const char* productPage)
{
    if (element.kind == PanelControlKind::kLink) {
        const PixelRect area {element.x, element.y, element.x + element.width, element.y + element.height};
        editor.addControl(new IURLControl(&plug, area, productPage));
        return;
    }
    const BitmapStrip strip = editor.fetchStrip(element.pictureId, element.picture, element.frames);
    switch (element.kind) {
    case PanelControlKind::kBackground:
        editor.insertBackground(new IBitmapControl(&plug, element.x, element.y, element.param, strip, kMixReplace));
        break;
    case PanelControlKind::kSwitch:
        editor.addControl(new ISwitchControl(&plug, element.x, element.y, element.param, strip, kMixAlpha));
        break;
    default:
        editor.addControl(new IKnobMultiControl(&plug, element.x, element.y, element.param, strip,
                                                IKnobControl::kVertical, kKnobDragScale, kMixAlpha));
        break;
    }
}

}  // namespace

IGraphics* BuildVorlaEditor(IPlugBase& plug, const char* productPage)
{
    IGraphics* editor = CreatePlatformGraphics(plug, kPanelWidth, kPanelHeight, kPanelFramesPerSecond);
    for (const PanelElement& element : kPanelElements) AddControl(*editor, plug, element, productPage);
    return editor;
}
