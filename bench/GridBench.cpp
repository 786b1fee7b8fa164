// How long the result grid takes to show and scroll through a large table, next to the time
// of building that table: the grid should cost no more than a small multiple of the model.
//
//   GridBench [rows] [scroll steps]      (defaults: 500000 rows, 200 steps)
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/results/ResultTable.h"
#include "win/framework/Window.h"
#include "win/utils/Controls.h"
#include "win/widgets/ResultGrid.h"

namespace sorvane {
namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

class BenchWindow : public Window {
  public:
    BenchWindow() {
        CreateWindowOf({L"SorvaneGridBench"}, 0, "Grid benchmark", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                       Bounds(0, 0, 780, 560), nullptr);
    }
};

std::vector<Column> Columns() {
    return {{"Name", Alignment::kLeft, 130},         {"Size", Alignment::kRight, 60},
            {"Last Modified", Alignment::kLeft, 70}, {"Last Accessed", Alignment::kLeft, 90},
            {"Path", Alignment::kLeft, 120},         {"Attributes", Alignment::kLeft, 50},
            {"Type", Alignment::kLeft, 80}};
}

// Rows as a drive scan produces them: varied names, sizes and folders.
void Fill(ResultTable& table, std::size_t rows) {
    table.Reserve(rows);
    for (std::size_t i = 0; i < rows; ++i) {
        const std::string n = std::to_string(i);
        table.AppendRow(
            {static_cast<char>('a' + i % 26) + ("file" + n + ".tmp"),
             std::to_string(i * 7919 % 10000000), "12/31/2003 23:59:59", "01/15/2004 08:00:00",
             "C:\\Documents and Settings\\guest\\Temp\\" + std::to_string(i / 500) + "\\",
             i % 3 == 0 ? "A" : "AH", "TMP File"});
    }
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

int Run(std::size_t rows, int steps) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);

    ResultTable table(Columns(), 0, 4);
    const Clock::time_point buildStart = Clock::now();
    Fill(table, rows);
    const double build = MillisecondsSince(buildStart);

    BenchWindow window;
    RECT client{};
    GetClientRect(window.Handle(), &client);
    const Clock::time_point fillStart = Clock::now();
    ResultGrid grid(window.Handle(), client, 1, table);
    grid.Refresh();
    UpdateWindow(grid.Handle());
    const double fill = MillisecondsSince(fillStart);

    const HWND list = grid.Handle();
    const auto count = static_cast<long long>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    // The longest single step is how long a user's scroll keeps the window from other events.
    double longestStep = 0;
    const Clock::time_point scrollStart = Clock::now();
    for (int step = 1; step <= steps; ++step) {
        const long long item = count * step / (steps + 1);
        const Clock::time_point stepStart = Clock::now();
        SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), FALSE);
        UpdateWindow(list);
        longestStep = std::max(longestStep, MillisecondsSince(stepStart));
    }
    SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(count - 1), FALSE);
    UpdateWindow(list);
    Pump();
    const double scroll = MillisecondsSince(scrollStart);
    const auto top = SendMessageW(list, LVM_GETTOPINDEX, 0, 0);

    // A user's line-by-line scrolling: each line moves the picture and paints one new row.
    constexpr int kLines = 100;
    SendMessageW(list, LVM_ENSUREVISIBLE, 0, FALSE);
    UpdateWindow(list);
    const Clock::time_point linesStart = Clock::now();
    for (int line = 0; line < kLines; ++line) {
        const Clock::time_point stepStart = Clock::now();
        SendMessageW(list, WM_VSCROLL, SB_LINEDOWN, 0);
        UpdateWindow(list);
        longestStep = std::max(longestStep, MillisecondsSince(stepStart));
    }
    const double lines = MillisecondsSince(linesStart);

    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);

    std::printf("rows: %lld (list view items), top item at the end: %lld\n", count,
                static_cast<long long>(top));
    std::printf("model build: %.1f ms\n", build);
    std::printf("grid fill (create, Refresh, first paint): %.1f ms\n", fill);
    std::printf("grid scroll (%d steps, each painted, then the end): %.1f ms (%.2f ms a step)\n",
                steps, scroll, scroll / (steps + 1));
    std::printf("line scroll: %.2f ms a line (%d lines)\n", lines / kLines, kLines);
    std::printf("grid fill+scroll / model build = %.2f\n", (fill + scroll) / build);
    const double peak = static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0);
    std::printf("longest scroll step: %.1f ms\n", longestStep);
    std::printf("peak working set: %.1f MiB\n", peak);
    // The row of scripts/bench.sh's table.
    std::printf(
        "TABLE|Result grid: show, then %d jumps|%lld rows|building the table|%.2f s|%.2f s|"
        "%.2f|%.0f MiB|%.0f ms (a scroll step)\n",
        steps, count, (fill + scroll) / 1000, build / 1000, (fill + scroll) / build, peak,
        longestStep);
    return 0;
}

}  // namespace
}  // namespace sorvane

int main(int argc, char** argv) {
    const std::size_t rows = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 500000;
    const int steps = argc > 2 ? std::atoi(argv[2]) : 200;
    return sorvane::Run(rows, steps);
}
