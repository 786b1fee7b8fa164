#pragma once
// Small stateless drive, system and text routines shared by every tool window.
#include <cstdint>
#include <string>

#include "core/platform/Drives.h"
#include "core/platform/FileSystem.h"
#include "core/platform/Shell.h"
#include "core/platform/SystemInfo.h"

namespace sorvane {

// Display text of a byte count:
//   below 1024                 "<n> Bytes"                       (512 -> "512 Bytes")
//   1024 up to below 1048576   n/1024 rounded half-to-even, "KB" (1024 -> "1 KB", 1536 -> "2 KB")
//   below 100 MB               MB truncated to one decimal, ".0" left out
//                                                                 (1048576 -> "1 MB", "1.5 MB")
//   100 MB up to below 1000 MB whole MB, truncated               ("812 MB")
//   1000 MB and more           the whole MB figure divided by 1000 per step, truncated to two
//                              decimals: GB, then TB, PB, EB     ("1.23 GB", "12.34 GB",
//                                                                 "123.45 GB", "1.23 TB")
std::string FormatByteSize(std::uint64_t bytes);

// The path without one trailing backslash ("C:\" -> "C:", "" -> "").
std::string StripTrailingBackslash(const std::string& path);

// True for a path that names its drive: "X:", "X:\..." or "\\server\share...". A relative
// one ("dir", "..\dir", "\dir", "X:dir") would depend on the current directory.
bool IsFullPath(const std::string& path);

// The root of the drive a full path lies on, with its backslash: "C:\\" for "c:\\dir\\f",
// "\\\\server\\share\\" for a UNC path; empty for a relative path.
std::string VolumeRootOf(const std::string& path);

// The name of a platform drive type code: "?", "Path does not exists", "Removable", "Fixed",
// "Remote", "CdRom", "RamDisk" or "Unknown". Callers compare these exact texts.
std::string DriveTypeNameOf(unsigned code);
std::string DriveTypeName(IDrives& drives, const std::string& root);

// True when drive `index` (0 = A, modulo 32) is in the logical drive mask.
bool DriveExists(IDrives& drives, int index);

struct DiskSpace {
    std::uint64_t total = 0;
    std::uint64_t free = 0;
};
// Total and free bytes from the cluster-based query; both 0 when it fails.
DiskSpace GetDiskSpace(IDrives& drives, const std::string& root);

// True when the drive's root can be made the current directory. The platform's
// "insert a disk" box is kept off, and the current directory and error mode are put back.
bool IsDriveReady(IDrives& drives, char letter);

// Permanent deletion of one file; true when it was deleted.
bool DeleteOneFile(IFileSystem& fs, const std::string& path);

// Enables the shutdown privilege, asks to end the session with `flags`, disables the
// privilege again; true when the platform accepted.
bool ExitWindowsWithPrivilege(ISystemInfo& system, unsigned flags);

}  // namespace sorvane
