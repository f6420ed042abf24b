#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class PopupMenu;

// One entry of a popup menu: a text, or a submenu, or a separator.
struct PopupItem {
    enum Flags : int32_t { kGrayed = 1, kDisabled = 2, kTicked = 4, kSeparator = 8 };

    std::string text;
    std::unique_ptr<PopupMenu> submenu;
    int32_t flags = 0;
};

// A menu the window layer shows on request. After it closes, the menu in which an
// item was chosen carries that item's index in chosenIndex.
class PopupMenu {
public:
    // How items are numbered in front of their text: none, or with 1, 2 or 3 digits.
    int32_t numbering = 0;
    int32_t chosenIndex = -1;  // -1: nothing chosen

    PopupItem& addItem(const std::string& text, int32_t flags = 0);
    int itemCount() const { return int(items_.size()); }
    PopupItem& item(int index) { return items_[std::size_t(index)]; }
    const PopupItem& item(int index) const { return items_[std::size_t(index)]; }

private:
    std::vector<PopupItem> items_;
};
