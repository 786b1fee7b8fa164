#pragma once
// The Clean Drive(s) mask list as the settings file keeps it, in section "Cleandiroptions":
// "Maskcount" and one "MaskItem<n>" per mask, "1" or "0" for its check mark followed by the
// mask ("1*.tmp").
#include <vector>

#include "core/driveclean/DriveScanCriteria.h"
#include "core/results/ResultTable.h"
#include "core/settings/Settings.h"

namespace sorvane {

inline constexpr char kCleanSection[] = "Cleandiroptions";

// The result table of a scan: name (with the check box), size, last modified, last accessed,
// path, attributes and type, at their design widths.
ResultTable MakeCleanTable();

// The seven masks a new user starts with, unchecked.
std::vector<ScanMask> DefaultMasks();

// The stored masks in their stored order; the defaults when none are stored.
std::vector<ScanMask> LoadMaskList(const Settings& settings);
// Items beyond the count left by an earlier, longer list stay in the file unread.
void SaveMaskList(Settings& settings, const std::vector<ScanMask>& masks);

}  // namespace sorvane
