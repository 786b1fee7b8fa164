#pragma once
// Drive queries and the process's current directory and error mode through Win32.
#include "core/platform/Drives.h"

namespace sorvane {

class WinDrives final : public IDrives {
  public:
    std::uint32_t LogicalDriveMask() override;
    unsigned DriveType(const std::string& root) override;
    bool FreeSpace(const std::string& root, ClusterSpace& out) override;
    std::uint32_t SetErrorMode(std::uint32_t mode) override;
    std::string CurrentDirectory() override;
    bool ChangeDirectory(const std::string& path) override;
};

}  // namespace sorvane
