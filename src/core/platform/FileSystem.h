#pragma once
// File-system access the engine needs: enumeration, attributes, removal,
// directory creation, block reads and writing whole files. Paths are UTF-8 with backslashes.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace sorvane {

// The file attribute bits, with the platform's values so they pass through unchanged.
namespace attr {
inline constexpr std::uint32_t kReadOnly = 0x01;
inline constexpr std::uint32_t kHidden = 0x02;
inline constexpr std::uint32_t kSystem = 0x04;
inline constexpr std::uint32_t kDirectory = 0x10;
inline constexpr std::uint32_t kArchive = 0x20;
inline constexpr std::uint32_t kNormal = 0x80;
// A junction or symbolic link: its contents live elsewhere, perhaps above it.
inline constexpr std::uint32_t kReparsePoint = 0x400;
}  // namespace attr

// A file time: 100-nanosecond intervals since 1 January 1601 (UTC unless said otherwise).
struct FileTime {
    std::uint64_t ticks = 0;
    friend bool operator==(const FileTime&, const FileTime&) = default;
};

// One entry of a directory listing.
struct FindData {
    std::string name;  // name with extension, no directory
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;
    FileTime creationTime;
    FileTime lastAccessTime;
    FileTime lastWriteTime;
};

// What looking a path up told. Only kNotFound says the path is not there; kCannotTell (access
// denied, a drive without its medium, a share that does not answer) says nothing either way.
enum class Presence { kFound, kNotFound, kCannotTell };

struct Lookup {
    Presence presence = Presence::kCannotTell;
    std::uint32_t attributes = 0;  // when found
    std::uint64_t size = 0;        // of a file, when found
};

// An open directory listing; closing happens when the object goes.
class IFindHandle {
  public:
    virtual ~IFindHandle() = default;
    // Fills `out` with the next entry; false when the listing is exhausted or fails.
    virtual bool Next(FindData& out) = 0;
};

// Which file a path leads to: two paths of one identity are one file (hard links, a directory
// reached twice), whatever their spelling.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    std::uint64_t indexHigh = 0;  // file systems with 128-bit file numbers
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// An open file for sequential block reads.
class IFileReader {
  public:
    virtual ~IFileReader() = default;
    // Reads up to `count` bytes; returns how many were read, 0 at the end, nullopt on failure.
    virtual std::optional<std::size_t> Read(void* buffer, std::size_t count) = 0;
    // Goes to `offset` bytes from the start; false on failure.
    virtual bool Seek(std::uint64_t offset) = 0;
};

class IFileSystem {
  public:
    virtual ~IFileSystem() = default;

    // Starts a listing of `pattern` (a directory followed by "\*" or by a mask such as "\*.lnk").
    // Returns nullptr when nothing matches or the directory cannot be listed; otherwise `first`
    // holds the first entry. Entries "." and ".." are reported as the platform reports them.
    virtual std::unique_ptr<IFindHandle> FindFirst(const std::string& pattern, FindData& first) = 0;

    // Whether a file or directory is at `path`, with its attributes when it is.
    virtual Lookup Look(const std::string& path) = 0;
    virtual bool SetAttributes(const std::string& path, std::uint32_t attributes) = 0;

    // Permanent removal of one file (no recycle bin).
    virtual bool RemoveFile(const std::string& path) = 0;
    // Removes an empty directory.
    virtual bool RemoveDir(const std::string& path) = 0;
    virtual bool MakeDir(const std::string& path) = 0;

    // Opens for reading only, shared with readers, writers and deleters, so files that are
    // read-only or open elsewhere can be read.
    virtual std::unique_ptr<IFileReader> OpenRead(const std::string& path) = 0;
    // The identity of a file or directory without reading it; nullopt when it cannot be had.
    virtual std::optional<FileIdentity> Identity(const std::string& path) = 0;
    // Creates or replaces a file holding `bytes`. On failure returns false with the platform's
    // message text in `error`; the file may then be left partly written.
    virtual bool WriteFile(const std::string& path, const std::string& bytes,
                           std::string& error) = 0;

    // Adds `bytes` to the end of a file, creating it when missing (not its folder). On failure
    // returns false with the platform's message text in `error`.
    virtual bool AppendFile(const std::string& path, const std::string& bytes,
                            std::string& error) = 0;
    // Gives a file new contents whole: they are complete on the disk before they take its
    // place, so a failure or a crash leaves the old contents as they were.
    virtual bool ReplaceContents(const std::string& path, const std::string& bytes,
                             std::string& error) = 0;

    // True when a new file can be made in the directory now; tried with a file that leaves no
    // trace.
    virtual bool CanCreateFilesIn(const std::string& directory) = 0;

    // The full, normalised form of a full path: "." and ".." folded, short names made long
    // where the entry exists, so two spellings of one directory give one text (up to case).
    virtual std::string FullPath(const std::string& path) = 0;

    // Converts a UTC file time to local time; nullopt when the conversion fails.
    virtual std::optional<FileTime> ToLocalTime(FileTime utc) = 0;

    // The attributes of a file or directory, or nullopt when it is not there or cannot be told.
    std::optional<std::uint32_t> Attributes(const std::string& path) {
        const Lookup found = Look(path);
        if (found.presence != Presence::kFound) return std::nullopt;
        return found.attributes;
    }
    bool Exists(const std::string& path) { return Attributes(path).has_value(); }
    bool FileExists(const std::string& path) {
        const auto a = Attributes(path);
        return a && (*a & attr::kDirectory) == 0;
    }
    bool DirExists(const std::string& path) {
        const auto a = Attributes(path);
        return a && (*a & attr::kDirectory) != 0;
    }
};

}  // namespace sorvane
