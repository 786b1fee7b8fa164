// Clean Directories on real trees: the statistics pass against a bare find-first/find-next walk
// of the same tree in the same run, then unattended cleans to the recycle bin, each of a fresh
// tree the bench makes itself (a clean consumes it). Prints the shell requests made, how long
// the request took, the longest time without letting events run (through the real Win32 event
// pump, and as seen by a window's 10 ms timer), and the peak working set.
//   DirBench <statistics tree> <clean folder> [rounds] [files to clean]
// The statistics tree comes from bench/make-tree.sh; "-" skips either part. Set XDG_DATA_HOME
// to a scratch folder on the same file system: Wine's recycle bin is the freedesktop trash
// there, and the bench refuses to fill the user's own.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <iterator>
#include <string>
#include <vector>

#include "BareWalk.h"
#include "BenchPaths.h"
#include "ForwardingShell.h"
#include "BenchWatch.h"
#include "core/dirclean/DirectoryCleaning.h"
#include "win/platform/Utf.h"
#include "win/platform/WinHandles.h"
#include "win/platform/WinPlatform.h"

namespace {

using bench::BareWalk;
using bench::Clock;
using bench::GapPump;
using bench::Milliseconds;
using bench::PeakMiB;
using bench::Seconds;
using bench::TimerWatch;
using bench::TreeCount;
using bench::WindowsPath;

// The real shell, counting recycle requests and timing them.
class CountingShell final : public bench::ForwardingShell {
  public:
    using ForwardingShell::ForwardingShell;
    void Reset() {
        requests = paths = binQueries = 0;
        seconds = binSeconds = 0;
    }
    bool RecycleFiles(const std::vector<std::string>& list) override {
        ++requests;
        paths += list.size();
        begun = Clock::now();
        const bool ok = inner_.RecycleFiles(list);
        ended = Clock::now();
        seconds += Seconds(begun, ended);
        return ok;
    }
    bool HasRecycleBin(const std::string& path) override {
        const auto start = Clock::now();
        const bool has = inner_.HasRecycleBin(path);
        ++binQueries;
        binSeconds += Seconds(start);
        return has;
    }

