#pragma once
// Drives A: to Z: as a test sets them up: type, cluster geometry and whether a medium is in,
// plus a record of the error modes and directory changes the engine asked for.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/Drives.h"

namespace sorvane {

struct FakeDrive {
    unsigned type = drive::kFixed;
    ClusterSpace space{};
    bool ready = true;  // false: no medium, so space queries and directory changes fail
};

// One ChangeDirectory call, with the error mode in force while it ran.
struct DirectoryChange {
    std::string path;
    std::uint32_t errorMode = 0;
    bool succeeded = false;
};

class FakeDrives final : public IDrives {
  public:
    // Adds or replaces a drive; its bit joins the mask.
    void AddDrive(char letter, const FakeDrive& drive = {});
    void RemoveDrive(char letter);
    void SetReady(char letter, bool ready);
    void SetSpace(char letter, const ClusterSpace& space);
    // Replaces the mask outright, for bits no configured drive stands behind.
    void SetMask(std::uint32_t mask) { mask_ = mask; }
    // Sets the current directory without recording a change. It starts as "C:\".
    void SetStartDirectory(std::string path) { current_ = std::move(path); }

    std::uint32_t ErrorMode() const { return errorMode_; }
    // Every mode passed to SetErrorMode, in order.
    const std::vector<std::uint32_t>& ErrorModesSet() const { return errorModesSet_; }
    const std::vector<DirectoryChange>& DirectoryChanges() const { return changes_; }

    // ---- IDrives
    std::uint32_t LogicalDriveMask() override { return mask_; }
    // kNoRootDir for a root that names no configured drive.
    unsigned DriveType(const std::string& root) override;
    bool FreeSpace(const std::string& root, ClusterSpace& out) override;
    std::uint32_t SetErrorMode(std::uint32_t mode) override;
    std::string CurrentDirectory() override { return current_; }
    // Succeeds for any path on a ready configured drive.
    bool ChangeDirectory(const std::string& path) override;

  private:
    FakeDrive* DriveOf(const std::string& path);

    std::map<char, FakeDrive> drives_;
    std::uint32_t mask_ = 0;
    std::uint32_t errorMode_ = 0;
    std::vector<std::uint32_t> errorModesSet_;
    std::string current_ = "C:\\";
    std::vector<DirectoryChange> changes_;
};

}  // namespace sorvane
