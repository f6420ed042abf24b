#include "PopupMenu.h"

PopupItem& PopupMenu::addItem(const std::string& text, int32_t flags)
{
    items_.push_back(PopupItem {text, nullptr, flags});
    return items_.back();
}
