#pragma once
// Drives A: to Z: as a test sets them up, and a record of the error modes and directory
// changes the engine asked for.
#include <cctype>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
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
};

class FakeDrives final : public IDrives {
  public:
    // Upper-case letters only.
    void AddDrive(char letter, const FakeDrive& drive = {}) {
        drives_[letter] = drive;
        mask_ |= 1U << (letter - 'A');
    }

    const std::vector<std::uint32_t>& ErrorModesSet() const { return errorModesSet_; }
    const std::vector<DirectoryChange>& DirectoryChanges() const { return changes_; }

    std::uint32_t LogicalDriveMask() override { return mask_; }
    unsigned DriveType(const std::string& root) override {
        const FakeDrive* d = DriveOf(root);
        return d == nullptr ? drive::kNoRootDir : d->type;
    }
    bool FreeSpace(const std::string& root, ClusterSpace& out) override {
        const FakeDrive* d = DriveOf(root);
        if (d == nullptr || !d->ready) return false;
        out = d->space;
        return true;
    }
    std::uint32_t SetErrorMode(std::uint32_t mode) override {
        errorModesSet_.push_back(mode);
        return std::exchange(errorMode_, mode);
    }
    std::string CurrentDirectory() override { return current_; }
    // Succeeds for any path on a ready drive.
    bool ChangeDirectory(const std::string& path) override {
        const FakeDrive* d = DriveOf(path);
        const bool ok = d != nullptr && d->ready;
        changes_.push_back({path, errorMode_});
        if (ok) current_ = path;
        return ok;
    }

  private:
    FakeDrive* DriveOf(const std::string& path) {
        if (path.size() < 2 || path[1] != ':') return nullptr;
        const auto it = drives_.find(static_cast<char>(std::toupper(path[0])));
        return it == drives_.end() ? nullptr : &it->second;
    }

    std::map<char, FakeDrive> drives_;
    std::uint32_t mask_ = 0;
    std::uint32_t errorMode_ = 0;
    std::vector<std::uint32_t> errorModesSet_;
    std::string current_ = "C:\\";
    std::vector<DirectoryChange> changes_;
};

}  // namespace sorvane
