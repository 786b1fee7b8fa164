#include "FakeDrives.h"

#include <stdexcept>

namespace sorvane {

namespace {

std::optional<char> LetterOf(char c) {
    if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') return c;
    return std::nullopt;
}

char RequireLetter(char c) {
    const auto letter = LetterOf(c);
    if (!letter) throw std::invalid_argument(std::string("not a drive letter: ") + c);
    return *letter;
}

std::uint32_t BitOf(char letter) {
    return 1U << (letter - 'A');
}

}  // namespace

void FakeDrives::AddDrive(char letter, const FakeDrive& drive) {
    const char l = RequireLetter(letter);
    drives_[l] = drive;
    mask_ |= BitOf(l);
}

void FakeDrives::RemoveDrive(char letter) {
    const char l = RequireLetter(letter);
    drives_.erase(l);
    mask_ &= ~BitOf(l);
}

void FakeDrives::SetReady(char letter, bool ready) {
    drives_.at(RequireLetter(letter)).ready = ready;
}

void FakeDrives::SetSpace(char letter, const ClusterSpace& space) {
    drives_.at(RequireLetter(letter)).space = space;
}

FakeDrive* FakeDrives::DriveOf(const std::string& path) {
    if (path.size() < 2 || path[1] != ':') return nullptr;
    const auto letter = LetterOf(path[0]);
    if (!letter) return nullptr;
    const auto it = drives_.find(*letter);
    return it == drives_.end() ? nullptr : &it->second;
}

unsigned FakeDrives::DriveType(const std::string& root) {
    const FakeDrive* drive = DriveOf(root);
    return drive == nullptr ? drive::kNoRootDir : drive->type;
}

bool FakeDrives::FreeSpace(const std::string& root, ClusterSpace& out) {
    const FakeDrive* drive = DriveOf(root);
    if (drive == nullptr || !drive->ready) return false;
    out = drive->space;
    return true;
}

std::uint32_t FakeDrives::SetErrorMode(std::uint32_t mode) {
    errorModesSet_.push_back(mode);
    const std::uint32_t previous = errorMode_;
    errorMode_ = mode;
    return previous;
}

bool FakeDrives::ChangeDirectory(const std::string& path) {
    const FakeDrive* drive = DriveOf(path);
    const bool ok = drive != nullptr && drive->ready;
    changes_.push_back({path, errorMode_, ok});
    if (ok) current_ = path;
    return ok;
}

}  // namespace sorvane
