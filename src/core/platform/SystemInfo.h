#pragma once
// Facts about the running system and the current user, the registry of the
// current user, and ending the log-on session.
#include <optional>
#include <string>
#include <vector>

namespace sorvane {

// Platform identifiers as the version query reports them.
namespace platform_id {
inline constexpr int kWin32s = 0;
inline constexpr int kWindows9x = 1;
inline constexpr int kWindowsNt = 2;
}  // namespace platform_id

// Exit-Windows flags.
namespace exit_flags {
inline constexpr unsigned kLogOff = 0;
inline constexpr unsigned kShutdown = 1;
inline constexpr unsigned kReboot = 2;
inline constexpr unsigned kForce = 4;
inline constexpr unsigned kForceIfHung = 0x10;
}  // namespace exit_flags

class ISystemInfo {
  public:
    virtual ~ISystemInfo() = default;
    virtual std::string UserName() = 0;
    // The Windows directory without a trailing backslash.
    virtual std::string WindowsDirectory() = 0;
    virtual int PlatformId() = 0;
    // Full path of the running program file.
    virtual std::string ProgramPath() = 0;
    // The user's roaming application data folder, without a trailing backslash; empty when
    // the system names none.
    virtual std::string AppDataDirectory() = 0;
    // The folders a clean must not sweep: the Windows directory, the program folders, the
    // user's profile, the shared application data folder and the user's roaming and local
    // application data folders, each without a trailing backslash. A target at or above one
    // of them asks first; one below (the temporary folder in local application data) does not.
    virtual std::vector<std::string> SystemFolders() = 0;

    // Enables or disables a named privilege in the process token; true when adjusted.
    virtual bool SetProcessPrivilege(const std::string& name, bool enable) = 0;
    // Asks the platform to end the log-on session (log off, shut down, restart) with the
    // exit-Windows flags; true when the request was accepted.
    virtual bool EndSession(unsigned flags) = 0;
};

// String values under the current user's registry hive. Keys are given without a leading
// backslash and are only opened, never created.
class IRegistry {
  public:
    virtual ~IRegistry() = default;
    virtual bool KeyExists(const std::string& key) = 0;
    // nullopt when the key cannot be opened or the value is missing.
    virtual std::optional<std::string> ReadString(const std::string& key,
                                                  const std::string& name) = 0;
    // False when the key cannot be opened or the write fails.
    virtual bool WriteString(const std::string& key, const std::string& name,
                             const std::string& value) = 0;
    virtual bool DeleteValue(const std::string& key, const std::string& name) = 0;
};

}  // namespace sorvane
