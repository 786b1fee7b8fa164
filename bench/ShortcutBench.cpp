// Check Shortcuts on real shortcut files: the scan of a Start Menu and a Desktop against a bare
// find-first/find-next walk of both trees that loads every shortcut once, in the same run,
// which goes first alternating by round. Prints the longest time without letting events run
// (through the real Win32 event pump, and as seen by a window's 10 ms timer), whether exactly
// the dead shortcuts were reported, how soon a Stop given mid-scan ends it, and the peak
// working set.
//   ShortcutBench <folder> [rounds] [shortcuts]
// The bench makes the trees under the folder itself (shortcuts can only be written through the
// shell): "Start Menu" and "Desktop" with 5,000 shortcuts (or as many as asked, in steps of
// 500) in a folder for every ten, their targets under "targets", a fifth of which it deletes. A
// folder it made before is used again as it is: making 5,000 takes about ten minutes under Wine,
// whose shell looks up the target's volume for every shortcut saved (and says on stderr, each
// time, that it may not read Z:'s label).
#include <windows.h>
#include <psapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "BareWalk.h"
#include "BenchPaths.h"
#include "ForwardingShell.h"
#include "BenchWatch.h"
#include "core/app/PassRunner.h"
#include "core/shortcuts/ShortcutScan.h"
#include "win/platform/Utf.h"
#include "win/platform/WinHandles.h"
#include "win/platform/WinPlatform.h"

namespace {

using bench::Clock;
using bench::GapPump;
using bench::Milliseconds;
using bench::PeakMiB;
using bench::Seconds;
using bench::TimerWatch;
using bench::WindowsPath;

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// The trees: every folder holds ten shortcuts, each to a target of its own; every fifth target
// is deleted.
constexpr int kLinksPerFolder = 10;
constexpr int kDeadEvery = 5;

struct ShortcutTree {
    std::string startMenu;
    std::string desktop;
    std::vector<std::string> folders;  // below the two tops, parents first
    std::vector<std::string> links;
    std::vector<std::string> targets;  // the n-th link's
    std::set<std::string> dead;        // upper case, as the scan may give the folders
    std::size_t Folders() const { return folders.size(); }
};

bool IsDeadIndex(std::size_t index) {
    return index % kDeadEvery == kDeadEvery - 1;
}

// For every 5,000 shortcuts, twenty program groups of nineteen subfolders each under the Start
// Menu, ten folders of nine under the Desktop: 500 folders, their targets a hundred to a folder.
ShortcutTree PlanTree(const std::string& root, int tenths) {
    ShortcutTree tree;
    tree.startMenu = root + "\\Start Menu";
    tree.desktop = root + "\\Desktop";
    const auto addGroups = [&tree](const std::string& top, const char* name, int groups,
                                   int subfolders) {
        for (int g = 0; g < groups; ++g) {
            const std::string group = top + "\\" + name + " " + std::to_string(g);
            tree.folders.push_back(group);
            for (int s = 0; s < subfolders; ++s) {
                tree.folders.push_back(group + "\\Sub " + std::to_string(s));
            }
        }
    };
    addGroups(tree.startMenu, "Group", 2 * tenths, 19);
    addGroups(tree.desktop, "Folder", tenths, 9);
    for (const std::string& folder : tree.folders) {
        for (int n = 0; n < kLinksPerFolder; ++n) {
            const std::size_t index = tree.links.size();
            tree.links.push_back(folder + "\\App " + std::to_string(index) + ".lnk");
            tree.targets.push_back(root + "\\targets\\t" + std::to_string(index / 100) + "\\file" +
                                   std::to_string(index) + ".txt");
            if (IsDeadIndex(index)) tree.dead.insert(Upper(tree.links.back()));
        }
    }
    return tree;
}

bool MakeDir(const std::string& path) {
    return CreateDirectoryW(sorvane::Widen(path).c_str(), nullptr) ||
           GetLastError() == ERROR_ALREADY_EXISTS;
}

bool Exists(const std::string& path) {
    return GetFileAttributesW(sorvane::Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool SaveShortcut(const std::string& link, const std::string& target) {
    sorvane::ComPtr<IShellLinkW> shellLink;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                shellLink.PutVoid()))) {
        return false;
    }
    if (FAILED(shellLink->SetPath(sorvane::Widen(target).c_str()))) return false;
    const sorvane::ComPtr<IPersistFile> file = shellLink.As<IPersistFile>(IID_IPersistFile);
    return file && SUCCEEDED(file->Save(sorvane::Widen(link).c_str(), TRUE));
}

