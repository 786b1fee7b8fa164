#pragma once
// The values the main window works out once at start-up and every other window reads.
#include <string>

#include "core/platform/FileSystem.h"
#include "core/platform/SystemInfo.h"

namespace sorvane {

inline constexpr char kAppTitle[] = "Sorvane v2.03";
inline constexpr char kCaptionPrefix[] = "Sorvane v2.03 - ";

struct SharedValues {
    std::string programDir;    // ends in a backslash
    std::string settingsPath;  // see SettingsPathFor
    std::string windowsDir;    // no trailing backslash
    std::string startMenuDir;
    std::string desktopDir;
    std::string platformName;  // "Windows 95/98", "Windows NT", "Windows 3.1" or empty
};

// "Windows 3.1" for 0, "Windows 95/98" for 1, "Windows NT" for 2, empty otherwise.
std::string PlatformNameOf(int platformId);

// The directory part of a program path, with its trailing backslash.
std::string DirectoryOf(const std::string& path);

// The settings file: user name + ".INI" beside the program when it is there already or can be
// made there (a portable copy, and the files of earlier versions); otherwise, for a program
// installed where the user cannot write, in a "Sorvane" folder of the user's application data.
std::string SettingsPathFor(IFileSystem& fs, const std::string& programDir,
                            const std::string& appDataDir, const std::string& userName);

SharedValues ComputeSharedValues(ISystemInfo& system, IRegistry& registry, IFileSystem& fs);

}  // namespace sorvane
