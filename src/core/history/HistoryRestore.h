#pragma once
// Putting recycled files back from the cleaning history: through the shell's own recycle bin,
// only to a place that is free, and counted only once the file is really there again. Each
// restore is recorded in the history too.
#include <cstddef>
#include <string>
#include <vector>

#include "core/history/HistoryFile.h"
#include "core/platform/Platform.h"

namespace sorvane {

struct RestoreReport {
    std::size_t restored = 0;
    std::size_t notInBin = 0;
    std::size_t placeTaken = 0;
    std::size_t failed = 0;  // the shell could not, or said so without doing it
    std::size_t notRecycled = 0;  // lines of files that never went to the recycle bin
    std::string historyNote;
    // What happened, for the status bar; for one file, by its path.
    std::string Text(const std::vector<HistoryLine>& asked) const;
};

// Restores the recycled files of `lines`, in order, as one run of the history.
RestoreReport RestoreFromHistory(Platform& platform, CleaningHistory& history,
                                 const std::vector<HistoryLine>& lines);

}  // namespace sorvane
