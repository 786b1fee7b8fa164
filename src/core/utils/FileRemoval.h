#pragma once
// Removing files for good or to the recycle bin, the same way in every tool.
#include <string>
#include <vector>

#include "core/platform/FileSystem.h"
#include "core/platform/Shell.h"
#include "core/utils/TimeSlicedPump.h"

namespace sorvane {

enum class Removal {
    kDone,
    kAttributesKept,  // read-only, hidden or system could not be cleared: the file is untouched
    kRefused,         // the deletion failed: the file stays, with the attributes it had
};

// Deletes one file for good. Read-only, hidden and system are cleared first, as those would
// refuse the deletion, and put back when the file stays.
Removal RemovePermanently(IFileSystem& fs, const std::string& path);

struct RecycleOutcome {
    std::vector<std::string> gone;    // no longer there
    std::vector<std::string> stayed;  // still there after every try
};

// Recycles `paths` in one shell request, so that one undo brings them all back. A file the
// shell cannot take ends its request there, so the files still present afterwards are asked
// for again: the first of them alone, then the next ones together, until every file has either
// gone or stayed on its own. Events run between the checks.
RecycleOutcome RecycleAll(IShell& shell, IFileSystem& fs, TimeSlicedPump& pump,
                          const std::vector<std::string>& paths);

}  // namespace sorvane
