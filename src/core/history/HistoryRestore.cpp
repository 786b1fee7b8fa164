#include "core/history/HistoryRestore.h"

namespace sorvane {

RestoreReport RestoreFromHistory(Platform& platform, CleaningHistory& history,
                                 const std::vector<HistoryLine>& lines) {
    RestoreReport report;
    HistoryRun run = history.Begin(tool::kHistory);
    for (const HistoryLine& line : lines) {
        if (line.action != HistoryAction::kRecycled) {
            ++report.notRecycled;
            continue;
        }
        // Looked at first: a shell may put the file back over whatever stands there now.
        const Presence before = platform.fs.Look(line.path).presence;
        if (before == Presence::kFound) {
            ++report.placeTaken;
            continue;
        }
        if (before == Presence::kCannotTell) {
            ++report.failed;
            continue;
        }
        const RestoreResult result = platform.shell.RestoreRecycled(line.path);
        if (result == RestoreResult::kNotInBin) {
            ++report.notInBin;
        } else if (result == RestoreResult::kPlaceTaken) {
            ++report.placeTaken;
        } else if (platform.fs.Look(line.path).presence == Presence::kFound) {
            // Whatever the shell said: the file is there again.
            ++report.restored;
            run.Record(HistoryAction::kRestored, line.path, line.size,
                       "Recycled " + line.time + " by " + line.tool);
        } else {
            ++report.failed;
        }
    }
    report.historyNote = run.End();
    return report;
}

std::string RestoreReport::Text(const std::vector<HistoryLine>& asked) const {
    std::string text;
    if (asked.size() == 1) {
        const std::string& path = asked.front().path;
        if (restored == 1) text = "Restored " + path + ".";
        if (notInBin == 1) text = path + " is no longer in the recycle bin.";
        if (placeTaken == 1) {
            text = "A file now stands at " + path + ": nothing was restored over it.";
        }
        if (failed == 1) text = path + " could not be restored.";
        if (notRecycled == 1) text = path + " did not go to the recycle bin.";
    } else {
        text = "Restored " + std::to_string(restored) + " files.";
        if (notInBin > 0) text += " " + std::to_string(notInBin) + " no longer in the recycle bin.";
        if (placeTaken > 0) {
            text += " " + std::to_string(placeTaken) +
                    " left in the bin: a file now stands at their place.";
        }
        if (failed > 0) text += " " + std::to_string(failed) + " could not be restored.";
        if (notRecycled > 0) {
            text += " " + std::to_string(notRecycled) + " did not go to the recycle bin.";
        }
    }
    if (!historyNote.empty()) text += " " + historyNote;
    return text;
}

}  // namespace sorvane
