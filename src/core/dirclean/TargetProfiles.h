#pragma once
// The target directories of Clean Directories and their cleaning options, as the settings file
// keeps them: the list under "Target_Directories" ("Count", "Item1", "Item2", ...) and one
// section per target named by its path ("Name", "Userecycle", "Subs", "Delall", "Deltypes",
// the masks as "Count", "Item0", "Item1", ..., and the age limit).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/FileSystem.h"
#include "core/settings/Settings.h"

namespace sorvane {

inline constexpr char kTargetsSection[] = "Target_Directories";

struct Target {
    std::string name;
    std::string path;  // full, without a trailing backslash
};

// "Only Files Older Than": a file goes only when both its last write and its creation are at
// least this long ago (a file just copied or downloaded keeps an old write time but is created
// anew). Stored as "Olderthan" and "Olderthanunit"; absent or 0 takes files of any age.
// Ten years in hours: a larger figure is a typing slip.
inline constexpr int kLongestAgeAmount = 87600;

struct AgeLimit {
    int amount = 0;
    bool days = false;  // hours otherwise
    bool Active() const { return amount > 0; }
    // "24 hours", "1 day".
    std::string Text() const;
    friend bool operator==(const AgeLimit&, const AgeLimit&) = default;
};

// Whether a file with these times is old enough to go at `now`; a time still to come is never
// old enough.
bool OldEnough(FileTime written, FileTime created, FileTime now, const AgeLimit& limit);

// What a clean of a target does, read from the settings file at the start of its clean.
struct TargetOptions {
    bool useRecycle = true;
    bool includeSubdirs = true;
    bool deleteAll = true;
    std::vector<std::string> masks;  // only read when deleteAll is false
    AgeLimit age;
};

// The options panel's state for a target: both radio buttons are kept as stored.
struct TargetPanelOptions {
    bool useRecycle = true;
    bool includeSubdirs = true;
    bool deleteAll = true;
    bool maskMode = false;
    std::vector<std::string> masks;  // the masks the panel lists
    AgeLimit age;
};

// The stored targets in order, those with an empty path or name left out.
std::vector<Target> LoadTargets(const Settings& settings);

TargetOptions ReadTargetOptions(const Settings& settings, const std::string& path);
// The panel's options, with the stored masks read only in mask mode.
TargetPanelOptions ReadPanelOptions(const Settings& settings, const std::string& path);
// Writes the options; the masks only in mask mode, so a target switched to "Delete All Files"
// keeps them for later.
void SaveTargetOptions(Settings& settings, const std::string& path,
                       const TargetPanelOptions& options);

// Appends a target to the stored list with its first options: the recycle bin unless the
// folder is a browser cache or a recycle bin itself, subdirectories when it has any, all files.
void AddTargetToSettings(Settings& settings, const Target& target, bool hasSubdirectories);
// Erases the target's section and writes the list anew from `remaining`, the paths of the
// targets left, in table order.
void RemoveTargetFromSettings(Settings& settings, const std::string& path,
                              const std::vector<std::string>& remaining);

// The folder a new target would put at risk: one of `systemFolders` (ISystemInfo's) when the
// target is it or lies above it, or the
// target itself when it is a system folder at a drive's root (`attributes` its attributes).
// A scheduled "delete all files" there would wreck the system, so adding it asks first.
std::optional<std::string> FolderAtRisk(const std::string& target, std::uint32_t attributes,
                                        const std::vector<std::string>& systemFolders);

// "1023 Bytes", "1 Kb" (whole kilobytes of 1024 bytes, rounded down).
std::string SizeText(std::uint64_t bytes);

}  // namespace sorvane
