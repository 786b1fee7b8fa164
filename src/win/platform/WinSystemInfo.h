#pragma once
// Facts about the system, the user and the program, the process token's privileges and the
// request to end the session, through Win32.
#include "core/platform/SystemInfo.h"

namespace sorvane {

class WinSystemInfo final : public ISystemInfo {
  public:
    std::string UserName() override;
    std::string WindowsDirectory() override;
    int PlatformId() override;
    std::string ProgramPath() override;
    std::string AppDataDirectory() override;
    std::vector<std::string> SystemFolders() override;
    bool SetProcessPrivilege(const std::string& name, bool enable) override;
    bool EndSession(unsigned flags) override;
};

}  // namespace sorvane
