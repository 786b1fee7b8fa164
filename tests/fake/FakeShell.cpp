#include "FakeShell.h"

#include "FakeText.h"
#include "core/utils/AllUtils.h"

namespace sorvane {

namespace {

// A typical size, so shortcut files do not stand out as empty in listings.
constexpr std::uint64_t kShortcutFileSize = 1024;

std::string ExtensionKey(const std::string& extension) {
    const std::string lower = fake::AsciiLower(extension);
    return !lower.empty() && lower.front() == '.' ? lower : "." + lower;
}

}  // namespace

void FakeShell::SetTypeName(const std::string& extension, std::string typeName) {
    typeNames_[ExtensionKey(extension)] = std::move(typeName);
}

void FakeShell::AddShortcut(const std::string& linkPath, std::string target) {
    if (!fs_.Contains(linkPath)) fs_.AddFile(linkPath, kShortcutFileSize);
    shortcuts_[fake::PathKey(linkPath).value_or(linkPath)] = {true, std::move(target)};
}

void FakeShell::AddBrokenShortcut(const std::string& linkPath) {
    if (!fs_.Contains(linkPath)) fs_.AddFile(linkPath, kShortcutFileSize);
    shortcuts_[fake::PathKey(linkPath).value_or(linkPath)] = {false, {}};
}

bool FakeShell::RecycleFiles(const std::vector<std::string>& paths) {
    recycles_.push_back(paths);
    if (recycleOutcome_ != ShellOutcome::kCarryOut) {
        return recycleOutcome_ == ShellOutcome::kClaimSuccess;
    }
    bool all = true;
    for (const std::string& path : paths) {
        auto data = fs_.DeleteTree(path);
        if (data) {
            if (HasRecycleBin(path)) bin_.push_back({path, std::move(*data)});
        } else {
            all = false;
        }
    }
    return all;
}

void FakeShell::SetRecycleBin(const std::string& root, bool has) {
    recycleBins_[fake::AsciiUpper(VolumeRootOf(root))] = has;
}

bool FakeShell::HasRecycleBin(const std::string& path) {
    const auto it = recycleBins_.find(fake::AsciiUpper(VolumeRootOf(path)));
    return it == recycleBins_.end() || it->second;
}

bool FakeShell::MoveFiles(const std::vector<std::string>& sources,
                          const std::vector<std::string>& destinations) {
    moves_.push_back({sources, destinations});
    if (moveOutcome_ != ShellOutcome::kCarryOut) return moveOutcome_ == ShellOutcome::kClaimSuccess;
    if (sources.size() != destinations.size()) return false;
    bool all = true;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        if (!fs_.Move(sources[i], destinations[i])) all = false;
    }
    return all;
}

std::string FakeShell::FileTypeName(const std::string& name) {
    ++typeNameQueries_;
    const std::size_t dot = name.find_last_of('.');
    const std::size_t slash = name.find_last_of("\\/");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    const auto it = typeNames_.find(ExtensionKey(name.substr(dot)));
    return it == typeNames_.end() ? std::string() : it->second;
}

void FakeShell::RunDocument(const std::string& file, const std::string& parameters,
                            const std::string& directory, int showMode) {
    runs_.push_back({file, parameters, directory, showMode});
}

ShortcutInfo FakeShell::ReadShortcut(const std::string& linkPath) {
    if (!fs_.FileExists(linkPath)) return {};
    const auto it = shortcuts_.find(fake::PathKey(linkPath).value_or(linkPath));
    return it == shortcuts_.end() ? ShortcutInfo{} : it->second;
}

}  // namespace sorvane
