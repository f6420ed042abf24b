#pragma once

#include <string>
#include <vector>

#include "PopupMenu.h"

// The command numbers under which a window system's menu reports the items of a
// PopupMenu and of its submenus. A menu's items take consecutive numbers, and the
// count moves past all of them before any of its submenus is numbered; submenus
// follow in item order, each numbered the same way, depth first. For a menu of three
// items with a two-item submenu under the first: 0-2 are the top items, 3-4 the
// submenu's.
class PopupMenuCommands {
public:
    explicit PopupMenuCommands(PopupMenu& top);

    // The command of a menu's item; -1 for a menu that is not part of this tree.
    int command(const PopupMenu& menu, int item) const;
    // The menu whose item carries the command, with that item as its chosenIndex;
    // null when no item does.
    PopupMenu* choose(int command) const;

private:
    struct Range {
        PopupMenu* menu;
        int first;  // the command of the menu's item 0
    };
    void number(PopupMenu& menu, int& next);

    std::vector<Range> ranges_;  // in the order their numbers were given out
};

// An item's text as the menu shows it: with numbering 1, 2 or 3 prefixed by the
// item's number from 1 with that many digits at least and ": ", so numbering 2 shows
// the third item as "03: text"; any other numbering leaves the text as it is.
std::string PopupItemLabel(const PopupMenu& menu, int item);
