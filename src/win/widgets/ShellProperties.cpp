#include "win/widgets/ShellProperties.h"

#include <shlobj.h>

#include "win/platform/Utf.h"

namespace sorvane {

bool ShowShellProperties(HWND owner, const std::string& path) {
    const std::wstring wide = Widen(path);
    return SHObjectProperties(owner, SHOP_FILEPATH, wide.c_str(), nullptr) != FALSE;
}

}  // namespace sorvane
