// Clean Drive(s) scan of a real tree against a bare find-first/find-next walk of the same
// tree in the same run, with all criteria off so every file becomes a result row.
//   ScanBench <directory>     (make one with bench/make-tree.sh)
#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "driveclean/DriveScan.h"
#include "platform/Utf.h"
#include "platform/WinPlatform.h"
#include "results/ResultTable.h"

namespace {

using Clock = std::chrono::steady_clock;

std::size_t BareWalk(const std::wstring& dir) {
    std::size_t files = 0;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((dir + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (wcscmp(data.cFileName, L".") != 0 && wcscmp(data.cFileName, L"..") != 0) {
                files += BareWalk(dir + L"\\" + data.cFileName);
            }
        } else {
            ++files;
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return files;
}

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: ScanBench <directory>\n");
        return 2;
    }
    // A Linux path reaches us as it is; Z: is the Linux root under Wine.
    std::string root = argv[1];
    if (!root.empty() && root[0] == '/') root = "Z:" + root;
    for (char& c : root) {
        if (c == '/') c = '\\';
    }
    while (root.size() > 3 && root.back() == '\\') root.pop_back();

    const auto walkStart = Clock::now();
    const std::size_t walked = BareWalk(sorvane::Widen(root));
    const double walk = Seconds(walkStart);

    sorvane::WinPlatform platform("Sorvane v2.03");
    sorvane::ResultTable table({{"Name", sorvane::Alignment::kLeft, 130},
                                {"Size", sorvane::Alignment::kRight, 60},
                                {"Last Modified", sorvane::Alignment::kLeft, 70},
                                {"Last Accessed", sorvane::Alignment::kLeft, 90},
                                {"Path", sorvane::Alignment::kLeft, 120},
                                {"Attributes", sorvane::Alignment::kLeft, 50},
                                {"Type", sorvane::Alignment::kLeft, 80}},
                               0, 4);
    sorvane::DriveScanCriteria criteria;
    criteria.locations = {root};
    criteria.maskGroup = false;
    sorvane::DriveScan scan(platform.Get(), {[] { return true; }, nullptr, nullptr});
    const auto scanStart = Clock::now();
    const sorvane::DriveScanResult result = scan.Run(criteria, table);
    const double scanned = Seconds(scanStart);

    PROCESS_MEMORY_COUNTERS memory{};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    std::printf("files walked: %zu, result rows: %zu\n", walked, result.count);
    std::printf("bare walk: %.2f s\n", walk);
    std::printf("scan, table filled: %.2f s\n", scanned);
    std::printf("scan / bare walk = %.2f (target 1.5 or less)\n", scanned / walk);
    std::printf("peak working set: %.1f MiB\n",
                static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0));
    return 0;
}
