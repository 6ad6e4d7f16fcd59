#pragma once

#include <vector>

class QMenuBar;

// Menu bars as laid out in tables: each menu and entry under its design name, with its caption and a description.
namespace mx {

struct MenuEntry {
    const char16_t* name;
    const char16_t* caption = u"";     // empty: a separator
    const char16_t* description = u""; // status tip and tool tip
};

struct MenuOfBar {
    const char16_t* name;
    const char16_t* caption;
    std::vector<MenuEntry> entries;
};

// Names the bar "menuBar" (drawn in the window, never the desktop's) and fills it with the menus in order.
void buildMenuBar(QMenuBar* bar, const std::vector<MenuOfBar>& layout);

} // namespace mx
