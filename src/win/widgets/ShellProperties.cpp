#include "win/widgets/ShellProperties.h"

#include <shlobj.h>

#include "win/platform/Utf.h"
#include "win/platform/WinHandles.h"

namespace sorvane {

bool ShowShellProperties(HWND owner, const std::string& path) {
    // The item's own "properties" verb, as the shell's context menu of the item runs it.
    PIDLIST_ABSOLUTE item = nullptr;
    if (FAILED(SHParseDisplayName(Widen(path).c_str(), nullptr, &item, 0, nullptr))) return false;
    ComPtr<IShellFolder> parent;
    PCUITEMID_CHILD child = nullptr;
    ComPtr<IContextMenu> menu;
    bool shown = false;
    if (SUCCEEDED(SHBindToParent(item, IID_IShellFolder, parent.PutVoid(), &child)) &&
        SUCCEEDED(parent->GetUIObjectOf(owner, 1, &child, IID_IContextMenu, nullptr,
                                        menu.PutVoid()))) {
        CMINVOKECOMMANDINFO command{};
        command.cbSize = sizeof command;
        command.hwnd = owner;
        command.lpVerb = "properties";
        command.nShow = SW_SHOWNORMAL;
        shown = SUCCEEDED(menu->InvokeCommand(&command));
    }
    CoTaskMemFree(item);
    return shown;
}

}  // namespace sorvane
