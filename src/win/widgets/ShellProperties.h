#pragma once
// The shell's own Properties sheet of a file or folder.
#include <windows.h>

#include <string>

namespace sorvane {

// Opens the sheet owned by `owner`; false when the shell could not show it.
bool ShowShellProperties(HWND owner, const std::string& path);

}  // namespace sorvane
