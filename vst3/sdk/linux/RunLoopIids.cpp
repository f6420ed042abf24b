// Interface identifiers of the Linux run-loop interfaces, which the packaged SDK
// declares but defines nowhere (see PlugViewIids.cpp).
#include "pluginterfaces/gui/iplugview.h"

namespace Steinberg::Linux {
DEF_CLASS_IID(IEventHandler)
DEF_CLASS_IID(ITimerHandler)
DEF_CLASS_IID(IRunLoop)
}  // namespace Steinberg::Linux
