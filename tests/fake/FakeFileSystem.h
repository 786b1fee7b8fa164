#pragma once
// An in-memory disk with switches that make it misbehave the way real disks do.
// Paths are drive paths ("C:\dir\file") matched without regard to ASCII case. Listings give
// entries in NTFS order (by upper-cased name), "." and ".." first in every directory but a
// root, and follow the live tree, so entries removed while a listing is open disappear.
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/platform/FileSystem.h"

namespace sorvane {

struct FakeEntryOptions {
    // Unset: kArchive for a file, nothing for a directory.
    std::optional<std::uint32_t> attributes;
    FileTime accessed{};
    FileTime written{};
    FileTime created{};
};

class FakeFileSystem final : public IFileSystem {
  public:
    FakeFileSystem();
    ~FakeFileSystem() override;

    // Missing parents are created; a path without a drive or through a file throws
    // std::invalid_argument. Files read as `size` zeros.
    void AddDir(const std::string& path, const FakeEntryOptions& options = {});
    void AddFile(const std::string& path, std::uint64_t size = 0,
                 const FakeEntryOptions& options = {});
    // Gives an existing file these contents (and their size), keeping its times.
    void SetContent(const std::string& path, std::string bytes);
    // A second name of the file `existing`: one identity, contents copied.
    void AddHardLink(const std::string& existing, const std::string& link);
    // Removes an entry with everything under it, faults or not; false when missing.
    bool Erase(const std::string& path);
    bool Contains(const std::string& path) const;
    // What RemoveFile and RemoveDir removed, in order.
    const std::vector<std::string>& Removed() const { return removed_; }

    // For the fake shell: false when missing, a root or holding a locked entry.
    bool DeleteTree(const std::string& path);
    // Creates missing parents of `destination`; false when the source is missing, a root or
    // locked, or the destination exists.
    bool Move(const std::string& source, const std::string& destination);

    // Faults, by path, so they may be set before the entry exists.
    void DenyListing(const std::string& dir, bool deny = true) { Mark(deniedListing_, dir, deny); }
    // Refuses removal, attribute changes, moves and writes, as a file in use does.
    void Lock(const std::string& path, bool locked = true) { Mark(locked_, path, locked); }
    // Removal fails while attribute changes still work, as for a file another program holds
    // open without sharing deletion.
    void DenyRemoval(const std::string& path, bool deny = true) {
        Mark(deniedRemoval_, path, deny);
    }
    // Reads of the file fail once `offset` bytes would be passed.
    void FailReadingAt(const std::string& path, std::size_t offset) {
        readFaults_[Key(path)] = offset;
    }
    // Looking up the path or anything below it cannot tell, as with access denied, a drive
    // without its medium or a share that does not answer.
    void FailLookups(const std::string& path) { Mark(failedLookups_, path, true); }
    // New files cannot be made in the directory, as in one the user may only read.
    void DenyCreatingIn(const std::string& dir) { Mark(deniedCreating_, dir, true); }
    std::uint64_t BytesRead() const { return bytesRead_; }
    // FullPath gives `longPath` for the short spelling `shortPath` (and paths below it), as
    // for an 8.3 name of a directory.
    void AddAlias(const std::string& shortPath, const std::string& longPath) {
        aliases_[Key(shortPath)] = longPath;
    }

    // Only the masks "*" and "*.*": every name; others throw std::invalid_argument.
    std::unique_ptr<IFindHandle> FindFirst(const std::string& pattern, FindData& first) override;
    Lookup Look(const std::string& path) override;
    bool SetAttributes(const std::string& path, std::uint32_t attributes) override;
    bool RemoveFile(const std::string& path) override { return RemoveLeaf(path, false); }
    bool RemoveDir(const std::string& path) override { return RemoveLeaf(path, true); }
    bool MakeDir(const std::string& path) override;
    std::unique_ptr<IFileReader> OpenRead(const std::string& path) override;
    std::optional<FileIdentity> Identity(const std::string& path) override;
    // Fails with the platform's texts on a missing parent and a locked, read-only or
    // directory target.
    bool WriteFile(const std::string& path, const std::string& bytes, std::string& error) override {
        return Write(path, bytes, error, false);
    }
    bool AppendFile(const std::string& path, const std::string& bytes,
                    std::string& error) override {
        return Write(path, bytes, error, true);
    }
    // Whole at once, so never left half written.
    bool ReplaceContents(const std::string& path, const std::string& bytes,
                         std::string& error) override {
        return Write(path, bytes, error, false);
    }
    // What a file holds (its zeros when it was given only a size); empty when missing.
    std::string Content(const std::string& path) const;
    bool CanCreateFilesIn(const std::string& dir) override {
        return deniedCreating_.count(Key(dir)) == 0;
    }
    // No time zone: only times with the top bit set fail, as on the platform.
    std::optional<FileTime> ToLocalTime(FileTime utc) override;
    // Folds "." and ".." and applies the aliases; a path without a drive comes back as it is.
    std::string FullPath(const std::string& path) override;

  private:
    struct Node;
    class Listing;
    using Parts = std::vector<std::string>;

    static std::string Key(const std::string& path);
    static void Mark(std::set<std::string>& faults, const std::string& path, bool on) {
        on ? (void)faults.insert(Key(path)) : (void)faults.erase(Key(path));
    }
    Node* Find(const Parts& parts) const;
    // Creates missing directories down to `parts`.
    Node& Ensure(const Parts& parts);
    Node& AddNode(const std::string& path, bool directory, const FakeEntryOptions& options);
    bool AnyLocked(const Parts& parts) const;  // the entry or anything below it
    bool Locked(const Parts& parts) const;
    bool RemoveLeaf(const std::string& path, bool directory);
    bool Write(const std::string& path, const std::string& bytes, std::string& error, bool append);

    std::unique_ptr<Node> top_;  // its children are the drive roots
    std::vector<std::string> removed_;
    std::set<std::string> deniedListing_;
    std::set<std::string> locked_;
    std::set<std::string> deniedRemoval_;
    std::map<std::string, std::string> aliases_;  // long path by key of the short one
    std::map<std::string, std::size_t> readFaults_;
    std::set<std::string> deniedCreating_;
    std::set<std::string> failedLookups_;
    std::uint64_t bytesRead_ = 0;
    std::uint64_t lastId_ = 0;
};

}  // namespace sorvane