    std::size_t requests = 0;
    std::size_t paths = 0;
    double seconds = 0;
    std::size_t binQueries = 0;
    double binSeconds = 0;
    Clock::time_point begun;
    Clock::time_point ended;
};

// Ten directories per parent, as bench/make-tree.sh makes them, with file names unique to the
// round so the trash never has to rename one.
bool MakeCleanTree(const std::wstring& root, std::size_t files, int round) {
    const std::size_t dirs = std::max<std::size_t>(1, files / 10);
    std::vector<std::wstring> paths{root};
    for (std::size_t i = 1; i < dirs; ++i) {
        paths.push_back(paths[(i - 1) / 10] + L"\\d" + std::to_wstring(i));
    }
    for (const std::wstring& path : paths) {
        if (!CreateDirectoryW(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
            return false;
        }
    }
    static const wchar_t* const kExtensions[] = {L".tmp", L".log", L".txt", L".bak", L".dat", L""};
    const std::string content(1000, 'x');
    const std::wstring prefix = L"\\r" + std::to_wstring(round) + L"f";
    for (std::size_t i = 0; i < files; ++i) {
        const std::wstring name =
            paths[i % dirs] + prefix + std::to_wstring(i) + kExtensions[i % std::size(kExtensions)];
        const sorvane::UniqueFile file(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr,
                                                   CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return false;
        DWORD written = 0;
        WriteFile(file.Get(), content.data(), static_cast<DWORD>(i % 1000), &written, nullptr);
    }
    return true;
}

// Entries of the trash whose names begin with `prefix`.
std::size_t InTrash(const std::wstring& trash, const std::wstring& prefix) {
    std::size_t count = 0;
    WIN32_FIND_DATAW data;
    const sorvane::UniqueFind find(FindFirstFileW((trash + L"\\*").c_str(), &data));
    if (!find) return 0;
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L".." && name.rfind(prefix, 0) == 0) ++count;
    } while (FindNextFileW(find.Get(), &data));
    return count;
}

// The pass the engine runs in, as in the Clean Directories window; nothing stops it.
struct BenchPass final : sorvane::IPassView {
    void SetStatus(const std::string&) override {}
    void SetCaption(const std::string&) override {}
    void SetBusy(bool, bool) override {}
    void Run(const std::function<void()>& work) {
        runner.Run(sorvane::PassRunner::Kind::kStoppable, work);
    }
    sorvane::PassGate gate;
    sorvane::PassRunner runner{gate, *this};
};

void StatisticsRounds(sorvane::Platform& platform, GapPump& pump, const std::string& root,
                      int rounds) {
    BenchPass pass;
    sorvane::CleaningHistory history(platform.fs, platform.clock);
    sorvane::DirectoryCleaning cleaning(platform, pass.runner, history);
    double bestWalk = 0, bestStats = 0, lowest = 0, highest = 0, longestGap = 0;
    TreeCount size;
    for (int round = 1; round <= rounds; ++round) {
        TreeCount walked;
        sorvane::DirectoryStats stats;
        double walk = 0, gathered = 0;
        const auto doWalk = [&] {
            const auto start = Clock::now();
            BareWalk(sorvane::Widen(root), walked);
            walk = Seconds(start);
        };
        const auto doStats = [&] {
            const auto start = Clock::now();
            pump.Start();
            pass.Run([&] { stats = cleaning.GatherStats(root); });
            pump.Note();
            gathered = Seconds(start);
        };
        // Alternating which goes first, so the file system's caches favour neither.
        if (round % 2 == 1) {
            doWalk();
            doStats();
        } else {
            doStats();
            doWalk();
        }
        const double ratio = gathered / walk;
        size = walked;
        bestWalk = round == 1 ? walk : std::min(bestWalk, walk);
        bestStats = round == 1 ? gathered : std::min(bestStats, gathered);
        lowest = round == 1 ? ratio : std::min(lowest, ratio);
        highest = round == 1 ? ratio : std::max(highest, ratio);
        longestGap = std::max(longestGap, pump.LongestMs());
        std::printf(
            "statistics round %d (%s first): walked %zu files in %zu directories; "
            "counted %llu files, %llu directories, %llu bytes\n",
            round, round % 2 == 1 ? "walk" : "statistics", walked.files, walked.directories,
            static_cast<unsigned long long>(stats.files),
            static_cast<unsigned long long>(stats.subdirectories),
            static_cast<unsigned long long>(stats.bytes));
        std::printf(
            "  bare walk %.2f s, statistics %.2f s, ratio %.2f; events handled %zu "
            "times, longest gap %.1f ms\n",
            walk, gathered, ratio, pump.Calls(), pump.LongestMs());
        std::fflush(stdout);
    }
    std::printf(
        "statistics / bare walk = %.2f, best of %d each (target 1.3 or less); rounds "
        "%.2f to %.2f\n",
        bestStats / bestWalk, rounds, lowest, highest);
    std::printf(
        "longest gap between event turns in the statistics pass: %.1f ms; peak working "
        "set so far %.1f MiB\n",
        longestGap, PeakMiB());
    // The rows of scripts/bench.sh's table.
    std::printf(
        "TABLE|Clean Directories statistics|%zu files, %zu dirs|bare walk|%.2f s|%.2f s|"
        "%.2f|%.0f MiB|%.0f ms\n",
        size.files, size.directories, bestStats, bestWalk, bestStats / bestWalk, PeakMiB(),
        longestGap);
}

void CleanRounds(sorvane::Platform& platform, GapPump& pump, CountingShell& shell,
                 const std::string& folder, int rounds, std::size_t files) {
    wchar_t xdg[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"XDG_DATA_HOME", xdg, MAX_PATH) == 0) {
        std::printf("clean skipped: set XDG_DATA_HOME to a scratch folder first\n");
        return;
    }
    const std::wstring trash =
        sorvane::Widen(WindowsPath(sorvane::Narrow(xdg))) + L"\\Trash\\files";
    CreateDirectoryW(sorvane::Widen(folder).c_str(), nullptr);

    // A window of the program's, served by the same pump as the program's windows.
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = TimerWatch::Proc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"SorvaneDirBench";
    RegisterClassW(&windowClass);
    const sorvane::UniqueWindow window(CreateWindowW(L"SorvaneDirBench", L"DirBench", 0, 0, 0, 100,
                                                     100, nullptr, nullptr, windowClass.hInstance,
                                                     nullptr));
    SetTimer(window.Get(), 1, TimerWatch::kPeriodMs, nullptr);
    TimerWatch watch;