// Makes the trees unless a previous run finished them ("complete" in the folder); false on any
// failure.
bool MakeTree(const std::string& root, const ShortcutTree& tree) {
    const std::string marker = root + "\\complete";
    if (Exists(marker)) return true;
    for (const std::string& dir : {root, tree.startMenu, tree.desktop, root + "\\targets"}) {
        if (!MakeDir(dir)) return false;
    }
    for (const std::string& folder : tree.folders) {
        if (!MakeDir(folder)) return false;
    }
    for (std::size_t i = 0; i < tree.links.size(); ++i) {
        if (i % 100 == 0 && !MakeDir(root + "\\targets\\t" + std::to_string(i / 100))) {
            return false;
        }
        const sorvane::UniqueFile target(CreateFileW(sorvane::Widen(tree.targets[i]).c_str(),
                                                     GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                                     FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!target || !SaveShortcut(tree.links[i], tree.targets[i])) return false;
    }
    // Deleted only once every shortcut was saved while its target was there.
    for (std::size_t i = 0; i < tree.targets.size(); ++i) {
        if (IsDeadIndex(i) && !DeleteFileW(sorvane::Widen(tree.targets[i]).c_str())) return false;
    }
    const sorvane::UniqueFile done(CreateFileW(sorvane::Widen(marker).c_str(), GENERIC_WRITE, 0,
                                               nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                               nullptr));
    return static_cast<bool>(done);
}

// What the baseline did: every entry walked, every shortcut loaded.
struct BareCount {
    bench::TreeCount tree;
    std::size_t loaded = 0;
    std::size_t withPath = 0;
};

bool IsShortcutName(const wchar_t* name) {
    const wchar_t* const dot = wcsrchr(name, L'.');
    return dot != nullptr && _wcsicmp(dot, L".lnk") == 0;
}

// One shortcut load, as the shell offers it to anyone: the object, the file loaded read-only,
// the path it names.
void BareLoad(const std::wstring& path, BareCount& count) {
    sorvane::ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.PutVoid()))) {
        return;
    }
    const sorvane::ComPtr<IPersistFile> file = link.As<IPersistFile>(IID_IPersistFile);
    if (!file || FAILED(file->Load(path.c_str(), STGM_READ))) return;
    ++count.loaded;
    wchar_t target[MAX_PATH] = {};
    WIN32_FIND_DATAW data;
    if (link->GetPath(target, MAX_PATH, &data, 0) == S_OK && target[0] != L'\0') ++count.withPath;
}

// The real shell, timing the shortcut reads: how much of the scan the reader takes.
class TimedShell final : public bench::ForwardingShell {
  public:
    using ForwardingShell::ForwardingShell;
    void Reset() {
        reads = 0;
        seconds = 0;
    }
    sorvane::ShortcutInfo ReadShortcut(const std::string& linkPath) override {
        const auto start = Clock::now();
        sorvane::ShortcutInfo info = inner_.ReadShortcut(linkPath);
        seconds += Seconds(start);
        ++reads;
        return info;
    }

    std::size_t reads = 0;
    double seconds = 0;
};

// The window's side of the pass: only the last status is kept.
struct StatusView final : sorvane::IPassView {
    std::string status;
    void SetStatus(const std::string& text) override { status = text; }
    void SetCaption(const std::string&) override {}
    void SetBusy(bool, bool) override {}
};

struct ScanRun {
    sorvane::ShortcutScanResult result;
    std::string status;
    double seconds = 0;
    std::size_t turns = 0;
    double longestGap = 0;
    double longestEnd = 0;
    double timerLongest = 0;
    std::size_t reads = 0;
    double readSeconds = 0;
    // The Stop round: reads after the Stop, and how long after it the scan returned.
    std::size_t readsAfterStop = 0;
    double afterStopMs = -1;
};

