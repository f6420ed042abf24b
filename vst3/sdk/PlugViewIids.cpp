// Interface identifiers of the editor-view interfaces. The packaged SDK declares
// these interfaces but defines their identifiers nowhere, so they are defined here
// once, as part of the SDK library.
#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"

namespace Steinberg {
DEF_CLASS_IID(IPlugView)
DEF_CLASS_IID(IPlugFrame)
DEF_CLASS_IID(IPlugViewContentScaleSupport)
}  // namespace Steinberg
