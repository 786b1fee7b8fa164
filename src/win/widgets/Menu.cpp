#include "win/widgets/Menu.h"

#include "win/platform/Utf.h"

namespace sorvane {

UniqueMenu MakePopupMenu() {
    return UniqueMenu(CreatePopupMenu());
}

void AppendItem(HMENU menu, int id, const std::string& caption, bool enabled) {
    AppendMenuW(menu, MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED), static_cast<UINT_PTR>(id),
                Widen(caption).c_str());
}

void AppendSeparator(HMENU menu) {
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
}

void AppendSubmenu(HMENU menu, UniqueMenu submenu, const std::string& caption) {
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu.release()),
                Widen(caption).c_str());
}

void EnableItem(HMENU menu, int id, bool enabled) {
    EnableMenuItem(menu, static_cast<UINT>(id), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

bool ItemEnabled(HMENU menu, int id) {
    const UINT state = GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

}  // namespace sorvane