// One scan as the window runs it: a stoppable pass of its runner, events through the pump.
// With `stopAfterTurns` set, Stop is pressed after that many turns.
ScanRun Scan(sorvane::Platform& platform, GapPump& pump, TimedShell& shell, TimerWatch& watch,
             const ShortcutTree& tree, std::size_t stopAfterTurns = 0) {
    StatusView view;
    sorvane::PassGate gate;
    sorvane::PassRunner runner(gate, view);
    sorvane::ShortcutScan scan(platform, runner);
    const sorvane::ShortcutScanOptions options{};
    ScanRun run;
    Clock::time_point stoppedAt;
    std::size_t readsAtStop = 0;
    if (stopAfterTurns > 0) {
        pump.afterTurn = [&] {
            if (pump.Calls() == stopAfterTurns) {
                runner.Stop();
                stoppedAt = Clock::now();
                readsAtStop = shell.reads;
            }
        };
    }
    shell.Reset();
    const auto start = Clock::now();
    pump.Start();
    watch.Start();
    runner.Run(sorvane::PassRunner::Kind::kStoppable,
               [&] { run.result = scan.Run(tree.startMenu, tree.desktop, options); });
    const auto end = Clock::now();
    pump.Note();
    watch.Stop();
    pump.afterTurn = nullptr;
    run.seconds = Seconds(start, end);
    run.status = view.status;
    run.turns = pump.Calls();
    run.longestGap = pump.LongestMs();
    run.longestEnd = pump.LongestEnd();
    run.timerLongest = watch.longest;
    run.reads = shell.reads;
    run.readSeconds = shell.seconds;
    if (stoppedAt != Clock::time_point{}) {
        run.afterStopMs = Milliseconds(stoppedAt, end);
        run.readsAfterStop = shell.reads - readsAtStop;
    }
    return run;
}

