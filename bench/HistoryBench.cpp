// The cleaning history's two costs, each against a peer run in the same process:
//   recording: unattended cleans of 100,000 files in all (deleted for good, the cheapest clean,
//   so the history's share is at its largest), every other one with the history on, against
//   the others (target: 5% more at most);
//   listing: the Cleaning History window's model opening a run of 1,000,000 entries, against
//   reading the file once and splitting each of its lines into fields (target: twice at most).
// usage: HistoryBench <scratch folder> [rounds] [files] [entries]
//   no entries: the cleans alone
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchPaths.h"
#include "BenchWatch.h"
#include "TimedAppends.h"
#include "core/dirclean/DirectoryCleaning.h"
#include "core/history/HistoryView.h"
#include "core/utils/TimeSlicedPump.h"
#include "core/utils/RecordCodec.h"
#include "win/platform/Utf.h"
#include "win/platform/WinHandles.h"
#include "win/platform/WinPlatform.h"

namespace {

using bench::Clock;
using bench::PeakMiB;
using bench::Seconds;

constexpr int kSettleSeconds = 40;
// The cleans' trees hold their files in folders of this many, each folder a clean of its own.
constexpr std::size_t kFilesPerFolder = 1000;

std::string FolderOf(const std::string& root, std::size_t folder) {
    return root + "\\d" + std::to_string(folder);
}

struct QuietView final : sorvane::IPassView {
    void SetStatus(const std::string&) override {}
    void SetCaption(const std::string&) override {}
    void SetBusy(bool, bool) override {}
    sorvane::PassGate gate;
    sorvane::PassRunner runner{gate, *this};
};

// `files` files of 100 bytes in folders of kFilesPerFolder.
bool MakeFlatTree(const std::string& root, std::size_t files) {
    CreateDirectoryW(sorvane::Widen(root).c_str(), nullptr);
    const std::string content(100, 'x');
    for (std::size_t i = 0; i < files; ++i) {
        const std::wstring dir = sorvane::Widen(FolderOf(root, i / kFilesPerFolder));
        if (i % kFilesPerFolder == 0) CreateDirectoryW(dir.c_str(), nullptr);
        const std::wstring path = dir + L"\\f" + std::to_wstring(i) + L".tmp";
        const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        DWORD written = 0;
        WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        CloseHandle(file);
    }
    return true;
}

void RemoveFolders(const std::string& root, std::size_t files) {
    for (std::size_t d = 0; d * kFilesPerFolder < files; ++d) {
        RemoveDirectoryW(sorvane::Widen(FolderOf(root, d)).c_str());
    }
    RemoveDirectoryW(sorvane::Widen(root).c_str());
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0 : n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Each round makes a tree of `files` files in folders of 1,000, lets it reach the disk, and
// cleans it folder by folder, each folder a clean of its own and every other one recorded
// (which half, in turns from round to round). A whole clean on this machine varies by 10 to 15%
// from one to the next, more than the history costs; side by side, a few seconds at most
// apart, the two halves meet the same disk. Each recorded clean is a whole run, its last lines
// written and the file's limits looked at, so the history's share is if anything larger than
// in one long clean.
void RecordingRounds(sorvane::Platform& platform, const std::string& folder, int rounds,
                     std::size_t files) {
    const std::string historyPath = folder + "\\Sorvane History.csv";
    DeleteFileW(sorvane::Widen(historyPath).c_str());
    // One history for the whole bench, as the program keeps one, and one that is off.
    bench::TimedAppends historyFiles(platform.fs);
    sorvane::CleaningHistory history(historyFiles, platform.clock);
    history.Configure(historyPath, {});
    sorvane::CleaningHistory off(platform.fs, platform.clock);
    sorvane::TargetOptions options;
    options.useRecycle = false;
    std::vector<double> ratios;
    double seconds[2] = {0, 0};
    std::size_t deleted[2] = {0, 0};
    for (int round = 0; round < rounds; ++round) {
        const std::string root = folder + "\\clean" + std::to_string(round);
        if (!MakeFlatTree(root, files)) {
            std::printf("could not make %s\n", root.c_str());
            return;
        }
        Sleep(kSettleSeconds * 1000);
        double roundSeconds[2] = {0, 0};
        for (std::size_t d = 0; d * kFilesPerFolder < files; ++d) {
            const int recording = (d + round) % 2 == 0 ? 1 : 0;
            QuietView view;
            sorvane::DirectoryCleaning cleaning(platform, view.runner, recording ? history : off);
            sorvane::CleanReport report;
            const auto start = Clock::now();
            view.runner.Run(sorvane::PassRunner::Kind::kStoppable, [&] {
                report = cleaning.CleanTarget(FolderOf(root, d), options, true);
            });
            roundSeconds[recording] += Seconds(start);
            deleted[recording] += report.deleted;
        }
        RemoveFolders(root, files);
        ratios.push_back(roundSeconds[1] / roundSeconds[0]);
        std::printf("clean round %d: the recorded half %.2f s, the other %.2f s, ratio %.3f\n",
                    round + 1, roundSeconds[1], roundSeconds[0], ratios.back());
        std::fflush(stdout);
        seconds[0] += roundSeconds[0];
        seconds[1] += roundSeconds[1];
    }
    const double ratio = Median(ratios);
    std::printf(
        "recording: cleans with the history / without = %.3f, median of %d rounds "
        "(rounds from %.3f to %.3f; target 1.05 or less); %zu and %zu files deleted; the "
        "history's %zu writes took %.2f s of %.2f s\n",
        ratio, rounds, *std::min_element(ratios.begin(), ratios.end()),
        *std::max_element(ratios.begin(), ratios.end()), deleted[1], deleted[0],
        historyFiles.Appends(), historyFiles.AppendSeconds(), seconds[1]);
    std::printf(
        "TABLE|Cleaning history: recording during cleans|%zu files deleted for good, every other "
        "clean of 1,000 recorded|the cleans not recorded|%.2f s|%.2f s|%.2f|%.0f MiB|-\n",
        files, seconds[1] / rounds, seconds[0] / rounds, ratio, PeakMiB());
}

void ListingRounds(sorvane::Platform& platform, const std::string& folder, int rounds,
                   std::size_t entries) {
    const std::string path = folder + "\\Listing History.csv";
    DeleteFileW(sorvane::Widen(path).c_str());
    {
        sorvane::CleaningHistory history(platform.fs, platform.clock);
        history.Configure(path, {.megabytes = 1024});
        sorvane::HistoryRun run = history.Begin(sorvane::tool::kCleanDirectories);
        const auto start = Clock::now();
        for (std::size_t i = 0; i < entries; ++i) {
            run.Record(sorvane::HistoryAction::kRecycled,
                       "C:\\Users\\someone\\AppData\\Local\\Temp\\folder" +
                           std::to_string(i / 1000) + "\\file" + std::to_string(i) + ".tmp",
                       1000 + i % 5000);
        }
        run.End();
        std::printf("recorded %zu entries in %.2f s\n", entries, Seconds(start));
    }
    double bestRead = 0, bestList = 0, longestGap = 0;
    std::size_t rows = 0, bytes = 0;
    bench::GapPump gaps(platform.pump);
    for (int round = 0; round < rounds; ++round) {
        const auto readStart = Clock::now();
        const auto text = sorvane::ReadWholeFile(platform.fs, path);
        std::size_t fields = 0;
        for (std::size_t at = 0; text && at < text->size();) {
            std::size_t end = text->find('\n', at);
            if (end == std::string::npos) end = text->size();
            sorvane::RecordReader reader(std::string_view(*text).substr(at, end - at));
            while (reader.Next()) ++fields;
            at = end + 1;
        }
        const double read = Seconds(readStart);
        bytes = text ? text->size() : 0;

        const auto listStart = Clock::now();
        // As the window does it: events run every 15 ms meanwhile.
        sorvane::HistoryView view;
        sorvane::ResultTable table = sorvane::HistoryView::MakeTable();
        sorvane::TimeSlicedPump pump(gaps, platform.clock);
        gaps.Start();
        view.Load(platform.fs, path, [&pump] { pump.Tick(); });
        const double loaded = Seconds(listStart);
        view.ShowRun(0, table);
        const double list = Seconds(listStart);
        gaps.Note();
        longestGap = std::max(longestGap, gaps.LongestMs());
        rows = table.RowCount() - 1;
        std::printf(
            "listing round %d: read and split %.2f s (%zu fields); window model %.2f s "
            "(%zu rows; read and indexed in %.2f s, the table filled in %.2f s)\n",
            round + 1, read, fields, list, rows, loaded, list - loaded);
        std::fflush(stdout);
        bestRead = round == 0 ? read : std::min(bestRead, read);
        bestList = round == 0 ? list : std::min(bestList, list);
    }
    std::printf(
        "listing: window model / reading the file once = %.2f (target 2 or less); "
        "longest gap between event turns %.0f ms\n",
        bestList / bestRead, longestGap);
    std::printf(
        "TABLE|Cleaning History: a run opened|%zu entries, %.0f MB|reading the file once|"
        "%.2f s|%.2f s|%.2f|%.0f MiB|%.0f ms\n",
        rows, bytes / 1e6, bestList, bestRead, bestList / bestRead, PeakMiB(), longestGap);
    DeleteFileW(sorvane::Widen(path).c_str());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: HistoryBench <scratch folder> [rounds] [files] [entries]\n");
        return 2;
    }
    const std::string folder = bench::WindowsPath(argv[1]);
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    // At least two folders: one clean recorded, one not.
    const std::size_t files =
        argc > 3 ? std::max<std::size_t>(2 * kFilesPerFolder, std::atoi(argv[3])) : 100000;
    // No entries: the recording rounds alone.
    const std::size_t entries = argc > 4 ? std::max(0, std::atoi(argv[4])) : 1000000;

    const sorvane::ComApartment apartment;
    sorvane::WinPlatform windows("Sorvane v2.03");
    sorvane::Platform& platform = windows.Get();
    CreateDirectoryW(sorvane::Widen(folder).c_str(), nullptr);
    // The cleans first: the peak working set each row shows is then its own.
    RecordingRounds(platform, folder, rounds, files);
    if (entries > 0) ListingRounds(platform, folder, rounds, entries);
    std::printf("peak working set: %.1f MiB\n", PeakMiB());
    return 0;
}
