#pragma once
// A window's placement between the platform and its stored-options set.
#include <windows.h>

#include "core/settings/StoredOptions.h"

namespace sorvane {

// The placement of `window` now, with the screen's pixels per inch and whether it is visible.
StoredPlacement PlacementOf(HWND window);

// Puts a restored placement on a window that may still be hidden: its normal rectangle, fitted
// to the current screen, takes effect at once without showing it. Returns the show command the
// window should be shown with when it is next shown (normal or maximized; a window saved
// minimized comes back normal).
int ApplyPlacement(HWND window, const StoredPlacement& placement);

}  // namespace sorvane
