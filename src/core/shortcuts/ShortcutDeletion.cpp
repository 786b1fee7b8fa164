#include "core/shortcuts/ShortcutDeletion.h"

#include "core/utils/FileRemoval.h"

namespace sorvane {

namespace {
constexpr char kUnableToDelete[] = "Unable To Delete The Selected Shortcut.";
}  // namespace

std::vector<DeadItem> ShortcutDeletion::Delete(const std::vector<DeadItem>& list,
                                               const std::vector<std::size_t>& which,
                                               const DeletionChoices& choices) {
    HistoryRun run = history_.Begin(tool::kCheckShortcuts);
    for (const std::size_t index : which) {
        if (index >= list.size()) continue;
        const DeadItem& item = list[index];
        // An item that vanished, or became the other kind, is skipped.
        if (!item.directory && platform_.fs.FileExists(item.path)) {
            DeleteShortcut(item, choices, run);
        } else if (item.directory && platform_.fs.DirExists(item.path)) {
            RemoveEmptyDirectory(item, choices, run);
        }
    }
    if (const std::string note = run.End(); !note.empty()) runner_.SetStatus(note);
    std::vector<DeadItem> left;
    for (const DeadItem& item : list) {
        if (platform_.fs.Exists(item.path)) left.push_back(item);
    }
    return left;
}

bool ShortcutDeletion::StillJudged(const DeadItem& item) {
    if (!platform_.fs.FileExists(item.path)) return false;
    // Judged afresh too: its target may be back, or its drive gone, since the scan.
    const ShortcutInfo now = platform_.shell.ReadShortcut(item.path);
    return now.read == item.judged.read && now.target == item.judged.target &&
           JudgeShortcut(now, item.discard, platform_.fs) == Verdict::kDead;
}

void ShortcutDeletion::DeleteShortcut(const DeadItem& item, const DeletionChoices& choices,
                                      HistoryRun& run) {
    if (choices.ask && !platform_.prompts.Confirm("Proceed to delete\r\n" + item.path)) return;
    const std::uint64_t size = platform_.fs.Look(item.path).size;
    // Checked after the answer: the user may have mended the shortcut meanwhile.
    if (!StillJudged(item)) {
        run.Record(HistoryAction::kKept, item.path, size, kept::kChanged);
        runner_.SetStatus("The shortcut is no longer found dead; it was left alone.");
        return;
    }
    if (choices.recycle) {
        // The shell's answer proves nothing: a file still there was not deleted.
        platform_.shell.RecycleFiles({item.path});
        const bool gone = !platform_.fs.Exists(item.path);
        run.Record(!gone                                             ? HistoryAction::kKept
                   : platform_.shell.HasRecycleBin(item.path) ? HistoryAction::kRecycled
                                                                     : HistoryAction::kDeleted,
                   item.path, size, gone ? "" : kept::kNotDeleted);
        runner_.SetStatus(gone ? "The Selected Shortcut Deleted To Recycle_Bin." : kUnableToDelete);
        return;
    }
    // Read-only, hidden and system shortcuts go too; one whose attributes cannot be reset stays.
    const Removal removal = RemovePermanently(platform_.fs, item.path);
    if (removal == Removal::kDone) {
        run.Record(HistoryAction::kDeleted, item.path, size);
    } else {
        run.Record(HistoryAction::kKept, item.path, size, kept::kNotDeleted);
    }
    if (removal == Removal::kAttributesKept) return;
    runner_.SetStatus(removal == Removal::kDone ? "The Selected Shortcut Deleted Permanently."
                                                : kUnableToDelete);
}

void ShortcutDeletion::RemoveEmptyDirectory(const DeadItem& item, const DeletionChoices& choices,
                                            HistoryRun& run) {
    if (choices.ask && !platform_.prompts.Confirm("Delete the empty directory?\r\n" + item.path)) {
        return;
    }
    // Removal takes only an empty directory, so one filled meanwhile stays whole.
    if (platform_.fs.RemoveDir(item.path)) {
        run.Record(HistoryAction::kDeleted, item.path, 0, "Empty directory");
        runner_.SetStatus("Directory deleted succesfully.");
    } else {
        run.Record(HistoryAction::kKept, item.path, 0, kept::kNotDeleted);
        platform_.prompts.Error("Unable to delete\r\n" + item.path);
    }
}

}  // namespace sorvane
