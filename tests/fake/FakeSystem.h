#pragma once
// The drives, the registry, the running system and the event pump as a test sets them up.
#include <cctype>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/platform/Drives.h"
#include "core/platform/EventPump.h"
#include "core/platform/SystemInfo.h"
#include "core/utils/AsciiText.h"

namespace sorvane {

// Drives A: to Z: as a test sets them up, and a record of the error modes and directory
// changes the engine asked for.
struct FakeDrive {
    unsigned type = drive::kFixed;
    ClusterSpace space{};
    bool ready = true;  // false: no medium, so space queries and directory changes fail
};

// One ChangeDirectory call, with the error mode in force while it ran.
struct DirectoryChange {
    std::string path;
    std::uint32_t errorMode = 0;
};

class FakeDrives final : public IDrives {
  public:
    // Upper-case letters only.
    void AddDrive(char letter, const FakeDrive& drive = {}) {
        drives_[letter] = drive;
        mask_ |= 1U << (letter - 'A');
    }

    const std::vector<std::uint32_t>& ErrorModesSet() const { return errorModesSet_; }
    const std::vector<DirectoryChange>& DirectoryChanges() const { return changes_; }

    std::uint32_t LogicalDriveMask() override { return mask_; }
    unsigned DriveType(const std::string& root) override {
        const FakeDrive* d = DriveOf(root);
        return d == nullptr ? drive::kNoRootDir : d->type;
    }
    bool FreeSpace(const std::string& root, ClusterSpace& out) override {
        const FakeDrive* d = DriveOf(root);
        if (d == nullptr || !d->ready) return false;
        out = d->space;
        return true;
    }
    std::uint32_t SetErrorMode(std::uint32_t mode) override {
        errorModesSet_.push_back(mode);
        return std::exchange(errorMode_, mode);
    }
    std::string CurrentDirectory() override { return current_; }
    // Succeeds for any path on a ready drive.
    bool ChangeDirectory(const std::string& path) override {
        const FakeDrive* d = DriveOf(path);
        const bool ok = d != nullptr && d->ready;
        changes_.push_back({path, errorMode_});
        if (ok) current_ = path;
        return ok;
    }

  private:
    FakeDrive* DriveOf(const std::string& path) {
        if (path.size() < 2 || path[1] != ':') return nullptr;
        const auto it = drives_.find(static_cast<char>(std::toupper(path[0])));
        return it == drives_.end() ? nullptr : &it->second;
    }

    std::map<char, FakeDrive> drives_;
    std::uint32_t mask_ = 0;
    std::uint32_t errorMode_ = 0;
    std::vector<std::uint32_t> errorModesSet_;
    std::string current_ = "C:\\";
    std::vector<DirectoryChange> changes_;
};

// The current user's registry hive as a map. Keys and value names match without regard to
// ASCII case; keys are only opened, so writes to a key the test did not create fail.
class FakeRegistry final : public IRegistry {
  public:
    void AddKey(const std::string& key) { keys_[LowerAscii(key)]; }
    // Creates the key when needed.
    void SetValue(const std::string& key, const std::string& name, std::string value) {
        keys_[LowerAscii(key)][LowerAscii(name)] = std::move(value);
    }

    bool KeyExists(const std::string& key) override { return Open(key) != nullptr; }
    std::optional<std::string> ReadString(const std::string& key,
                                          const std::string& name) override {
        const Values* values = Open(key);
        const std::string lower = LowerAscii(name);
        if (values == nullptr || values->count(lower) == 0) return std::nullopt;
        return values->at(lower);
    }
    bool WriteString(const std::string& key, const std::string& name,
                     const std::string& value) override {
        Values* values = Open(key);
        if (values != nullptr) (*values)[LowerAscii(name)] = value;
        return values != nullptr;
    }
    bool DeleteValue(const std::string& key, const std::string& name) override {
        Values* values = Open(key);
        return values != nullptr && values->erase(LowerAscii(name)) > 0;
    }

  private:
    using Values = std::map<std::string, std::string>;  // by lower-cased name
    Values* Open(const std::string& key) {
        const auto it = keys_.find(LowerAscii(key));
        return it == keys_.end() ? nullptr : &it->second;
    }

    std::map<std::string, Values> keys_;  // by lower-cased key
};

// The running system as a test describes it. Privilege changes and session-end requests go
// to one log so their order can be checked.
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

// Counts the moments a long pass lets events run, and can act at them, as a user clicking
// Stop or another program deleting files would.
class FakeEventPump final : public IEventPump {
  public:
    // Runs on every call with the call's number, counting from 1.
    void SetOnProcess(std::function<void(std::size_t call)> action) {
        onProcess_ = std::move(action);
    }

    void ProcessPending() override {
        ++calls_;
        if (onProcess_) onProcess_(calls_);
    }

  private:
    std::size_t calls_ = 0;
    std::function<void(std::size_t)> onProcess_;
};

}  // namespace sorvane
