#include "core/app/DriveInfo.h"

#include "core/utils/AllUtils.h"

namespace sorvane {

std::string BuildDriveInfoText(IDrives& drives) {
    std::string text;
    for (int index = 0; index < 26; ++index) {
        if (!DriveExists(drives, index)) continue;
        const std::string root = std::string(1, static_cast<char>('A' + index)) + ":\\";
        if (DriveTypeName(drives, root) != "Fixed") continue;
        const DiskSpace space = GetDiskSpace(drives, root);
        text += root + " Total: " + FormatByteSize(space.total) +
                " Free: " + FormatByteSize(space.free) + "\r\n";
    }
    return text;
}

}  // namespace sorvane
