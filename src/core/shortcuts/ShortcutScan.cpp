#include "core/shortcuts/ShortcutScan.h"

#include <algorithm>
#include <set>

#include "core/app/StatusPump.h"
#include "core/driveclean/ScanLists.h"
#include "core/utils/TimeSlicedPump.h"

namespace sorvane {

namespace {

constexpr std::uint32_t kVolumeLabel = 0x08;

bool IsDots(const std::string& name) {
    return name == "." || name == "..";
}

using Entry = ScanDirectoryList::Entry;

// One scan: the directory list, the dead items and the pump.
class Walk {
  public:
    Walk(Platform& platform, PassRunner& runner, const ShortcutScanOptions& options,
         const std::function<void(const std::string&)>& showFile)
        : platform_(platform),
          runner_(runner),
          options_(options),
          roots_(platform.fs),
          statusPump_(platform.pump,
                      [&runner, &showFile, this](const std::string& prefix,
                                                 const std::string& path) {
                          runner.SetStatus(prefix + path);
                          if (showFile && inFilePass_) showFile(path);
                      }),
          pump_(statusPump_, platform.clock) {
        for (const std::string& dir : options.excludedDirectories) {
            excludedDirs_.insert(platform.locale.SortKey(platform.locale.Upper(dir + "\\")));
        }
        for (const std::string& link : options.excludedLinks) {
            excludedLinks_.insert(platform.locale.Upper(link));
        }
    }

    ShortcutScanResult Run(const std::string& startMenuDir, const std::string& desktopDir) {
        ShortcutScanResult result;
        const std::pair<bool, const std::string*> folders[] = {
            {options_.startMenu, &startMenuDir}, {options_.desktop, &desktopDir}};
        for (const auto& [chosen, folder] : folders) {
            // A folder the system did not name would make "\" the drive's root: never scanned.
            if (!chosen || folder->empty()) continue;
            const std::string top = *folder + "\\";
            if (!Enumerate(top)) return Stopped(result);
            tops_.push_back(top);
            dirs_.push_back({platform_.locale.SortKey(top), top});
        }
        if (dirs_.empty()) {
            runner_.SetStatus("No directories were selected!");
            return result;
        }
        SortUnique(dirs_, [this] { pump_.Tick(); });
        inFilePass_ = true;
        for (const Entry& dir : dirs_) {
            if (!FilePass(dir.path, result.items)) return Stopped(result);
        }
        statusPump_.SetCurrent(nullptr, nullptr);
        if (!runner_.Running()) return Stopped(result);
        runner_.SetStatus("Found " + std::to_string(result.items.size()) + " items.");
        return result;
    }

  private:
    bool Continue() {
        pump_.Tick();
        return runner_.Running();
    }

    ShortcutScanResult& Stopped(ShortcutScanResult& result) {
        statusPump_.SetCurrent(nullptr, nullptr);
        result.items.clear();
        result.stopped = true;
        runner_.SetStatus("Scan Stopped");
        return result;
    }

    // Adds every directory below `top` (ending in "\") to the list in upper case, each level
    // in name order, leaving out excluded subtrees, junctions and links.
    bool Enumerate(const std::string& top) {
        std::vector<std::string> pending{top};
        FindData data;
        while (!pending.empty()) {
            const std::string dir = std::move(pending.back());
            pending.pop_back();
            std::vector<Entry> local;
            if (auto found = platform_.fs.FindFirst(dir + "*", data)) {
                do {
                    const bool dots = IsDots(data.name);
                    if (!dots) statusPump_.SetCurrent(&dir, &data.name, "Reading ");
                    if (!Continue()) return false;
                    if ((data.attributes & attr::kDirectory) == 0 || dots ||
                        (data.attributes & attr::kReparsePoint) != 0) {
                        continue;
                    }
                    std::string path = dir + data.name + "\\";
                    std::string upper = platform_.locale.Upper(path);
                    std::string key = platform_.locale.SortKey(upper);
                    if (excludedDirs_.count(key) != 0) continue;
                    dirs_.push_back({std::move(key), std::move(upper)});
                    local.push_back({platform_.locale.SortKey(path), std::move(path)});
                } while (found->Next(data));
            }
            statusPump_.SetCurrent(nullptr, nullptr);
            SortUnique(local);
            // Taken from the back: the first in name order goes in first.
            for (auto at = local.rbegin(); at != local.rend(); ++at) {
                pending.push_back(std::move(at->path));
            }
        }
        return true;
    }

    bool IsShortcutName(const std::string& name) {
        const std::size_t dot = name.find_last_of('.');
        return dot != std::string::npos && platform_.locale.Lower(name.substr(dot)) == ".lnk";
    }

    // Judges the shortcuts of `dir` and, when asked, reports it empty; false when stopped.
    bool FilePass(const std::string& dir, std::vector<DeadItem>& items) {
        std::size_t count = 0;
        FindData data;
        if (auto found = platform_.fs.FindFirst(dir + "*", data)) {
            do {
                const bool dots = IsDots(data.name);
                if (!dots) statusPump_.SetCurrent(&dir, &data.name, "Scanning ");
                if (!Continue()) return false;
                if (dots || (data.attributes & kVolumeLabel) != 0) continue;
                ++count;
                if ((data.attributes & attr::kDirectory) != 0 || !IsShortcutName(data.name)) {
                    continue;
                }
                std::string path = dir + data.name;
                if (!excludedLinks_.empty() &&
                    excludedLinks_.count(platform_.locale.Upper(path)) != 0) {
                    continue;
                }
                ShortcutInfo info = platform_.shell.ReadShortcut(path);
                if (JudgeShortcut(info, options_.discard, platform_.fs, roots_) ==
                    Verdict::kDead) {
                    items.push_back({std::move(path), false, std::move(info), options_.discard});
                }
            } while (found->Next(data));
        }
        statusPump_.SetCurrent(nullptr, nullptr);
        // The two folders themselves are never offered for removal.
        if (options_.emptyDirectories && count == 0 &&
            std::find(tops_.begin(), tops_.end(), dir) == tops_.end()) {
            items.push_back({dir.substr(0, dir.size() - 1), true, {}, {}});
        }
        return true;
    }

    Platform& platform_;
    PassRunner& runner_;
    const ShortcutScanOptions& options_;
    DriveRoots roots_;
    StatusPump statusPump_;
    TimeSlicedPump pump_;
    bool inFilePass_ = false;
    std::set<std::string> excludedDirs_;   // collation keys of the upper-case paths + "\"
    std::set<std::string> excludedLinks_;  // upper case
    std::vector<std::string> tops_;
    std::vector<Entry> dirs_;
};

}  // namespace

ShortcutScan::ShortcutScan(Platform& platform, PassRunner& runner,
                           std::function<void(const std::string&)> showFile)
    : platform_(platform), runner_(runner), showFile_(std::move(showFile)) {}

ShortcutScanResult ShortcutScan::Run(const std::string& startMenuDir,
                                     const std::string& desktopDir,
                                     const ShortcutScanOptions& options) {
    return Walk(platform_, runner_, options, showFile_).Run(startMenuDir, desktopDir);
}

}  // namespace sorvane
