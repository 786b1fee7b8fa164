#include "core/dialogs/DirectoryPicking.h"

#include <algorithm>

#include "core/utils/AllUtils.h"

namespace sorvane {

namespace {

bool IsDriveLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Keeps the platform's "insert a disk" box off while a listing touches a drive.
class CriticalErrorsOff {
  public:
    explicit CriticalErrorsOff(IDrives& drives)
        : drives_(drives), previous_(drives.SetErrorMode(kFailCriticalErrors)) {}
    ~CriticalErrorsOff() { drives_.SetErrorMode(previous_); }
    CriticalErrorsOff(const CriticalErrorsOff&) = delete;
    CriticalErrorsOff& operator=(const CriticalErrorsOff&) = delete;

  private:
    IDrives& drives_;
    std::uint32_t previous_;
};

}  // namespace

std::vector<TreeDrive> ListTreeDrives(IDrives& drives, bool includeUnknown) {
    std::vector<TreeDrive> result;
    const std::uint32_t mask = drives.LogicalDriveMask();
    for (int index = 0; index < 26; ++index) {
        if ((mask & (1U << index)) == 0) continue;
        TreeDrive entry;
        entry.letter = static_cast<char>('A' + index);
        entry.root = std::string(1, entry.letter) + ":\\";
        entry.type = drives.DriveType(entry.root);
        const bool known = entry.type >= drive::kRemovable && entry.type <= drive::kRamDisk;
        if (known || includeUnknown) result.push_back(entry);
    }
    return result;
}

std::string DriveDisplayName(const TreeDrive& drive) {
    const char* kind = "Drive";
    switch (drive.type) {
        case drive::kRemovable:
            kind = "Removable Disk";
            break;
        case drive::kFixed:
            kind = "Local Disk";
            break;
        case drive::kRemote:
            kind = "Network Drive";
            break;
        case drive::kCdRom:
            kind = "CD Drive";
            break;
        case drive::kRamDisk:
            kind = "RAM Disk";
            break;
        default:
            break;
    }
    return std::string(kind) + " (" + drive.letter + ":)";
}

std::vector<std::string> ListSubdirectories(IFileSystem& fs, IDrives& drives, ILocale& locale,
                                            const std::string& dir) {
    std::vector<std::string> names;
    {
        const CriticalErrorsOff guard(drives);
        FindData entry;
        const auto listing = fs.FindFirst(JoinPath(dir, "*"), entry);
        for (bool more = listing != nullptr; more; more = listing->Next(entry)) {
            if ((entry.attributes & attr::kDirectory) == 0) continue;
            if (entry.name == "." || entry.name == "..") continue;
            names.push_back(entry.name);
        }
    }
    std::sort(names.begin(), names.end(), [&locale](const std::string& a, const std::string& b) {
        return locale.CompareText(a, b) < 0;
    });
    return names;
}

std::string JoinPath(const std::string& dir, const std::string& name) {
    if (!dir.empty() && dir.back() == '\\') return dir + name;
    return dir + "\\" + name;
}

std::string DriveRootOf(const std::string& path) {
    if (path.size() < 2 || path[1] != ':' || !IsDriveLetter(path[0])) return {};
    return path.substr(0, 2) + "\\";
}

std::string InsertDiskQuestion(const std::string& root) {
    return "Insert Disk Into Drive " + root + "\r\nWhen Ready Press OK";
}

bool MayAcceptDirectory(IDrives& drives, IPrompts& prompts, const std::string& path) {
    const std::string root = DriveRootOf(path);
    // No selection, or a path that names no drive: nothing to insert.
    if (root.empty()) return true;
    const std::string type = DriveTypeName(drives, root);
    bool hasMedium = true;
    if (type == "Removable") {
        hasMedium = IsDriveReady(drives, root[0]);
    } else if (type == "CdRom") {
        // An empty CD-ROM drive reports no size.
        hasMedium = GetDiskSpace(drives, root).total > 0;
    }
    return hasMedium || prompts.Ask(InsertDiskQuestion(root), Buttons::kOkCancel);
}

}  // namespace sorvane
