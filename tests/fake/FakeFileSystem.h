#pragma once
// An in-memory disk: drive roots, directories and files with sizes, attributes, times and
// optional contents, and switches that make it misbehave the way real disks do.
//
// Paths are drive paths ("C:\dir\file"); '/' counts as '\', repeated separators, "." and
// ".." are folded, and names match without regard to ASCII case. Listings give entries in
// the order NTFS does (by upper-cased name), with "." and ".." first in every directory
// but a root. A listing follows the live tree, so entries added or removed while it is
// open show up or disappear as they would on a real disk.
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/platform/FileSystem.h"

namespace sorvane {

// How a test wants a new file or directory to look.
struct FakeEntryOptions {
    // kDirectory follows the kind of entry; unset gives kArchive for a file and no extra
    // bits for a directory.
    std::optional<std::uint32_t> attributes;
    FileTime created{};
    FileTime accessed{};
    FileTime written{};
};

class FakeFileSystem final : public IFileSystem {
  public:
    FakeFileSystem();
    ~FakeFileSystem() override;
    FakeFileSystem(const FakeFileSystem&) = delete;
    FakeFileSystem& operator=(const FakeFileSystem&) = delete;

    // ---- Building the disk. Missing parent directories are created; a path without a
    // drive, or one that runs through a file, throws std::invalid_argument.

    // Creates a directory, or gives an existing one the options.
    void AddDir(const std::string& path, const FakeEntryOptions& options = {});
    // Creates or replaces a file of `size` bytes that read as zeros (no memory is spent on
    // them, so sizes of many gigabytes are fine).
    void AddFile(const std::string& path, std::uint64_t size = 0,
                 const FakeEntryOptions& options = {});
    // Creates or replaces a file holding `content`.
    void AddFileWithContent(const std::string& path, std::string content,
                            const FakeEntryOptions& options = {});

    // Removes an entry and everything under it regardless of faults; false when missing.
    bool Erase(const std::string& path);

    // ---- Operations the fake shell builds on. Both count as a use of the paths involved.

    // Removes an entry and everything under it, as the shell does; nullopt when it is
    // missing, is a root, or it or anything under it is locked. Gives what was removed.
    std::optional<FindData> DeleteTree(const std::string& path);
    // Moves an entry and everything under it to `destination`, creating missing parent
    // directories. False when the source is missing, a root or locked (or holds a locked
    // entry), or the destination exists.
    bool Move(const std::string& source, const std::string& destination);

    // ---- Looking at the disk without counting as a use.

    bool Contains(const std::string& path) const;
    // Every entry below the roots, depth first in listing order, in the case it was created.
    std::vector<std::string> AllPaths() const;
    // The paths RemoveFile and RemoveDir removed, in order.
    const std::vector<std::string>& Removed() const { return removed_; }

    // ---- Faults. They belong to a path, not to an entry, so they may be set up before the
    // entry exists and stay when it is replaced.

    // FindFirst on the directory fails as on access denied.
    void DenyListing(const std::string& dir, bool deny = true);
    // The entry refuses removal, attribute changes and moves, as a file in use does.
    void Lock(const std::string& path, bool locked = true);
    // RemoveFile, RemoveDir and DeleteTree fail while attribute changes still work, as for a
    // file another program holds open without sharing deletion.
    void DenyRemoval(const std::string& path, bool deny = true);
    // OpenRead fails.
    void DenyRead(const std::string& path, bool deny = true);
    // Reads succeed up to `offset` bytes into the file, then fail.
    void FailReadAt(const std::string& path, std::uint64_t offset);
    // Every MakeDir and WriteFile fails, as on a full disk.
    void SetDiskFull(bool full) { diskFull_ = full; }
    // The entry disappears once `steps` more listing steps (calls of FindFirst or Next,
    // anywhere) have run; 0 removes it at once.
    void VanishAfterSteps(const std::string& path, std::size_t steps);
    // The entry disappears right before the next operation that names it.
    void VanishBeforeNextUse(const std::string& path);
    // FullPath gives `longPath` for the short spelling `shortPath` (and for paths below it),
    // as an 8.3 name of a directory.
    void AddAlias(const std::string& shortPath, const std::string& longPath);
    // The offset ToLocalTime applies.
    void SetLocalOffsetMinutes(std::int64_t minutes) { localOffsetMinutes_ = minutes; }

    // ---- IFileSystem
    std::unique_ptr<IFindHandle> FindFirst(const std::string& pattern, FindData& first) override;
    std::optional<std::uint32_t> Attributes(const std::string& path) override;
    bool SetAttributes(const std::string& path, std::uint32_t attributes) override;
    bool RemoveFile(const std::string& path) override;
    bool RemoveDir(const std::string& path) override;
    bool MakeDir(const std::string& path) override;
    std::unique_ptr<IFileReader> OpenRead(const std::string& path) override;
    // Fails, with the platform's texts, on a full disk, a locked or read-only file, a
    // directory, and a missing parent directory.
    bool WriteFile(const std::string& path, const std::string& bytes, std::string& error) override;
    // Folds "." and ".." and applies the aliases; a path without a drive comes back as it is.
    std::string FullPath(const std::string& path) override;
    std::optional<FileTime> ToLocalTime(FileTime utc) override;

  private:
    struct Node;
    struct ListingState;
    class Listing;
    class Reader;
    using Parts = std::vector<std::string>;

    Node* Find(const Parts& parts) const;
    Node& AddNode(const std::string& path, bool directory);
    bool AnyLocked(const Parts& parts, const Node& node) const;
    void CollectPaths(const Node& node, const std::string& prefix,
                      std::vector<std::string>& out) const;
    bool Step(ListingState& state, FindData& out);
    void CountListingStep();
    void Use(const Parts& parts);

    std::unique_ptr<Node> top_;  // its children are the drive roots
    std::vector<std::string> removed_;
    std::set<std::string> deniedListing_;
    std::set<std::string> locked_;
    std::set<std::string> deniedRead_;
    std::set<std::string> deniedRemoval_;
    std::map<std::string, std::string> aliases_;  // long path by key of the short one
    std::map<std::string, std::uint64_t> readFailOffsets_;
    std::map<std::string, std::size_t> vanishAfterSteps_;
    std::set<std::string> vanishOnUse_;
    bool diskFull_ = false;
    std::int64_t localOffsetMinutes_ = 0;
};

}  // namespace sorvane
