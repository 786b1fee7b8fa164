#pragma once
// Libraries loaded while the program runs come from the system folder by their full path: a
// file of the same name beside the program (a copy unpacked into Downloads) is never loaded.
#include "win/platform/WinHandles.h"

namespace sorvane {

// `name` such as L"hhctrl.ocx"; its own libraries are looked for beside it. Empty on failure.
UniqueModule LoadSystemLibrary(const wchar_t* name);

}  // namespace sorvane
