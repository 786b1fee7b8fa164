#pragma once
// Whether a shortcut is dead. A working shortcut judged dead would be deleted by the user, so
// only a shortcut that names a file-system target that is gone is dead, or one whose file is
// not a shortcut at all; anything the check cannot tell is left unexamined.
#include <string>

#include "core/platform/FileSystem.h"
#include "core/platform/Shell.h"

namespace sorvane {

// "Discard Shortcuts Pointing To:": shortcuts to drives of a checked kind are never reported;
// to drives of a cleared kind they always are, whether or not the target is there.
struct DiscardOptions {
    bool removable = true;
    bool cdRom = true;
    bool network = true;
    friend bool operator==(const DiscardOptions&, const DiscardOptions&) = default;
};

enum class Verdict {
    kAlive,        // its target is there, file or folder
    kDead,         // reported
    kNotExamined,  // a shell item, an unopenable file, or a drive the Discard options leave out
};

Verdict JudgeShortcut(const ShortcutInfo& info, const DiscardOptions& discard, IFileSystem& fs);

}  // namespace sorvane
