#pragma once
// A window's placement between the platform and its stored settings. The normal rectangle is
// read and put back in one coordinate system, the system's workspace coordinates (which count
// from the work area's corner), so a taskbar at the top or left never moves a window that is
// closed and opened again.
#include <windows.h>

#include "core/settings/StoredOptions.h"

namespace sorvane {

// The placement of `window` now, with the screen's pixels per inch and whether it is visible.
StoredPlacement PlacementOf(HWND window);

// Puts a restored placement on a window that may still be hidden: its normal rectangle, fitted
// to the monitor it is on (or brought onto the nearest one), takes effect at once without
// showing it. Returns the show command the window should be shown with when it is next shown
// (normal or maximized; a window saved minimized comes back normal).
int ApplyPlacement(HWND window, const StoredPlacement& placement);

// The same for windows that keep their bounds key by key.
WindowBounds BoundsOf(HWND window);
int ApplyBounds(HWND window, const WindowBounds& bounds);

}  // namespace sorvane
