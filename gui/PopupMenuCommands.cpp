#include "PopupMenuCommands.h"

#include <cstdio>

PopupMenuCommands::PopupMenuCommands(PopupMenu& top)
{
    int next = 0;
    number(top, next);
}

void PopupMenuCommands::number(PopupMenu& menu, int& next)
{
    ranges_.push_back({&menu, next});
    next += menu.itemCount();
    for (int i = 0; i < menu.itemCount(); ++i)
        if (PopupMenu* submenu = menu.item(i).submenu.get()) number(*submenu, next);
}

int PopupMenuCommands::command(const PopupMenu& menu, int item) const
{
    for (const Range& range : ranges_)
        if (range.menu == &menu) return range.first + item;
    return -1;
}

PopupMenu* PopupMenuCommands::choose(int command) const
{
    for (const Range& range : ranges_) {
        if (command >= range.first && command < range.first + range.menu->itemCount()) {
            range.menu->chosenIndex = command - range.first;
            return range.menu;
        }
    }
    return nullptr;
}

std::string PopupItemLabel(const PopupMenu& menu, int item)
{
    const std::string& text = menu.item(item).text;
    if (menu.numbering < 1 || menu.numbering > 3) return text;
    char number[16];
    std::snprintf(number, sizeof number, "%0*d: ", int(menu.numbering), item + 1);
    return number + text;
}