// Whether the scan listed exactly the dead shortcuts; prints what differs.
bool ExactlyTheDead(const ScanRun& run, const ShortcutTree& tree) {
    std::set<std::string> listed;
    std::size_t wrong = 0;
    for (const sorvane::DeadItem& item : run.result.items) {
        const std::string path = Upper(item.path);
        if (item.directory || tree.dead.count(path) == 0) {
            if (++wrong <= 3) std::printf("  listed but alive: %s\n", item.path.c_str());
        }
        listed.insert(path);
    }
    std::size_t missed = 0;
    for (const std::string& dead : tree.dead) {
        if (listed.count(dead) == 0 && ++missed <= 3) {
            std::printf("  dead but not listed: %s\n", dead.c_str());
        }
    }
    return wrong == 0 && listed.size() == run.result.items.size() &&
           listed.size() == tree.dead.size();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: ShortcutBench <folder> [rounds] [shortcuts]\n");
        return 2;
    }
    const std::string root = WindowsPath(argv[1]);
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    const int tenths = argc > 3 ? std::max(1, std::atoi(argv[3]) / 500) : 10;

    const sorvane::ComApartment apartment;
    sorvane::WinPlatform windows("Sorvane v2.03");
    const sorvane::Platform& real = windows.Get();
    GapPump pump(real.pump);
    TimedShell shell(real.shell);
    sorvane::Platform platform{real.fs,       real.drives,   shell,       real.system,
                               real.registry, real.settings, real.locale, real.clock,
                               real.timers,   real.prompts,  pump};

    const ShortcutTree tree = PlanTree(root, tenths);
    const auto making = Clock::now();
    const bool reused = Exists(root + "\\complete");
    if (!MakeTree(root, tree)) {
        std::printf("could not make the shortcut trees under %s\n", root.c_str());
        return 1;
    }
    std::size_t targetsThere = 0;
    for (const std::string& target : tree.targets) targetsThere += Exists(target) ? 1 : 0;
    std::printf(
        "%s %zu shortcuts in %zu folders under %s in %.1f s; %zu of their targets there, "
        "%zu deleted\n",
        reused ? "found" : "made", tree.links.size(), tree.Folders(), root.c_str(), Seconds(making),
        targetsThere, tree.targets.size() - targetsThere);
    std::fflush(stdout);
    if (targetsThere + tree.dead.size() != tree.targets.size()) {
        std::printf("the targets are not as made: remove %s and run again\n", root.c_str());
        return 1;
    }

    // A window of the program's, served by the same pump as the program's windows.
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = TimerWatch::Proc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"SorvaneShortcutBench";
    RegisterClassW(&windowClass);
    const sorvane::UniqueWindow window(CreateWindowW(L"SorvaneShortcutBench", L"ShortcutBench", 0,
                                                     0, 0, 100, 100, nullptr, nullptr,
                                                     windowClass.hInstance, nullptr));
    SetTimer(window.Get(), 1, TimerWatch::kPeriodMs, nullptr);
    TimerWatch watch;

    double bestBare = 0, bestScan = 0, lowest = 0, highest = 0, worstGap = 0, worstTimer = 0;
    std::size_t fewestTurns = 0;
    bool allExact = true;
    std::vector<double> ratios;
    for (int round = 1; round <= rounds; ++round) {
        BareCount bare;
        double bareSeconds = 0;
        ScanRun run;
        const auto doBare = [&] {
            const auto start = Clock::now();
            const auto load = [&bare](const std::wstring& dir, const WIN32_FIND_DATAW& data) {
                if (IsShortcutName(data.cFileName)) BareLoad(dir + L"\\" + data.cFileName, bare);
            };
            bench::BareWalk(sorvane::Widen(tree.startMenu), bare.tree, load);
            bench::BareWalk(sorvane::Widen(tree.desktop), bare.tree, load);
            bareSeconds = Seconds(start);
        };
        const auto doScan = [&] { run = Scan(platform, pump, shell, watch, tree); };
        // Alternating which goes first, so the caches favour neither.
        if (round % 2 == 1) {
            doBare();
            doScan();
        } else {
            doScan();
            doBare();
        }
        const bool exact = ExactlyTheDead(run, tree);
        allExact = allExact && exact && !run.result.stopped;
        const double ratio = run.seconds / bareSeconds;
        ratios.push_back(ratio);
        bestBare = round == 1 ? bareSeconds : std::min(bestBare, bareSeconds);
        bestScan = round == 1 ? run.seconds : std::min(bestScan, run.seconds);
        lowest = round == 1 ? ratio : std::min(lowest, ratio);
        highest = round == 1 ? ratio : std::max(highest, ratio);
        worstGap = std::max(worstGap, run.longestGap);
        worstTimer = std::max(worstTimer, run.timerLongest);
        fewestTurns = round == 1 ? run.turns : std::min(fewestTurns, run.turns);
        std::printf(
            "round %d (%s first): walked %zu files in %zu folders, loaded %zu shortcuts (%zu "
            "with a path); the scan read %zu and listed %zu (%s), status \"%s\"\n",
            round, round % 2 == 1 ? "bare walk" : "scan", bare.tree.files, bare.tree.directories,
            bare.loaded, bare.withPath, run.reads, run.result.items.size(),
            exact ? "exactly the dead ones" : "NOT THE DEAD ONES", run.status.c_str());
        std::printf(
            "  bare walk with loads %.2f s, scan %.2f s (reading shortcuts %.2f s of it), "
            "ratio %.2f\n",
            bareSeconds, run.seconds, run.readSeconds, ratio);
        std::printf(
            "  events handled %zu times; longest gap %.1f ms (ending %.2f s in); window timer "
            "unserved for at most %.1f ms\n",
            run.turns, run.longestGap, run.longestEnd, run.timerLongest);
        std::fflush(stdout);
    }

    // Stop pressed about halfway through, from within a turn of the events, as a click comes.
    const std::size_t stopAfter = std::max<std::size_t>(1, fewestTurns / 2);
    const ScanRun stopped = Scan(platform, pump, shell, watch, tree, stopAfter);
    const bool stopOk = stopped.afterStopMs >= 0 && stopped.result.stopped &&
                        stopped.result.items.empty() && stopped.status == "Scan Stopped";
    std::printf(
        "stop round: Stop after %zu of about %zu turns (%zu shortcuts read); the scan returned "
        "%.2f ms later, %zu shortcuts read since; result %zu items, %s, status \"%s\" (%s)\n",
        stopAfter, fewestTurns, stopped.reads - stopped.readsAfterStop, stopped.afterStopMs,
        stopped.readsAfterStop, stopped.result.items.size(),
        stopped.result.stopped ? "marked stopped" : "NOT MARKED STOPPED", stopped.status.c_str(),
        stopOk ? "as expected" : "NOT AS EXPECTED");

    std::printf("per-round ratios:");
    for (const double ratio : ratios) std::printf(" %.2f", ratio);
    std::printf("\n");
    std::printf(
        "scan / bare walk with loads = %.2f, best of %d each (target 3 or less); rounds %.2f to "
        "%.2f\n",
        bestScan / bestBare, rounds, lowest, highest);
    std::printf(
        "longest gap between event turns: %.1f ms; window timer unserved for at most %.1f ms "
        "(target 50 ms or less)\n",
        worstGap, worstTimer);
    std::printf("dead shortcuts reported: %zu made dead, every round %s\n", tree.dead.size(),
                allExact ? "listed exactly those" : "DIFFERED");
    std::printf("peak working set: %.1f MiB\n", PeakMiB());
    // The row of scripts/bench.sh's table.
    std::printf(
        "TABLE|Check Shortcuts scan%s|%zu shortcuts, %zu dead|walk loading each one|"
        "%.2f s|%.2f s|%.2f|%.0f MiB|%.0f ms\n",
        allExact && stopOk ? "" : " (NOT AS EXPECTED)", tree.links.size(), tree.dead.size(),
        bestScan, bestBare, bestScan / bestBare, PeakMiB(), worstGap);
    return 0;
}
