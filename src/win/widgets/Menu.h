#pragma once
// Pop-up menus built item by item, destroyed with their owner object.
#include <windows.h>

#include <string>

#include "win/platform/WinHandles.h"

namespace sorvane {

UniqueMenu MakePopupMenu();
void AppendItem(HMENU menu, int id, const std::string& caption, bool enabled = true);
void AppendSeparator(HMENU menu);
// Appends `submenu` under `caption`; the parent menu takes it over.
void AppendSubmenu(HMENU menu, UniqueMenu submenu, const std::string& caption);
void EnableItem(HMENU menu, int id, bool enabled);
bool ItemEnabled(HMENU menu, int id);

}  // namespace sorvane
