// Clean Drive(s) scan of a real tree against a bare find-first/find-next walk of the same
// tree in the same run, with all criteria off so every file becomes a result row. Also
// prints the longest time the scan went without letting events run (through the real
// Win32 event pump) and the peak working set, which the result table dominates.
//   ScanBench <directory> [rounds]     (make one with bench/make-tree.sh)
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "BareWalk.h"
#include "BenchWatch.h"
#include "core/driveclean/DriveScan.h"
#include "win/platform/Utf.h"
#include "win/platform/WinPlatform.h"
#include "core/results/ResultTable.h"

namespace {

using bench::Clock;
using bench::GapPump;

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: ScanBench <directory> [rounds]\n");
        return 2;
    }
    // A Linux path reaches us as it is; Z: is the Linux root under Wine.
    std::string root = argv[1];
    if (!root.empty() && root[0] == '/') root = "Z:" + root;
    for (char& c : root) {
        if (c == '/') c = '\\';
    }
    while (root.size() > 3 && root.back() == '\\') root.pop_back();
    // Other work on the machine slows single passes by up to a half; several rounds of walk
    // and scan side by side show how far that goes, and the best of each is compared.
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1;

    sorvane::WinPlatform windows("Sorvane v2.03");
    const sorvane::Platform& real = windows.Get();
    GapPump pump(real.pump);
    sorvane::Platform platform{real.fs,       real.drives,   real.shell,  real.system,
                               real.registry, real.settings, real.locale, real.clock,
                               real.timers,   real.prompts,  pump};
    sorvane::DriveScanCriteria criteria;
    criteria.locations = {root};
    criteria.maskGroup = false;

    double bestWalk = 0;
    double bestScan = 0;
    double lowest = 0;
    double highest = 0;
    double longestGap = 0;
    bench::TreeCount size;
    for (int round = 1; round <= rounds; ++round) {
        const auto walkStart = Clock::now();
        bench::TreeCount tree;
        bench::BareWalk(sorvane::Widen(root), tree);
        const std::size_t walked = tree.files;
        size = tree;
        const double walk = Seconds(walkStart);

        sorvane::ResultTable table({{"Name", sorvane::Alignment::kLeft, 130},
                                    {"Size", sorvane::Alignment::kRight, 60},
                                    {"Last Modified", sorvane::Alignment::kLeft, 70},
                                    {"Last Accessed", sorvane::Alignment::kLeft, 90},
                                    {"Path", sorvane::Alignment::kLeft, 120},
                                    {"Attributes", sorvane::Alignment::kLeft, 50},
                                    {"Type", sorvane::Alignment::kLeft, 80}},
                                   0, 4);
        // The window costs about this much: the status and caption, and the limits read at
        // every turn.
        struct PhaseView final : sorvane::IPassView {
            std::vector<std::pair<std::string, Clock::time_point>> phases;
            std::string status;
            void SetStatus(const std::string& text) override { status = text; }
            void SetCaption(const std::string& text) override {
                phases.emplace_back(text, Clock::now());
            }
            void SetBusy(bool, bool) override {}
        } view;
        sorvane::PassGate gate;
        sorvane::PassRunner runner(gate, view);
        const auto& phases = view.phases;
        sorvane::DriveScan scan(platform, runner,
                                [](sorvane::DriveScanCriteria&) { return false; });
        const auto scanStart = Clock::now();
        pump.Start();
        const sorvane::DriveScanResult result = scan.Run(criteria, table);
        pump.Note();
        const double scanned = Seconds(scanStart);

        const double ratio = scanned / walk;
        longestGap = std::max(longestGap, pump.LongestMs());
        bestWalk = round == 1 ? walk : std::min(bestWalk, walk);
        bestScan = round == 1 ? scanned : std::min(bestScan, scanned);
        lowest = round == 1 ? ratio : std::min(lowest, ratio);
        highest = round == 1 ? ratio : std::max(highest, ratio);
        std::printf("round %d: files walked: %zu, result rows: %zu\n", round, walked, result.count);
        std::printf("  bare walk: %.2f s, scan with table filled: %.2f s, ratio %.2f\n", walk,
                    scanned, ratio);
        for (std::size_t i = 0; i + 1 < phases.size(); ++i) {
            std::printf(
                "  %s: %.2f s\n", phases[i].first.c_str(),
                std::chrono::duration<double>(phases[i + 1].second - phases[i].second).count());
        }
        std::printf(
            "  events handled %zu times, longest gap %.1f ms, ending %.2f s into the scan\n",
            pump.Calls(), pump.LongestMs(), pump.LongestEnd());
    }

    PROCESS_MEMORY_COUNTERS memory{};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    std::printf("scan / bare walk = %.2f, best of each (target 1.5 or less); rounds %.2f to %.2f\n",
                bestScan / bestWalk, lowest, highest);
    std::printf("longest gap between event turns: %.1f ms (target 50 ms or less)\n", longestGap);
    const double peak = static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0);
    std::printf("peak working set: %.1f MiB\n", peak);
    // The row of scripts/bench.sh's table.
    std::printf(
        "TABLE|Clean Drive(s) scan, every file a row|%zu files, %zu dirs|bare walk|%.2f s|"
        "%.2f s|%.2f|%.0f MiB|%.0f ms\n",
        size.files, size.directories, bestScan, bestWalk, bestScan / bestWalk, peak, longestGap);
    return 0;
}