    sorvane::TargetOptions options;
    options.useRecycle = true;
    options.includeSubdirs = true;
    options.deleteAll = true;
    double worstGap = 0, worstWindow = 0, bestClean = 0, bestShell = 0;
    std::size_t mostRequests = 0;
    bool allGone = true;
    for (int round = 1; round <= rounds; ++round) {
        const std::string root = folder + "\\round" + std::to_string(round);
        const auto made = Clock::now();
        if (!MakeCleanTree(sorvane::Widen(root), files, round)) {
            std::printf("clean round %d: could not make the tree under %s\n", round, root.c_str());
            return;
        }
        TreeCount before;
        BareWalk(sorvane::Widen(root), before);
        std::printf(
            "clean round %d: made %zu files in %zu directories in %.1f s; the trash "
            "holds %zu files before the clean\n",
            round, before.files, before.directories, Seconds(made), InTrash(trash, L""));
        std::fflush(stdout);

        BenchPass pass;
        sorvane::CleaningHistory history(platform.fs, platform.clock);
        sorvane::DirectoryCleaning cleaning(platform, pass.runner, history);
        shell.Reset();
        const auto start = Clock::now();
        pump.Start();
        watch.Start();
        sorvane::CleanReport report;
        pass.Run([&] { report = cleaning.CleanTarget(root, options, true); });
        pump.Note();
        watch.Stop();
        const auto end = Clock::now();
        const double cleaned = Seconds(start, end);

        TreeCount after;
        BareWalk(sorvane::Widen(root), after);
        const std::size_t trashed = InTrash(trash, L"r" + std::to_wstring(round) + L"f");
        const bool gone = after.files == 0 && after.directories == before.directories &&
                          report.recycled == before.files;
        allGone = allGone && gone;
        std::printf(
            "  clean %.2f s: listing %.2f s, shell request %.2f s for %zu paths, after "
            "the request %.2f s\n",
            cleaned, shell.requests ? Seconds(start, shell.begun) : cleaned, shell.seconds,
            shell.paths, shell.requests ? Seconds(shell.ended, end) : 0.0);
        std::printf(
            "  shell requests %zu; recycle bin queries %zu taking %.2f s; recycled %zu, "
            "deleted %zu, kept without a bin %zu, stopped %s\n",
            shell.requests, shell.binQueries, shell.binSeconds, report.recycled, report.deleted,
            report.keptWithoutBin, report.stopped ? "yes" : "no");
        std::printf("  left: %zu files, %zu of %zu directories; in the trash: %zu (%s)\n",
                    after.files, after.directories, before.directories, trashed,
                    gone ? "files gone, directories kept" : "NOT AS EXPECTED");
        std::printf(
            "  events handled %zu times; longest gap %.1f ms (ending %.2f s in); window "
            "timer unserved for at most %.1f ms; peak working set so far %.1f MiB\n",
            pump.Calls(), pump.LongestMs(), pump.LongestEnd(), watch.longest, PeakMiB());
        std::fflush(stdout);
        worstGap = std::max(worstGap, pump.LongestMs());
        worstWindow = std::max(worstWindow, watch.longest);
        mostRequests = std::max(mostRequests, shell.requests);
        bestClean = round == 1 ? cleaned : std::min(bestClean, cleaned);
        bestShell = round == 1 ? shell.seconds : std::min(bestShell, shell.seconds);
    }
    std::printf("clean of %zu files: shell requests per clean at most %zu (target 1); %s\n", files,
                mostRequests,
                allGone ? "every round left the directories and no files" : "SOME ROUND FAILED");
    std::printf("longest gap between event turns: %.1f ms (target 50 ms or less)\n", worstGap);
    std::printf(
        "shell request best %.2f s; whole clean best %.2f s; window timer unserved for "
        "at most %.1f ms\n",
        bestShell, bestClean, worstWindow);
    std::printf(
        "TABLE|Clean Directories: clean to the recycle bin%s|%zu files, %zu dirs|"
        "its shell request alone|%.2f s|%.2f s|%.2f|%.0f MiB|%.0f ms\n",
        allGone && mostRequests == 1 ? "" : " (NOT AS EXPECTED)", files,
        std::max<std::size_t>(1, files / 10) - 1, bestClean, bestShell, bestClean / bestShell,
        PeakMiB(), worstGap);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: DirBench <statistics tree|-> <clean folder|-> [rounds] [files]\n");
        return 2;
    }
    const std::string statsRoot = argv[1];
    const std::string cleanFolder = argv[2];
    const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;
    const std::size_t files = argc > 4 ? std::max(1, std::atoi(argv[4])) : 100000;

    const sorvane::ComApartment apartment;
    sorvane::WinPlatform windows("Sorvane v2.03");
    const sorvane::Platform& real = windows.Get();
    GapPump pump(real.pump);
    // The program's shell, waiting on its requests through the measuring pump.
    sorvane::WinShell realShell(&pump);
    CountingShell shell(realShell);
    sorvane::Platform platform{real.fs,       real.drives,   shell,       real.system,
                               real.registry, real.settings, real.locale, real.clock,
                               real.timers,   real.prompts,  pump};

    if (statsRoot != "-") StatisticsRounds(platform, pump, WindowsPath(statsRoot), rounds);
    if (cleanFolder != "-") {
        CleanRounds(platform, pump, shell, WindowsPath(cleanFolder), rounds, files);
    }

    std::printf("peak working set: %.1f MiB\n", PeakMiB());
    return 0;
}
