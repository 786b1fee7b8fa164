#include "FakeShell.h"

#include "core/utils/AsciiText.h"
#include "core/utils/AllUtils.h"

namespace sorvane {

namespace {

std::string ExtensionKey(const std::string& extension) {
    const std::string lower = LowerAscii(extension);
    return !lower.empty() && lower.front() == '.' ? lower : "." + lower;
}

}  // namespace

void FakeShell::SetTypeName(const std::string& extension, std::string typeName) {
    typeNames_[ExtensionKey(extension)] = std::move(typeName);
}

bool FakeShell::RecycleFiles(const std::vector<std::string>& paths) {
    recycles_.push_back(paths);
    if (recycleOutcome_ != ShellOutcome::kCarryOut) {
        return recycleOutcome_ == ShellOutcome::kClaimSuccess;
    }
    for (const std::string& path : paths) {
        const std::uint64_t size = fs_.Look(path).size;
        if (!fs_.DeleteTree(path)) return false;
        if (HasRecycleBin(path)) {
            bin_.push_back(path);
            binSizes_.push_back(size);
        }
    }
    return true;
}

RestoreResult FakeShell::RestoreRecycled(const std::string& originalPath) {
    std::size_t found = bin_.size();
    for (std::size_t i = 0; i < bin_.size(); ++i) {
        if (UpperAscii(bin_[i]) == UpperAscii(originalPath)) found = i;
    }
    if (found == bin_.size()) return RestoreResult::kNotInBin;
    if (restoreOutcome_ != ShellOutcome::kCarryOut) {
        return restoreOutcome_ == ShellOutcome::kClaimSuccess ? RestoreResult::kRestored
                                                              : RestoreResult::kFailed;
    }
    fs_.AddFile(originalPath, binSizes_[found]);
    bin_.erase(bin_.begin() + static_cast<std::ptrdiff_t>(found));
    binSizes_.erase(binSizes_.begin() + static_cast<std::ptrdiff_t>(found));
    return RestoreResult::kRestored;
}

void FakeShell::SetRecycleBin(const std::string& root, bool has) {
    recycleBins_[UpperAscii(VolumeRootOf(root))] = has;
}

bool FakeShell::HasRecycleBin(const std::string& path) {
    const auto it = recycleBins_.find(UpperAscii(VolumeRootOf(path)));
    return it == recycleBins_.end() || it->second;
}

bool FakeShell::MoveFiles(const std::vector<std::string>& sources,
                          const std::vector<std::string>& destinations) {
    if (moveOutcome_ != ShellOutcome::kCarryOut) return moveOutcome_ == ShellOutcome::kClaimSuccess;
    if (sources.size() != destinations.size()) return false;
    bool all = true;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        if (!fs_.Move(sources[i], destinations[i])) all = false;
    }
    return all;
}

std::string FakeShell::FileTypeName(const std::string& name) {
    const std::size_t dot = name.find_last_of('.');
    const std::size_t slash = name.find_last_of("\\/");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    const auto it = typeNames_.find(ExtensionKey(name.substr(dot)));
    return it == typeNames_.end() ? std::string() : it->second;
}

void FakeShell::RunDocument(const std::string& file, const std::string&, const std::string&, int) {
    runs_.push_back(file);
}

void FakeShell::SetShortcut(const std::string& path, ShortcutInfo info) {
    info.read = ShortcutInfo::Read::kLoaded;
    shortcuts_[UpperAscii(path)] = std::move(info);
}

ShortcutInfo FakeShell::ReadShortcut(const std::string& path) {
    ShortcutInfo info;
    if (!fs_.FileExists(path) || !fs_.OpenRead(path)) return info;
    const auto it = shortcuts_.find(UpperAscii(path));
    if (it == shortcuts_.end()) {
        info.read = ShortcutInfo::Read::kNotAShortcut;
        return info;
    }
    return it->second;
}

}  // namespace sorvane
