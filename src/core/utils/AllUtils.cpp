#include "core/utils/AllUtils.h"

#include <array>
#include <cctype>

namespace sorvane {

namespace {

constexpr std::uint64_t kKiB = 1024;
constexpr std::uint64_t kMiB = 1024 * kKiB;

// Kilobytes rounded half to even, so 2.5 KB shows as 2 and 3.5 KB as 4.
std::uint64_t RoundedKilobytes(std::uint64_t bytes) {
    const std::uint64_t whole = bytes / kKiB;
    const std::uint64_t rest = bytes % kKiB;
    const bool up = rest > kKiB / 2 || (rest == kKiB / 2 && whole % 2 == 1);
    return up ? whole + 1 : whole;
}

// Works on the digits of the whole megabyte count, so no step can round up past what the
// disk really holds and no floating point is involved.
std::string LargeSize(std::uint64_t megabytes) {
    static constexpr std::array<const char*, 5> kUnits = {"", "GB", "TB", "PB", "EB"};
    const std::string digits = std::to_string(megabytes);
    const std::size_t unit = (digits.size() - 1) / 3;
    const std::size_t lead = digits.size() - 3 * unit;
    return digits.substr(0, lead) + "." + digits.substr(lead, 2) + " " + kUnits.at(unit);
}

}  // namespace

std::string FormatByteSize(std::uint64_t bytes) {
    if (bytes < kKiB) return std::to_string(bytes) + " Bytes";
    if (bytes < kMiB) return std::to_string(RoundedKilobytes(bytes)) + " KB";
    if (bytes < 100 * kMiB) {
        const std::uint64_t tenths = bytes * 10 / kMiB;
        std::string text = std::to_string(tenths / 10);
        if (tenths % 10 != 0) {
            text += '.';
            text += static_cast<char>('0' + tenths % 10);
        }
        return text + " MB";
    }
    const std::uint64_t megabytes = bytes / kMiB;
    if (megabytes < 1000) return std::to_string(megabytes) + " MB";
    return LargeSize(megabytes);
}

std::string StripTrailingBackslash(const std::string& path) {
    if (!path.empty() && path.back() == '\\') return path.substr(0, path.size() - 1);
    return path;
}

bool IsFullPath(const std::string& path) {
    const auto separator = [&](std::size_t i) { return path[i] == '\\' || path[i] == '/'; };
    const bool letter =
        path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
    if (letter) return path.size() == 2 || separator(2);
    if (path.size() < 3 || !separator(0) || !separator(1) || separator(2)) return false;
    // A server followed by a share.
    std::size_t i = 2;
    while (i < path.size() && !separator(i)) ++i;
    return i + 1 < path.size() && !separator(i + 1);
}

std::string VolumeRootOf(const std::string& path) {
    if (!IsFullPath(path)) return {};
    if (path[1] == ':') return path.substr(0, 2) + '\\';
    const std::size_t server = path.find_first_of("\\/", 2);
    const std::size_t share = path.find_first_of("\\/", server + 1);
    return path.substr(0, share) + '\\';
}

std::string DriveTypeNameOf(unsigned code) {
    switch (code) {
        case drive::kUnknown:
            return "?";
        case drive::kNoRootDir:
            return "Path does not exists";
        case drive::kRemovable:
            return "Removable";
        case drive::kFixed:
            return "Fixed";
        case drive::kRemote:
            return "Remote";
        case drive::kCdRom:
            return "CdRom";
        case drive::kRamDisk:
            return "RamDisk";
        default:
            return "Unknown";
    }
}

std::string DriveTypeName(IDrives& drives, const std::string& root) {
    return DriveTypeNameOf(drives.DriveType(root));
}

bool DriveExists(IDrives& drives, int index) {
    // The unsigned cast makes negative indexes wrap like the shift count of a 32-bit mask.
    const unsigned bit = static_cast<unsigned>(index) % 32;
    return ((drives.LogicalDriveMask() >> bit) & 1U) != 0;
}

DiskSpace GetDiskSpace(IDrives& drives, const std::string& root) {
    ClusterSpace space;
    if (!drives.FreeSpace(root, space)) return {};
    const std::uint64_t clusterBytes = space.sectorsPerCluster * space.bytesPerSector;
    return {space.totalClusters * clusterBytes, space.freeClusters * clusterBytes};
}

bool IsDriveReady(IDrives& drives, char letter) {
    const std::uint32_t previousMode = drives.SetErrorMode(kFailCriticalErrors);
    const std::string remembered = drives.CurrentDirectory();
    const bool ready = drives.ChangeDirectory(std::string(1, letter) + ":\\");
    drives.ChangeDirectory(remembered);
    drives.SetErrorMode(previousMode);
    return ready;
}

bool DeleteOneFile(IFileSystem& fs, const std::string& path) {
    return fs.RemoveFile(path);
}

bool ExitWindowsWithPrivilege(ISystemInfo& system, unsigned flags) {
    static const std::string kShutdownPrivilege = "SeShutdownPrivilege";
    // Without the privilege the request is refused anyway, so a failed adjustment is not
    // worth reporting separately.
    system.SetProcessPrivilege(kShutdownPrivilege, true);
    const bool accepted = system.EndSession(flags);
    system.SetProcessPrivilege(kShutdownPrivilege, false);
    return accepted;
}

}  // namespace sorvane
