#pragma once
// The portable rules behind the directory tree and the "Select a directory" dialog: which
// drives the tree shows, how a directory's subdirectories are listed, and whether a picked
// directory may be accepted.
#include <string>
#include <vector>

#include "core/platform/Drives.h"
#include "core/platform/FileSystem.h"
#include "core/platform/Locale.h"
#include "core/platform/Prompts.h"

namespace sorvane {

// The path the picker reports when no entry is selected.
inline constexpr char kNoDirectory[] = "?";

struct TreeDrive {
    char letter = 'C';
    unsigned type = drive::kFixed;
    std::string root;  // "C:\"
};

// The drives of the logical drive mask, A to Z. Only their types are asked for, which never
// touches a medium. Drives whose type cannot be determined, or that have no root, are left out
// unless `includeUnknown`.
std::vector<TreeDrive> ListTreeDrives(IDrives& drives, bool includeUnknown);

// The text a drive shows in the tree, such as "Local Disk (C:)".
std::string DriveDisplayName(const TreeDrive& drive);

// The names of the subdirectories of `dir` ("C:\" or "C:\Temp"), hidden and system ones
// included, without "." and "..", in the user's collation order. A directory that cannot be
// listed, or a drive without a medium, gives none; the platform's "insert a disk" box stays off.
std::vector<std::string> ListSubdirectories(IFileSystem& fs, IDrives& drives, ILocale& locale,
                                            const std::string& dir);

// "C:\" + "Temp" gives "C:\Temp"; "C:\Temp" + "Sub" gives "C:\Temp\Sub".
std::string JoinPath(const std::string& dir, const std::string& name);

// The root of a drive path ("C:\Temp" gives "C:\"); empty for anything else.
std::string DriveRootOf(const std::string& path);

// The question asked when the drive at `root` has no medium, naming that drive.
std::string InsertDiskQuestion(const std::string& root);

// Whether the picker may accept `path` (kNoDirectory when nothing is selected). A floppy drive
// without a disk, or a CD-ROM drive without a disc, has the user asked to insert one; the
// answer decides without looking at the drive again. Any other drive is accepted at once.
bool MayAcceptDirectory(IDrives& drives, IPrompts& prompts, const std::string& path);

}  // namespace sorvane
