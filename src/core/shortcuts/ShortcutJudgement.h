#pragma once
// Whether a shortcut is dead. A working shortcut judged dead would be deleted by the user, so
// only a shortcut whose target the file system reports not found, on a drive that is there, is
// dead, or one whose file is not a shortcut at all; anything the check cannot tell (a drive that
// is not there now, access denied, a device not ready, a network error) is left unexamined.
#include <map>
#include <string>

#include "core/platform/FileSystem.h"
#include "core/platform/Shell.h"

namespace sorvane {

// "Discard Shortcuts Pointing To:": shortcuts to drives of a checked kind are never reported;
// to a drive of a cleared kind that is there they always are, whether or not the target is.
struct DiscardOptions {
    bool removable = true;
    bool cdRom = true;
    bool network = true;
    friend bool operator==(const DiscardOptions&, const DiscardOptions&) = default;
};

enum class Verdict {
    kAlive,        // its target is there, file or folder
    kDead,         // reported
    kNotExamined,  // a shell item, an unopenable file, a drive the Discard options leave out,
                   // or whatever cannot be told
};

// Whether a drive's root answers, asked once per root for a whole scan: a share whose server
// does not answer can keep the system waiting for many seconds, and many shortcuts may point
// there. A deletion asks afresh, so a drive that went meanwhile condemns nothing.
class DriveRoots {
  public:
    explicit DriveRoots(IFileSystem& fs) : fs_(fs) {}
    bool Present(const std::string& root);

  private:
    IFileSystem& fs_;
    std::map<std::string, bool> known_;
};

Verdict JudgeShortcut(const ShortcutInfo& info, const DiscardOptions& discard, IFileSystem& fs,
                      DriveRoots& roots);
// A judgement on its own, with the drive asked now.
Verdict JudgeShortcut(const ShortcutInfo& info, const DiscardOptions& discard, IFileSystem& fs);

}  // namespace sorvane
