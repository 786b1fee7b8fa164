#pragma once
// The clean of a target directory and the statistics of its tree. Both walk the tree on the
// user-interface thread, letting events run every 15 ms, and never go through a junction or
// link: one inside a temporary folder may lead to the user's documents. Directories are never
// removed, only files; a target cleaned to the recycle bin costs one shell request (more only
// when the shell stops at a file it cannot take).
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/PassRunner.h"
#include "core/dirclean/TargetProfiles.h"
#include "core/history/CleaningHistory.h"
#include "core/platform/Platform.h"
#include "core/utils/TimeSlicedPump.h"

namespace sorvane {

// Whether `text` matches `pattern`, where "*" stands for any run of characters and "?" for one.
bool WildcardMatch(std::string_view text, std::string_view pattern);

// Whether a file of this extension (from the name's last dot on, dot included; empty without a
// dot) matches a target's mask: "*.tmp" matches ".tmp" and ".TMP"; a mask with "?" matches the
// lower-cased extension as a wildcard followed by "*" (so "*.t?p" also takes ".tmpx"); other
// forms such as "*.t*" match nothing.
bool MatchesMask(const std::string& extension, const std::string& mask, ILocale& locale);

struct DirectoryStats {
    std::uint64_t subdirectories = 0;  // at any depth, the target not counted
    std::uint64_t files = 0;
    std::uint64_t bytes = 0;
};

struct CleanReport {
    std::size_t recycled = 0;
    std::size_t deleted = 0;  // permanently
    // Files of a recycling target left alone in an unattended clean because their drive keeps
    // no recycle bin: the shell would delete them for good with nobody there to be warned.
    std::size_t keptWithoutBin = 0;
    // Files the shell would not take, even asked for on their own.
    std::size_t notRecycled = 0;
    // Files younger than their target's age limit, left alone.
    std::size_t leftForAge = 0;
    bool stopped = false;
    // What the cleaning history could not record, said once; empty when all is well.
    std::string historyNote;
};

// What a clean left that the user should hear of, and why; empty when it left nothing.
std::string CleanNote(const CleanReport& report);

class DirectoryCleaning {
  public:
    // Runs inside a pass of `runner`, testing its running flag after every directory entry: a
    // clean ends at once when it is lowered.
    DirectoryCleaning(Platform& platform, PassRunner& runner, CleaningHistory& history);

    // The whole tree under `path`, whatever the target's options; a directory that is gone
    // or cannot be listed counts nothing.
    DirectoryStats GatherStats(const std::string& path);

    // Cleans one target by `options`, as one run of the cleaning history. Stopped in recycle
    // mode, nothing of it is recycled. `unattended`: nobody watches, so nothing meant for the
    // recycle bin is deleted for good.
    CleanReport CleanTarget(const std::string& path, const TargetOptions& options, bool unattended);

    // Cleans every target in order, each with the options stored when its turn comes, as one
    // run of the cleaning history; `onTarget` is told of each before it is cleaned. Ends at the
    // first stop.
    CleanReport CleanAll(const Settings& settings, const std::vector<Target>& targets,
                         bool unattended, const std::function<void(const Target&)>& onTarget);

  private:
    bool Continue() {
        pump_.Tick();
        return runner_.Running();
    }
    // Calls `visit` with the directory (ending in "\\") of each file and subdirectory below
    // `path`, going into subdirectories when asked; false when stopped.
    bool Walk(const std::string& path, bool subdirectories,
              const std::function<void(const std::string&, const FindData&)>& visit);
    bool Matches(const std::string& name, const TargetOptions& options);
    void Clean(const std::string& path, const TargetOptions& options, bool unattended,
               HistoryRun& run, CleanReport& report);

    Platform& platform_;
    PassRunner& runner_;
    CleaningHistory& history_;
    TimeSlicedPump pump_;
};

}  // namespace sorvane
