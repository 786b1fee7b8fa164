#include "core/app/SharedValues.h"

namespace sorvane {

namespace {

constexpr char kShellFolders[] = "Shell Folders";
constexpr char kWin9xExplorer[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
constexpr char kNtExplorer[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Explorer\\";

// The key that holds "Start Menu" and "Desktop". NT-family systems keep their shell folders
// under the same key as the 95/98 family; their own Explorer key is tried first but usually
// does not exist, and falling back keeps Check Shortcuts working there.
std::string ShellFoldersKey(IRegistry& registry, int platformId) {
    const std::string win9x = std::string(kWin9xExplorer) + kShellFolders;
    switch (platformId) {
        case platform_id::kWindows9x:
            return win9x;
        case platform_id::kWindowsNt: {
            const std::string nt = std::string(kNtExplorer) + kShellFolders;
            return registry.KeyExists(nt) ? nt : win9x;
        }
        default:
            return kShellFolders;
    }
}

}  // namespace

std::string PlatformNameOf(int platformId) {
    switch (platformId) {
        case platform_id::kWin32s:
            return "Windows 3.1";
        case platform_id::kWindows9x:
            return "Windows 95/98";
        case platform_id::kWindowsNt:
            return "Windows NT";
        default:
            return {};
    }
}

std::string DirectoryOf(const std::string& path) {
    const auto slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string SettingsPathFor(IFileSystem& fs, const std::string& programDir,
                            const std::string& appDataDir, const std::string& userName) {
    const std::string file = userName + ".INI";
    const std::string beside = programDir + file;
    if (appDataDir.empty() || fs.FileExists(beside) || fs.CanCreateFilesIn(programDir)) {
        return beside;
    }
    return appDataDir + "\\Sorvane\\" + file;
}

SharedValues ComputeSharedValues(ISystemInfo& system, IRegistry& registry, IFileSystem& fs) {
    SharedValues v;
    const int platformId = system.PlatformId();
    v.programDir = DirectoryOf(system.ProgramPath());
    v.platformName = PlatformNameOf(platformId);
    v.windowsDir = system.WindowsDirectory();
    const std::string key = ShellFoldersKey(registry, platformId);
    if (registry.KeyExists(key)) {
        v.startMenuDir = registry.ReadString(key, "Start Menu").value_or("");
        v.desktopDir = registry.ReadString(key, "Desktop").value_or("");
    }
    v.settingsPath =
        SettingsPathFor(fs, v.programDir, system.AppDataDirectory(), system.UserName());
    return v;
}

}  // namespace sorvane
