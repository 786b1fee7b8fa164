#pragma once
// The running system as a test describes it. Privilege changes and session-end requests go
// to one log so their order can be checked.
#include <string>
#include <vector>

#include "core/platform/SystemInfo.h"

namespace sorvane {

class FakeSystemInfo final : public ISystemInfo {
  public:
    void SetUserName(std::string name) { userName_ = std::move(name); }
    void SetWindowsDirectory(std::string dir) { windowsDir_ = std::move(dir); }
    void SetPlatformId(int id) { platformId_ = id; }
    void SetProgramPath(std::string path) { programPath_ = std::move(path); }
    // What SetProcessPrivilege and EndSession answer.
    void SetPrivilegeResult(bool adjusted) { privilegeResult_ = adjusted; }
    void SetExitAccepted(bool accepted) { exitAccepted_ = accepted; }

    const std::vector<unsigned>& ExitRequests() const { return exitRequests_; }

    std::string UserName() override { return userName_; }
    std::string WindowsDirectory() override { return windowsDir_; }
    int PlatformId() override { return platformId_; }
    std::string ProgramPath() override { return programPath_; }
    std::string AppDataDirectory() override { return appData_; }
    std::vector<std::string> SystemFolders() override { return systemFolders_; }
    bool SetProcessPrivilege(const std::string&, bool) override { return privilegeResult_; }
    bool EndSession(unsigned flags) override {
        exitRequests_.push_back(flags);
        return exitAccepted_;
    }

  private:
    std::string userName_ = "Tester";
    std::string windowsDir_ = "C:\\Windows";
    int platformId_ = platform_id::kWindowsNt;
    std::string programPath_ = "C:\\Program Files\\Sorvane\\Sorvane.exe";
    std::string appData_ = "C:\\Users\\Tester\\AppData\\Roaming";
    std::vector<std::string> systemFolders_ = {"C:\\Windows", "C:\\Program Files",
                                               "C:\\Users\\Tester"};
    bool privilegeResult_ = true;
    bool exitAccepted_ = true;
    std::vector<unsigned> exitRequests_;
};

}  // namespace sorvane
