#include "core/results/FileActions.h"

#include <algorithm>
#include <map>
#include <unordered_set>

#include "core/utils/AllUtils.h"
#include "core/utils/FileRemoval.h"

namespace sorvane {

namespace {

// Creates `dir` together with every missing parent; true when it exists afterwards.
bool MakeDirectories(IFileSystem& fs, const std::string& dir) {
    const std::string path = StripTrailingBackslash(dir);
    if (path.empty() || fs.DirExists(path)) return !path.empty();
    const std::size_t slash = path.find_last_of('\\');
    if (slash != std::string::npos && slash > 0) MakeDirectories(fs, path.substr(0, slash));
    fs.MakeDir(path);
    return fs.DirExists(path);
}

}  // namespace

FileActions::FileActions(Platform& platform, ResultTable& table, PassRunner& runner,
                         CleaningHistory& history, std::string tool)
    : platform_(platform),
      table_(table),
      runner_(runner),
      history_(history),
      tool_(std::move(tool)),
      pump_(platform.pump, platform.clock) {}

std::string LastCopyQuestion(std::size_t groups) {
    return "This would leave no copy of the files of " + std::to_string(groups) +
           (groups == 1 ? " group" : " groups") + " of duplicates.\r\nProceed anyway?";
}

void FileActions::AsPass(const std::function<void(HistoryRun& run)>& action) {
    changed_ = 0;
    runner_.Run(PassRunner::Kind::kAction, [&] {
        HistoryRun run = history_.Begin(tool_);
        status_.clear();
        action(run);
        const std::string note = run.End();
        if (!note.empty()) Say(status_.empty() ? note : status_ + ' ' + note);
    });
}

void FileActions::Say(const std::string& status) {
    status_ = status;
    runner_.SetStatus(status);
}

std::size_t FileActions::GroupsLeftWithoutCopy(const std::vector<std::string>& paths) const {
    if (!groups_.unchanged) return 0;
    const std::unordered_set<std::string> going(paths.begin(), paths.end());
    // Only the groups an action touches are looked at on disk.
    std::map<std::string, bool> touched;  // group number, whether a copy stays
    for (std::size_t row = 1; row < table_.RowCount(); ++row) {
        std::string group = table_.Cell(row, groups_.column);
        if (!group.empty() && going.count(table_.FullPath(row)) > 0) touched[group] = false;
    }
    for (std::size_t row = 1; row < table_.RowCount(); ++row) {
        const auto group = touched.find(table_.Cell(row, groups_.column));
        if (group == touched.end() || group->second) continue;
        const std::string path = table_.FullPath(row);
        // A copy changed or emptied since the scan is no copy of the others any more.
        group->second = going.count(path) == 0 && groups_.unchanged(path);
    }
    return static_cast<std::size_t>(
        std::count_if(touched.begin(), touched.end(), [](const auto& g) { return !g.second; }));
}

bool FileActions::KeepsACopyOrMayGo(const std::vector<std::string>& paths) {
    const std::size_t lost = GroupsLeftWithoutCopy(paths);
    return lost == 0 || platform_.prompts.Ask(LastCopyQuestion(lost), Buttons::kYesNoSafeNo);
}

bool FileActions::StillJudged(const std::string& path, HistoryRun& run) {
    if (!groups_.unchanged || groups_.unchanged(path)) return true;
    ++changed_;
    run.Record(HistoryAction::kKept, path, platform_.fs.Look(path).size, kept::kChanged);
    return false;
}

std::string FileActions::ChangedNote() const {
    if (changed_ == 0) return {};
    return " Skipped " + std::to_string(changed_) + " files that changed since the scan.";
}

bool FileActions::Moved(const std::string& source, const std::string& target) {
    return !platform_.fs.Exists(source) && platform_.fs.Exists(target);
}

std::vector<std::size_t> FileActions::RowsShowing(const std::vector<std::string>& paths) const {
    const std::unordered_set<std::string> wanted(paths.begin(), paths.end());
    std::vector<std::size_t> rows;
    for (std::size_t row = 1; row < table_.RowCount(); ++row) {
        if (wanted.count(table_.FullPath(row)) > 0) rows.push_back(row);
    }
    return rows;
}

void FileActions::MoveRowsTo(const std::vector<std::string>& sources,
                             const std::string& destination) {
    for (const std::size_t row : RowsShowing(sources)) {
        table_.SetCell(row, table_.PathColumn(), destination + "\\");
    }
}

bool FileActions::Idle() {
    if (runner_.CanRun()) return true;
    runner_.SetStatus(kPassBusyStatus);
    return false;
}

void FileActions::DeleteSelected(bool recycle) {
    if (!Idle()) return;
    const std::size_t row = table_.SelectedRow();
    if (row == 0) {
        platform_.prompts.Notice(kSelectFileFirst);
        return;
    }
    const std::string path = table_.FullPath(row);
    if (path.empty() || !KeepsACopyOrMayGo({path})) return;
    if (!platform_.prompts.Confirm("Proceed to delete\r\n" + path + "?")) return;
    if (!platform_.fs.FileExists(path)) {
        runner_.SetStatus(path + " does not exists!");
        return;
    }
    AsPass([&](HistoryRun& run) {
        if (!StillJudged(path, run)) {
            Say("Failed to delete the selected file." + ChangedNote());
            return;
        }
        const std::uint64_t size = platform_.fs.Look(path).size;
        bool permanent = !recycle;
        bool deleted = false;
        if (recycle) {
            // The shell's answer proves nothing: a file still there was not deleted.
            platform_.shell.RecycleFiles({path});
            deleted = !platform_.fs.Exists(path);
            permanent = !platform_.shell.HasRecycleBin(path);
        } else {
            deleted = RemovePermanently(platform_.fs, path) == Removal::kDone;
        }
        if (!deleted) {
            run.Record(HistoryAction::kKept, path, size, kept::kNotDeleted);
            Say("Failed to delete the selected file.");
            return;
        }
        run.Record(permanent ? HistoryAction::kDeleted : HistoryAction::kRecycled, path, size);
        Say(permanent ? "File deleted permanently." : "File deleted to recycle_bin.");
        table_.RemoveRows(RowsShowing({path}));
    });
}

void FileActions::DeleteChecked(bool recycle) {
    DeleteRows(recycle, true, "Proceed to delete all Checked files?");
}

void FileActions::DeleteAll(bool recycle) {
    DeleteRows(recycle, false, "Proceed to delete all files?");
}

std::vector<std::string> FileActions::PathsOfRows(bool checkedOnly) const {
    std::vector<std::string> paths;
    for (std::size_t row = 1; row < table_.RowCount(); ++row) {
        if (checkedOnly && !table_.Checked(row)) continue;
        std::string path = table_.FullPath(row);
        if (!path.empty()) paths.push_back(std::move(path));
    }
    return paths;
}

void FileActions::DeleteRows(bool recycle, bool checkedOnly, const std::string& question) {
    if (table_.Empty() || !Idle()) return;
    const std::vector<std::string> asked = PathsOfRows(checkedOnly);
    if (!KeepsACopyOrMayGo(asked) || !platform_.prompts.Confirm(question)) return;
    AsPass([&](HistoryRun& run) {
        std::vector<std::string> paths;
        std::vector<std::uint64_t> sizes;
        for (const std::string& path : asked) {
            pump_.Tick();
            const Lookup found = platform_.fs.Look(path);
            if (found.presence != Presence::kFound || (found.attributes & attr::kDirectory) != 0 ||
                !StillJudged(path, run)) {
                continue;
            }
            paths.push_back(path);
            sizes.push_back(found.size);
        }
        if (recycle) {
            Recycle(paths, sizes, run);
            return;
        }
        std::vector<std::string> gone;
        for (std::size_t i = 0; i < paths.size(); ++i) {
            pump_.Tick();
            if (RemovePermanently(platform_.fs, paths[i]) == Removal::kDone) {
                gone.push_back(paths[i]);
                run.Record(HistoryAction::kDeleted, paths[i], sizes[i]);
            } else {
                run.Record(HistoryAction::kKept, paths[i], sizes[i], kept::kNotDeleted);
            }
        }
        std::string status = "Deleted " + std::to_string(gone.size()) + " files permanently.";
        if (gone.size() < paths.size()) {
            status += ' ';
            status += std::to_string(paths.size() - gone.size());
            status += " files could not be deleted.";
        }
        Say(status + ChangedNote());
        table_.RemoveRows(RowsShowing(gone));
    });
}

void FileActions::Recycle(const std::vector<std::string>& paths,
                          const std::vector<std::uint64_t>& sizes, HistoryRun& run) {
    if (paths.empty()) {
        Say("No files were deleted" + ChangedNote());
        return;
    }
    // Only the rows whose files are gone go.
    const std::vector<std::string> gone =
        RecycleAll(platform_.shell, platform_.fs, pump_, paths).gone;
    const std::unordered_set<std::string> went(gone.begin(), gone.end());
    std::size_t permanent = 0;
    std::map<std::string, bool> bins;  // by drive root: one query per drive
    for (std::size_t i = 0; i < paths.size(); ++i) {
        pump_.Tick();
        if (went.count(paths[i]) == 0) {
            run.Record(HistoryAction::kKept, paths[i], sizes[i], kept::kNotDeleted);
            continue;
        }
        const auto [bin, added] = bins.try_emplace(VolumeRootOf(paths[i]), true);
        if (added) bin->second = platform_.shell.HasRecycleBin(paths[i]);
        // Where the drive keeps no bin the shell deleted it for good.
        if (!bin->second) ++permanent;
        run.Record(bin->second ? HistoryAction::kRecycled : HistoryAction::kDeleted, paths[i],
                   sizes[i]);
    }
    std::string status =
        "Deleted " + std::to_string(gone.size() - permanent) + " files to recycle_bin.";
    if (permanent > 0) {
        status += ' ';
        status += std::to_string(permanent);
        status += " files were deleted permanently.";
    }
    if (gone.size() < paths.size()) {
        status += ' ';
        status += std::to_string(paths.size() - gone.size());
        status += " files could not be deleted.";
    }
    Say(status + ChangedNote());
    table_.RemoveRows(RowsShowing(gone));
}

void FileActions::MoveSelected(const std::string& destination) {
    if (!Idle()) return;
    const std::size_t row = table_.SelectedRow();
    if (row == 0) {
        platform_.prompts.Notice(kSelectFileFirst);
        return;
    }
    const std::string source = table_.FullPath(row);
    if (source.empty()) return;
    const std::string target = destination + "\\" + table_.Cell(row, table_.NameColumn());
    if (!KeepsACopyOrMayGo({source})) return;
    if (!platform_.prompts.Confirm("Proceed to move\r\n" + source + "To" + "\r" + "\n" + target)) {
        return;
    }
    if (!platform_.fs.FileExists(source)) {
        runner_.SetStatus(source + " Does not exists!");
        return;
    }
    // The shell would replace it without a word.
    if (platform_.fs.Exists(target) &&
        !platform_.prompts.Ask("Replace the existing file\r\n" + target + "?",
                               Buttons::kYesNoSafeNo)) {
        return;
    }
    AsPass([&](HistoryRun& run) {
        if (!StillJudged(source, run)) {
            Say("Failed to move the selected file." + ChangedNote());
            return;
        }
        const std::uint64_t size = platform_.fs.Look(source).size;
        platform_.shell.MoveFiles({source}, {target});
        if (!Moved(source, target)) {
            run.Record(HistoryAction::kKept, source, size, kept::kNotMoved);
            Say("Failed to move the selected file.");
            return;
        }
        run.Record(HistoryAction::kMoved, source, size, target);
        if (groups_.moved) groups_.moved(source, target);
        Say("Moved the selected file.");
        MoveRowsTo({source}, destination);
    });
}

void FileActions::MoveChecked(const std::string& destination) {
    if (table_.Empty() || !Idle()) return;
    struct File {
        std::string source;
        std::string name;
    };
    std::vector<File> files;
    for (std::size_t row = 1; row < table_.RowCount(); ++row) {
        if (!table_.Checked(row)) continue;
        std::string source = table_.FullPath(row);
        if (!source.empty())
            files.push_back({std::move(source), table_.Cell(row, table_.NameColumn())});
    }
    std::vector<std::string> sources;
    for (const File& file : files) sources.push_back(file.source);
    if (!KeepsACopyOrMayGo(sources)) return;
    if (!platform_.prompts.Confirm("Proceed to move all Checked files?")) return;
    AsPass([&](HistoryRun& run) {
        std::vector<std::string> moved;
        std::size_t skipped = 0;
        for (const File& file : files) {
            pump_.Tick();
            const Lookup found = platform_.fs.Look(file.source);
            if (found.presence != Presence::kFound || (found.attributes & attr::kDirectory) != 0 ||
                !StillJudged(file.source, run)) {
                continue;
            }
            const std::string target = destination + "\\" + file.name;
            // Nobody is asked in the middle of a bulk move, so nothing is replaced.
            if (platform_.fs.Exists(target)) {
                ++skipped;
                run.Record(HistoryAction::kKept, file.source, found.size, kept::kTargetExists);
                continue;
            }
            platform_.shell.MoveFiles({file.source}, {target});
            if (!Moved(file.source, target)) {
                run.Record(HistoryAction::kKept, file.source, found.size, kept::kNotMoved);
                continue;
            }
            run.Record(HistoryAction::kMoved, file.source, found.size, target);
            moved.push_back(file.source);
            if (groups_.moved) groups_.moved(file.source, target);
        }
        std::string status = !moved.empty() ? "Moved " + std::to_string(moved.size()) + " files."
                                            : "No files were moved.";
        if (skipped > 0) {
            status += " Skipped ";
            status += std::to_string(skipped);
            status += " files that already exist in the destination.";
        }
        Say(status + ChangedNote());
        MoveRowsTo(moved, destination);
    });
}

// ---- The destination panel

MoveCommands::MoveCommands(FileActions& actions, Platform& platform, IDestinationPanel& panel)
    : actions_(actions), platform_(platform), panel_(panel) {}

void MoveCommands::Open(bool rememberedAlways) {
    rememberedDestination_ = panel_.Destination();
    rememberedAlways_ = rememberedAlways;
    panel_.Show();
}

void MoveCommands::Move(PendingMove move) {
    pending_ = move;
    // A relative destination (a hand-edited settings file may hold one) waits for the panel.
    if (panel_.Destination().empty() || !IsFullPath(panel_.Destination())) {
        Open(panel_.Always());
    } else if (!panel_.Always()) {
        Open(false);
    } else {
        CarryOut();
    }
}

void MoveCommands::EditDestination() {
    pending_ = PendingMove::kSetOnly;
    Open(panel_.Always());
}

void MoveCommands::DirectoryChosen(const std::string& path) {
    panel_.SetDestination(StripTrailingBackslash(path));
}

void MoveCommands::Accept() {
    IPrompts& prompts = platform_.prompts;
    const std::string destination = panel_.Destination();
    if (destination.empty()) {
        if (prompts.Confirm("No destination directory selected!\r\nExit without selecting one?")) {
            panel_.Hide();
        }
        return;
    }
    // A relative one would be taken from whatever the current directory happens to be.
    const bool full = IsFullPath(destination);
    if (!full) prompts.Notice(kDestinationNotFull);
    bool ready = full && platform_.fs.DirExists(destination);
    if (full && !ready && prompts.Confirm("Selected directory does not exists!\r\nCreate it?")) {
        ready = MakeDirectories(platform_.fs, destination);
        prompts.Notice(ready ? "Directory created." : "Unable to create directory!");
    }
    if (ready) {
        panel_.Hide();
    } else {
        panel_.SetDestination("");
        pending_ = PendingMove::kNone;
    }
    CarryOut();
}

void MoveCommands::Cancel() {
    panel_.SetDestination(rememberedDestination_);
    panel_.SetAlways(rememberedAlways_);
    panel_.Hide();
}

void MoveCommands::CarryOut() {
    switch (pending_) {
        case PendingMove::kSelected:
            actions_.MoveSelected(panel_.Destination());
            break;
        case PendingMove::kChecked:
            actions_.MoveChecked(panel_.Destination());
            break;
        case PendingMove::kNone:
        case PendingMove::kSetOnly:
            break;
    }
}

}  // namespace sorvane
