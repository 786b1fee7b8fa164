#pragma once
// Drive-level services: which drives exist, their type, their size, and the
// primitives the readiness test is built from.
#include <cstdint>
#include <string>

namespace sorvane {

// Cluster geometry as the platform's cluster-based free-space query reports it.
struct ClusterSpace {
    std::uint64_t sectorsPerCluster = 0;
    std::uint64_t bytesPerSector = 0;
    std::uint64_t freeClusters = 0;
    std::uint64_t totalClusters = 0;
};

// The platform's drive type codes.
namespace drive {
inline constexpr unsigned kUnknown = 0;
inline constexpr unsigned kNoRootDir = 1;
inline constexpr unsigned kRemovable = 2;
inline constexpr unsigned kFixed = 3;
inline constexpr unsigned kRemote = 4;
inline constexpr unsigned kCdRom = 5;
inline constexpr unsigned kRamDisk = 6;
}  // namespace drive

// The error mode that turns off the platform's "insert a disk" box.
inline constexpr std::uint32_t kFailCriticalErrors = 0x8000;

class IDrives {
  public:
    virtual ~IDrives() = default;
    // Bit 0 is A:, bit 25 is Z:.
    virtual std::uint32_t LogicalDriveMask() = 0;
    // The type code of a root such as "C:\".
    virtual unsigned DriveType(const std::string& root) = 0;
    // False when the query fails (no medium, bad root).
    virtual bool FreeSpace(const std::string& root, ClusterSpace& out) = 0;

    // Sets the process error mode and returns the previous one.
    virtual std::uint32_t SetErrorMode(std::uint32_t mode) = 0;
    virtual std::string CurrentDirectory() = 0;
    // Makes `path` the current directory; false when that fails.
    virtual bool ChangeDirectory(const std::string& path) = 0;
};

}  // namespace sorvane
