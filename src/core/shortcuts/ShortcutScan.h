#pragma once
// The Check Shortcuts scan: dead shortcuts, and on request empty directories, below the Start
// Menu and Desktop folders. Runs as a pass of the window's runner on the user-interface thread,
// letting events run every 15 ms; junctions and links are never entered.
#include <functional>
#include <string>
#include <vector>

#include "core/app/PassRunner.h"
#include "core/platform/Platform.h"
#include "core/shortcuts/ShortcutJudgement.h"

namespace sorvane {

struct ShortcutScanOptions {
    bool startMenu = true;
    bool desktop = true;
    bool emptyDirectories = false;
    DiscardOptions discard;
    // Directories whose subtree is skipped: full paths without a trailing backslash, any case.
    std::vector<std::string> excludedDirectories;
    // Shortcut files never checked: full paths in upper case.
    std::vector<std::string> excludedLinks;
};

// One entry of the dead-item list, with what it was when judged, so that deleting it can make
// sure it still is.
struct DeadItem {
    std::string path;  // a directory's without its trailing backslash
    bool directory = false;
    ShortcutInfo judged;     // for a shortcut: how it read
    DiscardOptions discard;  // and the options it was judged by
};

struct ShortcutScanResult {
    std::vector<DeadItem> items;  // in the order found; empty when stopped
    bool stopped = false;
};

class ShortcutScan {
  public:
    // `showFile`, when given, is shown each file the scan is at (the progress window's line
    // during the start-up scan).
    ShortcutScan(Platform& platform, PassRunner& runner,
                 std::function<void(const std::string&)> showFile = nullptr);

    // Scans the two folders (full paths without a trailing backslash) by `options`; call inside
    // a pass of `runner`. Sets the status: "Found N items.", "Scan Stopped" or "No directories
    // were selected!".
    ShortcutScanResult Run(const std::string& startMenuDir, const std::string& desktopDir,
                           const ShortcutScanOptions& options);

  private:
    Platform& platform_;
    PassRunner& runner_;
    std::function<void(const std::string&)> showFile_;
};

}  // namespace sorvane
