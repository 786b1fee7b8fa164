#pragma once
// The shell over a FakeFileSystem: recycling and moves really take the entries away (unless
// told otherwise), type names come from a table, and shortcuts read as they were set.
#include <map>
#include <string>
#include <vector>

#include "FakeFileSystem.h"
#include "core/platform/Shell.h"

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
    void SetRecycleBin(const std::string& root, bool has);
    // The target the shortcut file at `path` gives while it exists and can be read; an existing
    // file without an entry is not a shortcut, a missing or unreadable one cannot be opened.
    void SetShortcut(const std::string& path, ShortcutInfo info);
    // `extension` with or without its dot, any case.
    void SetTypeName(const std::string& extension, std::string typeName);

    const std::vector<std::vector<std::string>>& RecycleRequests() const { return recycles_; }
    // The paths recycled to a bin, as requested.
    const std::vector<std::string>& Bin() const { return bin_; }
    // The documents opened.
    const std::vector<std::string>& RunRequests() const { return runs_; }

    bool RecycleFiles(const std::vector<std::string>& paths) override;
    bool HasRecycleBin(const std::string& path) override;
    // Brings back the latest recycled entry of that path with its size, removing it from Bin(),
    // over whatever stands at the place now, as a shell may without asking.
    RestoreResult RestoreRecycled(const std::string& originalPath) override;
    // Moves pair by pair; a request whose lists differ in length does nothing and fails.
    bool MoveFiles(const std::vector<std::string>& sources,
                   const std::vector<std::string>& destinations) override;
    // Empty for an extension the table does not hold.
    std::string FileTypeName(const std::string& name) override;
    void RunDocument(const std::string& file, const std::string& parameters,
                     const std::string& directory, int showMode) override;
    ShortcutInfo ReadShortcut(const std::string& path) override;

  private:
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
