#include "win/platform/WinDrives.h"

#include "win/platform/Utf.h"
#include "win/platform/WinApi.h"

namespace sorvane {

std::uint32_t WinDrives::LogicalDriveMask() {
    return GetLogicalDrives();
}

unsigned WinDrives::DriveType(const std::string& root) {
    return GetDriveTypeW(Widen(root).c_str());
}

bool WinDrives::FreeSpace(const std::string& root, ClusterSpace& out) {
    DWORD sectorsPerCluster = 0;
    DWORD bytesPerSector = 0;
    DWORD freeClusters = 0;
    DWORD totalClusters = 0;
    if (!GetDiskFreeSpaceW(Widen(root).c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                           &totalClusters)) {
        return false;
    }
    out.sectorsPerCluster = sectorsPerCluster;
    out.bytesPerSector = bytesPerSector;
    out.freeClusters = freeClusters;
    out.totalClusters = totalClusters;
    return true;
}

std::uint32_t WinDrives::SetErrorMode(std::uint32_t mode) {
    return ::SetErrorMode(mode);
}

std::string WinDrives::CurrentDirectory() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length == 0) return {};
        // A length beyond the buffer is the size needed, terminator included.
        if (length < buffer.size()) {
            buffer.resize(length);
            return Narrow(buffer);
        }
        buffer.resize(length);
    }
}

bool WinDrives::ChangeDirectory(const std::string& path) {
    return SetCurrentDirectoryW(Widen(path).c_str()) != FALSE;
}

}  // namespace sorvane
