#include "core/shortcuts/ShortcutJudgement.h"

#include "core/platform/Drives.h"
#include "core/utils/AllUtils.h"

namespace sorvane {

bool DriveRoots::Present(const std::string& root) {
    if (root.empty()) return false;
    const auto [known, added] = known_.try_emplace(root, false);
    if (added) known->second = fs_.Look(root).presence == Presence::kFound;
    return known->second;
}

Verdict JudgeShortcut(const ShortcutInfo& info, const DiscardOptions& discard, IFileSystem& fs) {
    DriveRoots roots(fs);
    return JudgeShortcut(info, discard, fs, roots);
}

Verdict JudgeShortcut(const ShortcutInfo& info, const DiscardOptions& discard, IFileSystem& fs,
                      DriveRoots& roots) {
    switch (info.read) {
        case ShortcutInfo::Read::kUnopenable:
            return Verdict::kNotExamined;  // locked or denied: says nothing about its target
        case ShortcutInfo::Read::kNotAShortcut:
            return Verdict::kDead;
        case ShortcutInfo::Read::kLoaded:
            break;
    }
    if (info.target.empty()) return Verdict::kNotExamined;
    // An unplugged disk, an empty drive or a share not yet reconnected says nothing about the
    // shortcut: only a drive whose root answers now can condemn it.
    const auto drivePresent = [&] { return roots.Present(VolumeRootOf(info.target)); };
    const auto byOption = [&](bool discarded) {
        return discarded || !drivePresent() ? Verdict::kNotExamined : Verdict::kDead;
    };
    switch (info.driveType) {
        case drive::kRemovable:
            return byOption(discard.removable);
        case drive::kCdRom:
            return byOption(discard.cdRom);
        case drive::kRemote:
            return byOption(discard.network);
        case drive::kFixed:
        case drive::kRamDisk:
            break;
        default:
            return Verdict::kNotExamined;  // no drive behind the letter, or no drive at all
    }
    switch (fs.Look(info.target).presence) {
        case Presence::kFound:
            return Verdict::kAlive;
        case Presence::kNotFound:
            return drivePresent() ? Verdict::kDead : Verdict::kNotExamined;
        case Presence::kCannotTell:
            break;
    }
    return Verdict::kNotExamined;
}

}  // namespace sorvane
