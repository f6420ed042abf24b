#pragma once

#include "ComponentHandler.h"
#include "pluginterfaces/vst/ivstcontextmenu.h"

#include <vector>

namespace vorla::host {

// A host context menu with no items of its own that takes none from the plug-in.
// It records where it was asked to pop up instead of showing anything.
class ContextMenu : public Steinberg::FObject, public Steinberg::Vst::IContextMenu {
public:
    struct Position {
        Steinberg::UCoord x;
        Steinberg::UCoord y;
    };

    const std::vector<Position>& popups() const { return shown; }

    Steinberg::int32 PLUGIN_API getItemCount() SMTG_OVERRIDE { return 0; }
    Steinberg::tresult PLUGIN_API getItem(Steinberg::int32, Item&, Steinberg::Vst::IContextMenuTarget**) SMTG_OVERRIDE {
        return Steinberg::kInvalidArgument;
    }
    Steinberg::tresult PLUGIN_API addItem(const Item&, Steinberg::Vst::IContextMenuTarget*) SMTG_OVERRIDE {
        return Steinberg::kNotImplemented;
    }
    Steinberg::tresult PLUGIN_API removeItem(const Item&, Steinberg::Vst::IContextMenuTarget*) SMTG_OVERRIDE {
        return Steinberg::kResultFalse;
    }
    Steinberg::tresult PLUGIN_API popup(Steinberg::UCoord x, Steinberg::UCoord y) SMTG_OVERRIDE;

    OBJ_METHODS(ContextMenu, FObject)
    DEFINE_INTERFACES
        DEF_INTERFACE(IContextMenu)
    END_DEFINE_INTERFACES(FObject)
    REFCOUNT_METHODS(FObject)

private:
    std::vector<Position> shown;
};

// A component handler that also offers host context menus (IComponentHandler3).
// It keeps every menu it makes, so a test can see what became of them after the
// plug-in has released its reference.
class ContextMenuHandler : public ComponentHandler, public Steinberg::Vst::IComponentHandler3 {
public:
    struct Request {
        Steinberg::IPlugView* view;
        bool hasParam;
        Steinberg::Vst::ParamID param;
        Steinberg::IPtr<ContextMenu> menu;
    };

    const std::vector<Request>& requests() const { return recorded; }

    Steinberg::Vst::IContextMenu* PLUGIN_API createContextMenu(Steinberg::IPlugView* view,
                                                               const Steinberg::Vst::ParamID* param) SMTG_OVERRIDE;

    OBJ_METHODS(ContextMenuHandler, ComponentHandler)
    DEFINE_INTERFACES
        DEF_INTERFACE(IComponentHandler3)
    END_DEFINE_INTERFACES(ComponentHandler)
    REFCOUNT_METHODS(ComponentHandler)

private:
    std::vector<Request> recorded;
};

} // namespace vorla::host
