#pragma once
// The Check Shortcuts window's settings: section "ShortcutOptions" key by key, with the two
// exclusion lists in "ShortcutOptions_Exclude" and "ShortcutOptions_LinkExclude".
#include <cstdint>

#include "core/settings/Settings.h"
#include "core/settings/StoredOptions.h"
#include "core/shortcuts/ShortcutScan.h"

namespace sorvane {

struct ShortcutWindowOptions {
    WindowBounds bounds;
    ShortcutScanOptions scan;
    bool startupScan = false;
    bool confirm = true;
};

// Missing keys take their defaults; the design width and height are the size after creation.
ShortcutWindowOptions ReadShortcutOptions(const Settings& settings, std::int32_t designWidth,
                                          std::int32_t designHeight);
// Writes every key. A list shorter than before leaves the old higher "Item" keys in place: the
// count keeps them from being read.
void WriteShortcutOptions(Settings& settings, const ShortcutWindowOptions& options);

}  // namespace sorvane
