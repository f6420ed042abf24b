#include "ContextMenu.h"

namespace vorla::host {

using namespace Steinberg;
using namespace Steinberg::Vst;

tresult PLUGIN_API ContextMenu::popup(UCoord x, UCoord y) {
    shown.push_back({x, y});
    return kResultOk;
}

IContextMenu* PLUGIN_API ContextMenuHandler::createContextMenu(IPlugView* view, const ParamID* param) {
    auto menu = owned(new ContextMenu());
    recorded.push_back({view, param != nullptr, param ? *param : 0, menu});
    menu->addRef(); // the caller's reference
    return menu.get();
}

} // namespace vorla::host
