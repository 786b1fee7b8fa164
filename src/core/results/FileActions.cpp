#include "core/results/FileActions.h"

#include "core/utils/AllUtils.h"

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

FileActions::FileActions(Platform& platform, ResultTable& table, PassRunner& runner)
    : platform_(platform), table_(table), runner_(runner) {}

void FileActions::AsPass(const std::function<void()>& action) {
    runner_.Run(PassRunner::Kind::kAction, action);
}

bool FileActions::RemovePermanently(const std::string& path) {
    return platform_.fs.SetAttributes(path, attr::kArchive) && DeleteOneFile(platform_.fs, path);
}

bool FileActions::Moved(const std::string& source, const std::string& target) {
    return !platform_.fs.Exists(source) && platform_.fs.Exists(target);
}

void FileActions::DeleteSelected(bool recycle) {
    const std::size_t row = table_.SelectedRow();
    if (row == 0) {
        platform_.prompts.Notice(kSelectFileFirst);
        return;
    }
    const std::string path = table_.FullPath(row);
    if (path.empty()) return;
    if (!platform_.prompts.Confirm("Proceed to delete\r\n" + path + "?")) return;
    if (!platform_.fs.FileExists(path)) {
        runner_.SetStatus(path + " does not exists!");
        return;
    }
    AsPass([&] {
    if (recycle) {
        // The shell's answer proves nothing: a file still there was not deleted.
        platform_.shell.RecycleFiles({path});
        if (platform_.fs.Exists(path)) {
            runner_.SetStatus("Failed to delete the selected file.");
            return;
        }
        runner_.SetStatus("File deleted to recycle_bin.");
    } else {
        if (!platform_.fs.SetAttributes(path, attr::kArchive)) return;
        if (!DeleteOneFile(platform_.fs, path)) {
            runner_.SetStatus("Failed to delete the selected file.");
            return;
        }
        runner_.SetStatus("File deleted permanently.");
    }
    table_.RemoveRow(row);
    });
}

void FileActions::DeleteChecked(bool recycle) {
    DeleteRows(recycle, true, "Proceed to delete all Checked files?");
}

void FileActions::DeleteAll(bool recycle) {
    DeleteRows(recycle, false, "Proceed to delete all files?");
}

void FileActions::DeleteRows(bool recycle, bool checkedOnly, const std::string& question) {
    if (table_.Empty()) return;
    if (!platform_.prompts.Confirm(question)) return;
    AsPass([&] {
    std::vector<std::size_t> rows;
    std::vector<std::string> paths;
    for (std::size_t row = 1; row < table_.RowCount(); ++row) {
        if (checkedOnly && !table_.Checked(row)) continue;
        std::string path = table_.FullPath(row);
        if (path.empty() || !platform_.fs.FileExists(path)) continue;
        if (recycle) {
            rows.push_back(row);
            paths.push_back(std::move(path));
        } else if (RemovePermanently(path)) {
            rows.push_back(row);
        }
    }
    if (recycle) {
        RecycleRows(rows, paths);
        return;
    }
    runner_.SetStatus("Deleted " + std::to_string(rows.size()) + " files permanently.");
    table_.RemoveRows(rows);
    });
}

void FileActions::RecycleRows(const std::vector<std::size_t>& rows,
                              const std::vector<std::string>& paths) {
    if (paths.empty()) {
        runner_.SetStatus("No files were deleted");
        return;
    }
    // One request for all, so one undo brings them all back. Its answer proves nothing:
    // only the rows whose files are gone go.
    platform_.shell.RecycleFiles(paths);
    std::vector<std::size_t> gone;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (!platform_.fs.Exists(paths[i])) gone.push_back(rows[i]);
    }
    std::string status = "Deleted " + std::to_string(gone.size()) + " files to recycle_bin.";
    if (gone.size() < paths.size()) {
        status += ' ';
        status += std::to_string(paths.size() - gone.size());
        status += " files could not be deleted.";
    }
    runner_.SetStatus(status);
    table_.RemoveRows(gone);
}

void FileActions::MoveSelected(const std::string& destination) {
    const std::size_t row = table_.SelectedRow();
    if (row == 0) {
        platform_.prompts.Notice(kSelectFileFirst);
        return;
    }
    const std::string source = table_.FullPath(row);
    const std::string target = destination + "\\" + table_.Cell(row, table_.NameColumn());
    if (source.empty()) return;
    if (!platform_.prompts.Confirm("Proceed to move\r\n" + source + "To" + "\r" + "\n" + target)) {
        return;
    }
    if (!platform_.fs.FileExists(source)) {
        runner_.SetStatus(source + " Does not exists!");
        return;
    }
    // The shell would replace it without a word.
    if (platform_.fs.Exists(target) &&
        !platform_.prompts.Confirm("Replace the existing file\r\n" + target + "?")) {
        return;
    }
    AsPass([&] {
        platform_.shell.MoveFiles({source}, {target});
        if (!Moved(source, target)) {
            runner_.SetStatus("Failed to move the selected file.");
            return;
        }
        runner_.SetStatus("Moved the selected file.");
        table_.SetCell(row, table_.PathColumn(), destination + "\\");
    });
}

void FileActions::MoveChecked(const std::string& destination) {
    if (table_.Empty()) return;
    if (!platform_.prompts.Confirm("Proceed to move all Checked files?")) return;
    AsPass([&] {
    std::size_t moved = 0;
    std::size_t skipped = 0;
    for (std::size_t row = 1; row < table_.RowCount(); ++row) {
        if (!table_.Checked(row)) continue;
        const std::string source = table_.FullPath(row);
        if (source.empty() || !platform_.fs.FileExists(source)) continue;
        const std::string target = destination + "\\" + table_.Cell(row, table_.NameColumn());
        // Nobody is asked in the middle of a bulk move, so nothing is replaced.
        if (platform_.fs.Exists(target)) {
            ++skipped;
            continue;
        }
        platform_.shell.MoveFiles({source}, {target});
        if (Moved(source, target)) {
            ++moved;
            table_.SetCell(row, table_.PathColumn(), destination + "\\");
        }
    }
    std::string status =
        moved > 0 ? "Moved " + std::to_string(moved) + " files." : "No files were moved.";
    if (skipped > 0) {
        status += " Skipped ";
        status += std::to_string(skipped);
        status += " files that already exist in the destination.";
    }
    runner_.SetStatus(status);
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
    if (panel_.Destination().empty()) {
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
    bool ready = platform_.fs.DirExists(destination);
    if (!ready && prompts.Confirm("Selected directory does not exists!\r\nCreate it?")) {
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
