#include "PlugFrame.h"

namespace vorla::host {

using namespace Steinberg;

tresult PLUGIN_API PlugFrame::resizeView(IPlugView* view, ViewRect* newSize) {
    if (!view || !newSize)
        return kInvalidArgument;
    recorded.push_back({view, *newSize});
    return view->onSize(newSize);
}

} // namespace vorla::host
