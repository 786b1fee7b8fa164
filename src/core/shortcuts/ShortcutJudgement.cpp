#include "core/shortcuts/ShortcutJudgement.h"

#include "core/platform/Drives.h"

namespace sorvane {

Verdict JudgeShortcut(const ShortcutInfo& info, const DiscardOptions& discard, IFileSystem& fs) {
    switch (info.read) {
        case ShortcutInfo::Read::kUnopenable:
            return Verdict::kNotExamined;  // locked or denied: says nothing about its target
        case ShortcutInfo::Read::kNotAShortcut:
            return Verdict::kDead;
        case ShortcutInfo::Read::kLoaded:
            break;
    }
    if (info.target.empty()) return Verdict::kNotExamined;
    const auto byOption = [](bool discarded) {
        return discarded ? Verdict::kNotExamined : Verdict::kDead;
    };
    switch (info.driveType) {
        case drive::kRemovable:
            return byOption(discard.removable);
        case drive::kCdRom:
            return byOption(discard.cdRom);
        case drive::kRemote:
            return byOption(discard.network);
        default:
            return fs.Exists(info.target) ? Verdict::kAlive : Verdict::kDead;
    }
}

}  // namespace sorvane
