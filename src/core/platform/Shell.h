#pragma once
// The shell's services: recycle bin and moves, type names, opening documents,
// and reading shortcut files.
#include <string>
#include <vector>

namespace sorvane {

// Show modes for RunDocument.
inline constexpr int kShowNormal = 1;
inline constexpr int kShowNoActivate = 4;

// What reading a shortcut file gave.
struct ShortcutInfo {
    enum class Read {
        kUnopenable,   // the file could not be opened (gone, locked, access denied)
        kNotAShortcut, // opened, but its contents are not a valid shortcut
        kLoaded,
    };
    Read read = Read::kUnopenable;
    // The target as a full file-system path, environment variables expanded, at any length;
    // when the named target is gone but the shell's bounded search found where it moved, that
    // place. Empty when the target is not a file-system path (a shell item such as This PC, a
    // Control Panel applet, an installer-advertised program, a store app).
    std::string target;
    // The drive type code of the target's root (drive::k...); UNC paths are remote, whether or
    // not their server answers.
    unsigned driveType = 0;
};

// What asking the recycle bin for a file back did.
enum class RestoreResult {
    kRestored,    // the shell says so, which proves nothing: look at the disk
    kNotInBin,    // the bin holds nothing that was at that place
    kPlaceTaken,  // a file or folder stands at the place now; nothing was done
    kFailed,
};

class IShell {
  public:
    virtual ~IShell() = default;
    // One shell delete request with undo for all `paths`, without confirmation. True when the shell
    // reported success (which does not prove every file went).
    virtual bool RecycleFiles(const std::vector<std::string>& paths) = 0;
    // Whether the drive of `path` keeps a recycle bin. Where it does not (network and many
    // removable drives, a bin turned off), a recycle request deletes for good.
    virtual bool HasRecycleBin(const std::string& path) = 0;
    // Puts the item of the recycle bin that was at `originalPath` back there, through the bin
    // itself (the latest deleted when it holds several). Nothing is done while anything stands
    // at the place: a shell may replace it without asking.
    virtual RestoreResult RestoreRecycled(const std::string& originalPath) = 0;
    // One shell move request: the n-th source goes to the n-th destination file path; missing
    // destination directories are created without asking. True when the shell reported success.
    virtual bool MoveFiles(const std::vector<std::string>& sources,
                           const std::vector<std::string>& destinations) = 0;
    // The shell's type description for a file of this name, without touching the disk;
    // empty when the shell gives none.
    virtual std::string FileTypeName(const std::string& name) = 0;
    // The shell's default action on a file or address. Empty texts stand for none.
    virtual void RunDocument(const std::string& file, const std::string& parameters,
                             const std::string& directory, int showMode) = 0;
    // Reads a shortcut file without ever writing it or showing anything. A target that is gone
    // from a fixed or RAM disk is looked for, briefly, where it may have moved; any other is
    // taken as stored.
    virtual ShortcutInfo ReadShortcut(const std::string& linkPath) = 0;
};

}  // namespace sorvane
