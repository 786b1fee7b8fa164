#pragma once
// Deleting what the shortcut scan found: dead shortcuts to the recycle bin or for good, empty
// directories by removing them (only ever while empty). Each item is acted on only while it is
// still what was judged.
#include <cstddef>
#include <vector>

#include "core/app/PassRunner.h"
#include "core/history/CleaningHistory.h"
#include "core/platform/Platform.h"
#include "core/shortcuts/ShortcutScan.h"

namespace sorvane {

struct DeletionChoices {
    bool ask = true;      // a question before each item
    bool recycle = true;  // shortcuts to the recycle bin rather than deleted for good
};

class ShortcutDeletion {
  public:
    ShortcutDeletion(Platform& platform, PassRunner& runner, CleaningHistory& history)
        : platform_(platform), runner_(runner), history_(history) {}

    // Deletes the items of `list` at `which` (indexes, in that order), as one run of the
    // cleaning history, and returns the list rebuilt: the items that still exist as a file or a
    // directory, in their order.
    std::vector<DeadItem> Delete(const std::vector<DeadItem>& list,
                                 const std::vector<std::size_t>& which,
                                 const DeletionChoices& choices);

  private:
    void DeleteShortcut(const DeadItem& item, const DeletionChoices& choices, HistoryRun& run);
    void RemoveEmptyDirectory(const DeadItem& item, const DeletionChoices& choices,
                              HistoryRun& run);
    // The shortcut still reads as it did when judged, and is still dead.
    bool StillJudged(const DeadItem& item);

    Platform& platform_;
    PassRunner& runner_;
    CleaningHistory& history_;
};

}  // namespace sorvane
