#pragma once
// The shell over a FakeFileSystem: recycling and moves really take the entries away (unless
// told otherwise), type names come from a table, and shortcuts read as they were set.
#include <map>
#include <string>
#include <vector>

#include "FakeFileSystem.h"
#include "core/platform/Shell.h"
#include "core/utils/AllUtils.h"
#include "core/utils/AsciiText.h"

namespace sorvane {

// What a recycle or move request does.
enum class ShellOutcome {
    kCarryOut,      // do it; a recycle request ends at the first entry that cannot go
    kFail,          // touch nothing, report failure
    kClaimSuccess,  // touch nothing, report success anyway
};

class FakeShell final : public IShell {
  public:
    explicit FakeShell(FakeFileSystem& fs) : fs_(fs) {}

    void SetRecycleOutcome(ShellOutcome outcome) { recycleOutcome_ = outcome; }
    void SetMoveOutcome(ShellOutcome outcome) { moveOutcome_ = outcome; }
    void SetRestoreOutcome(ShellOutcome outcome) { restoreOutcome_ = outcome; }
    // Whether the drive of `root` ("D:\\", "\\\\server\\share\\") keeps a recycle bin; every
    // drive does until told otherwise. Recycling there deletes for good, leaving Bin() alone.
    void SetRecycleBin(const std::string& root, bool has) {
        recycleBins_[UpperAscii(VolumeRootOf(root))] = has;
    }
    // The target the shortcut file at `path` gives while it exists and can be read; an existing
    // file without an entry is not a shortcut, a missing or unreadable one cannot be opened.
    void SetShortcut(const std::string& path, ShortcutInfo info) {
        info.read = ShortcutInfo::Read::kLoaded;
        shortcuts_[UpperAscii(path)] = std::move(info);
    }
    // `extension` with or without its dot, any case.
    void SetTypeName(const std::string& extension, std::string typeName) {
        typeNames_[ExtensionKey(extension)] = std::move(typeName);
    }

    const std::vector<std::vector<std::string>>& RecycleRequests() const { return recycles_; }
    // The paths recycled to a bin, as requested.
    const std::vector<std::string>& Bin() const { return bin_; }
    // The documents opened.
    const std::vector<std::string>& RunRequests() const { return runs_; }

    bool RecycleFiles(const std::vector<std::string>& paths) override {
        recycles_.push_back(paths);
        if (recycleOutcome_ != ShellOutcome::kCarryOut)
            return recycleOutcome_ == ShellOutcome::kClaimSuccess;
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
    bool HasRecycleBin(const std::string& path) override {
        const auto it = recycleBins_.find(UpperAscii(VolumeRootOf(path)));
        return it == recycleBins_.end() || it->second;
    }
    // Brings back the latest recycled entry of that path with its size, removing it from Bin(),
    // over whatever stands at the place now, as a shell may without asking.
    RestoreResult RestoreRecycled(const std::string& originalPath) override {
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
    // Moves pair by pair; a request whose lists differ in length does nothing and fails.
    bool MoveFiles(const std::vector<std::string>& sources,
                   const std::vector<std::string>& destinations) override {
        if (moveOutcome_ != ShellOutcome::kCarryOut)
            return moveOutcome_ == ShellOutcome::kClaimSuccess;
        if (sources.size() != destinations.size()) return false;
        bool all = true;
        for (std::size_t i = 0; i < sources.size(); ++i)
            all = fs_.Move(sources[i], destinations[i]) && all;
        return all;
    }
    // Empty for an extension the table does not hold.
    std::string FileTypeName(const std::string& name) override {
        const std::size_t dot = name.find_last_of('.');
        const std::size_t slash = name.find_last_of("\\/");
        if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
        const auto it = typeNames_.find(ExtensionKey(name.substr(dot)));
        return it == typeNames_.end() ? std::string() : it->second;
    }
    void RunDocument(const std::string& file, const std::string&, const std::string&,
                     int) override {
        runs_.push_back(file);
    }
    ShortcutInfo ReadShortcut(const std::string& path) override {
        ShortcutInfo info;
        if (!fs_.FileExists(path) || !fs_.OpenRead(path)) return info;
        const auto it = shortcuts_.find(UpperAscii(path));
        if (it == shortcuts_.end()) info.read = ShortcutInfo::Read::kNotAShortcut;
        return it == shortcuts_.end() ? info : it->second;
    }

  private:
    static std::string ExtensionKey(const std::string& extension) {
        const std::string lower = LowerAscii(extension);
        return !lower.empty() && lower.front() == '.' ? lower : "." + lower;
    }

    FakeFileSystem& fs_;
    ShellOutcome recycleOutcome_ = ShellOutcome::kCarryOut;
    ShellOutcome moveOutcome_ = ShellOutcome::kCarryOut;
    ShellOutcome restoreOutcome_ = ShellOutcome::kCarryOut;
    std::vector<std::uint64_t> binSizes_;           // of the entries of bin_
    std::map<std::string, std::string> typeNames_;  // by lower-cased ".ext"
    std::vector<std::vector<std::string>> recycles_;
    std::vector<std::string> bin_;
    std::vector<std::string> runs_;
    std::map<std::string, bool> recycleBins_;        // by upper-cased root
    std::map<std::string, ShortcutInfo> shortcuts_;  // by upper-cased path
};

}  // namespace sorvane
