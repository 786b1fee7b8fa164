#pragma once
// The Clean Drive(s) scan: prepares the directory list (offering empty directories for
// removal when asked), lists the files of every directory, keeps those that meet the
// criteria, and at the very end writes them into the result table. It runs on the
// user-interface thread and lets pending events run every 15 ms, also while the results sort
// and fill the table; the window's running flag is tested after every directory entry, so
// Stop takes effect at the next entry.
#include <cstddef>
#include <functional>
#include <string>

#include "core/app/PassRunner.h"
#include "core/app/SharedValues.h"
#include "core/driveclean/DriveScanCriteria.h"
#include "core/platform/Platform.h"
#include "core/results/ResultTable.h"

namespace sorvane {

inline constexpr char kPreparingPhase[] = "Preparing the directory list";
inline constexpr char kScanningPhase[] = "Scanning Files";
inline constexpr char kIdleTitle[] = "Clean Drive(s)";
inline constexpr char kSelectLocationMessage[] = "You must select at least one drive or directory!";

enum class DriveScanOutcome {
    kNoLocation,    // nothing was scanned; the message has been shown
    kBusy,          // another pass runs; nothing was scanned
    kStopped,       // the running flag went down; the table is unchanged
    kNothingFound,  // the table is unchanged
    kFound,         // the table holds the results
};

struct DriveScanResult {
    DriveScanOutcome outcome = DriveScanOutcome::kNothingFound;
    std::size_t count = 0;  // result rows written
};

// What the window shows in its status bar once a scan is over: "Select a drive or directory
// first!", "Scan Stopped", "No files were found" or "12 files were found".
std::string StatusTextOf(const DriveScanResult& result);

// Called after pending events have run: copies the window's current size and date controls into
// the criteria and returns true when any of them changed. Only the size and date inner fields
// (biggerOn, biggerKBytes, smallerOn, smallerKBytes, accessedOn, accessedBefore, modifiedOn,
// modifiedBefore) are taken from it; whether the size and date groups take part, like
// everything else, stays as it was at the start.
using LiveLimits = std::function<bool(DriveScanCriteria&)>;

class DriveScan {
  public:
    // The scan runs as a pass of `runner`: its running flag, caption and status bar.
    DriveScan(Platform& platform, PassRunner& runner, LiveLimits liveLimits = {});

    // Runs a whole scan. The criteria are read at the start, except the size and date limits,
    // which the liveLimits hook may update as the scan goes.
    DriveScanResult Run(const DriveScanCriteria& criteria, ResultTable& table);

  private:
    Platform& platform_;
    PassRunner& runner_;
    LiveLimits liveLimits_;
};

}  // namespace sorvane
