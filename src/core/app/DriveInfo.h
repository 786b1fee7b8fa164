#pragma once
// The text of the drive-information pop-up: one line per fixed disk.
#include <string>

#include "core/platform/Drives.h"

namespace sorvane {

// "C:\ Total: 2.04 GB Free: 812 MB" and a line break for every fixed drive from A to Z;
// empty when there is none.
std::string BuildDriveInfoText(IDrives& drives);

}  // namespace sorvane
