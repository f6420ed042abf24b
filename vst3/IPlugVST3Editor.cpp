// The binding's side of the editor views: creating them for the host, and the
// editor's requests to the host that go through the first view.
#include "HostCall.h"
#include "IPlugVST3.h"
#include "pluginterfaces/vst/ivstcontextmenu.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

IPlugView* PLUGIN_API IPlugVST3::createView(FIDString name)
{
    if (!FIDStringsEqual(name, ViewType::kEditor)) return nullptr;
    return HostCall<IPlugView*>(nullptr, [&] {
        views_.reserve(views_.size() + 1);  // so that the view, once made, is listed
        auto* view = new IPlugVST3View(*this);
        views_.push_back(view);
        return view;
    });
}

void IPlugVST3::EditorResized(int width, int height)
{
    if (Editor() && !views_.empty()) views_.front()->RequestSize(width, height);
}

// The host's own menu for a parameter (automation and the like), shown where the
// editor was right-clicked.
void IPlugVST3::HostParamMenu(int paramIndex, int x, int y)
{
    if (!componentHandler || views_.empty()) return;
    FUnknownPtr<IComponentHandler3> handler(componentHandler);
    if (!handler) return;
    const ParamID tag = ParamID(paramIndex);
    IPtr<IContextMenu> menu = owned(handler->createContextMenu(views_.front(), &tag));
    if (menu) menu->popup(x, y);
}
