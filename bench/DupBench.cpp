// Find Duplicate Files, content only, on a real tree: the best time of several scans with the
// table filled (warm cache) against the floor of a reader of one file at a time (a bare walk,
// then one open, one read of up to a first block and one close of every file that shares its
// size with another, in plain Win32 calls; rounds alternate which goes first), the bytes the
// comparison reads against what it may read (every such file, plus one first block for each),
// the peak working set, and the longest stretch without letting events run in each phase
// (through the real Win32 event pump). Writes the groups found, case-folded and sorted, for a
// comparison with another finder (bench/dup-vs-jdupes.sh).
//   DupBench <directory> [rounds] [groups file]     (make one with bench/make-dup-tree.py)
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "BareWalk.h"
#include "BenchPaths.h"
#include "ForwardingFileSystem.h"
#include "core/app/SharedValues.h"
#include "core/duplicates/DuplicateScan.h"
#include "win/platform/Utf.h"
#include "win/platform/WinHandles.h"
#include "win/platform/WinPlatform.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

using bench::ForwardingFileSystem;
using bench::WindowsPath;

std::uint64_t SizeOf(const WIN32_FIND_DATAW& data) {
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Files by size (empty files are never compared): what the comparison may read.
using SizeCounts = std::unordered_map<std::uint64_t, std::uint64_t>;

// The floor: a bare walk, and every file that shares its size with another opened, read up to
// its first block and closed, one at a time. The sizes come from an earlier walk, for free.
std::size_t Floor(const std::wstring& root, const SizeCounts& sizes) {
    bench::TreeCount count;
    std::size_t opened = 0;
    std::vector<char> block(4096);
    bench::BareWalk(root, count, [&](const std::wstring& dir, const WIN32_FIND_DATAW& data) {
        const std::uint64_t size = SizeOf(data);
        const auto shared = sizes.find(size);
        if (size == 0 || shared == sizes.end() || shared->second < 2) return;
        const sorvane::UniqueFile file(CreateFileW((dir + L"\\" + data.cFileName).c_str(),
                                                   GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                                   nullptr));
        DWORD got = 0;
        if (file &&
            ReadFile(file.Get(), block.data(), static_cast<DWORD>(block.size()), &got, nullptr)) {
            ++opened;
        }
    });
    return opened;
}

// Calls into the file system during a scan: how many, and how long they took in all.
struct CallTimes {
    std::size_t count = 0;
    Clock::duration spent{};
    Clock::duration longest{};
};
enum Call { kOpen, kRead, kSeek, kIdentity, kClose, kList, kCalls };
constexpr const char* kCallNames[kCalls] = {"open", "read", "seek", "identity", "close", "list"};

struct FileCalls {
    std::uint64_t bytes = 0;  // read
    CallTimes calls[kCalls];
};

// Times one call into the file system.
class Timed {
  public:
    Timed(FileCalls& into, Call call) : times_(into.calls[call]), start_(Clock::now()) {}
    ~Timed() {
        const auto took = Clock::now() - start_;
        ++times_.count;
        times_.spent += took;
        times_.longest = std::max(times_.longest, took);
    }
    Timed(const Timed&) = delete;
    Timed& operator=(const Timed&) = delete;

  private:
    CallTimes& times_;
    Clock::time_point start_;
};

// The real reader, counting what it hands out.
class CountingReader final : public sorvane::IFileReader {
  public:
    CountingReader(std::unique_ptr<sorvane::IFileReader> inner, FileCalls& calls)
        : inner_(std::move(inner)), calls_(calls) {}
    ~CountingReader() override {
        const Timed timed(calls_, kClose);
        inner_.reset();
    }
    CountingReader(const CountingReader&) = delete;
    CountingReader& operator=(const CountingReader&) = delete;
    std::optional<std::size_t> Read(void* buffer, std::size_t count) override {
        const Timed timed(calls_, kRead);
        const auto got = inner_->Read(buffer, count);
        if (got) calls_.bytes += *got;
        return got;
    }
    bool Seek(std::uint64_t offset) override {
        const Timed timed(calls_, kSeek);
        return inner_->Seek(offset);
    }

  private:
    std::unique_ptr<sorvane::IFileReader> inner_;
    FileCalls& calls_;
};

// The real listing, timed.
class TimedFind final : public sorvane::IFindHandle {
  public:
    TimedFind(std::unique_ptr<sorvane::IFindHandle> inner, FileCalls& calls)
        : inner_(std::move(inner)), calls_(calls) {}
    bool Next(sorvane::FindData& out) override {
        const Timed timed(calls_, kList);
        return inner_->Next(out);
    }

  private:
    std::unique_ptr<sorvane::IFindHandle> inner_;
    FileCalls& calls_;
};

// The real file system, its readers counted and its calls timed.
class CountingFileSystem final : public ForwardingFileSystem {
  public:
    explicit CountingFileSystem(sorvane::IFileSystem& inner) : ForwardingFileSystem(inner) {}
    FileCalls calls;

    std::unique_ptr<sorvane::IFindHandle> FindFirst(const std::string& pattern,
                                                    sorvane::FindData& first) override {
        std::unique_ptr<sorvane::IFindHandle> found;
        {
            const Timed timed(calls, kList);
            found = inner_.FindFirst(pattern, first);
        }
        if (!found) return nullptr;
        return std::make_unique<TimedFind>(std::move(found), calls);
    }
    std::unique_ptr<sorvane::IFileReader> OpenRead(const std::string& path) override {
        std::unique_ptr<sorvane::IFileReader> reader;
        {
            const Timed timed(calls, kOpen);
            reader = inner_.OpenRead(path);
        }
        if (!reader) return nullptr;
        return std::make_unique<CountingReader>(std::move(reader), calls);
    }
    std::optional<sorvane::FileIdentity> Identity(const std::string& path) override {
        const Timed timed(calls, kIdentity);
        return inner_.Identity(path);
    }
};

// The phases of a scan as its window sees them: the caption names the phase; the comparison
// puts its progress in the status at every turn and filling the table does not, which tells
// the two apart.
struct Phase {
    std::string name;
    Clock::time_point start;
    double longestGapMs = 0;
    std::size_t turns = 0;
};

class PhaseView final : public sorvane::IPassView {
  public:
    std::vector<Phase> phases;
    bool statusSinceTurn = false;
    // Counts the stretch since the last turn in the phase that ends.
    std::function<void()> beforeChange;

    void SetStatus(const std::string&) override { statusSinceTurn = true; }
    void SetCaption(const std::string& text) override {
        const std::string prefix = sorvane::kCaptionPrefix;
        const bool prefixed = text.compare(0, prefix.size(), prefix) == 0;
        if (beforeChange) beforeChange();
        phases.push_back({prefixed ? text.substr(prefix.size()) : text, Clock::now()});
    }
    void SetBusy(bool, bool) override {}
};

// The program's event pump, noting the longest stretch between two of its turns by phase.
class GapPump final : public sorvane::IEventPump {
  public:
    GapPump(sorvane::IEventPump& inner, PhaseView& view) : inner_(inner), view_(view) {}
    void Start() { last_ = Clock::now(); }
    void ProcessPending() override {
        if (!view_.phases.empty() && view_.phases.back().name == sorvane::kDupComparingPhase &&
            !view_.statusSinceTurn) {
            view_.phases.push_back({"Filling the table", last_});
        }
        view_.statusSinceTurn = false;
        Note();
        if (!view_.phases.empty()) ++view_.phases.back().turns;
        inner_.ProcessPending();
        last_ = Clock::now();
    }
    // Counts the stretch from the last turn up to now in the phase under way.
    void Note() {
        if (view_.phases.empty()) return;
        Phase& phase = view_.phases.back();
        const double gap = std::chrono::duration<double, std::milli>(Clock::now() - last_).count();
        phase.longestGapMs = std::max(phase.longestGapMs, gap);
    }

  private:
    sorvane::IEventPump& inner_;
    PhaseView& view_;
    Clock::time_point last_ = Clock::now();
};

std::string Folded(const std::string& text) {
    std::wstring wide = sorvane::Widen(text);
    CharLowerBuffW(wide.data(), static_cast<DWORD>(wide.size()));
    return sorvane::Narrow(wide);
}

// The groups of the table, each as its sorted, case-folded full paths, in sorted order.
std::vector<std::vector<std::string>> GroupsOf(const sorvane::ResultTable& table) {
    std::map<std::string, std::vector<std::string>> byNumber;
    if (!table.Empty()) {
        for (std::size_t row = 1; row < table.RowCount(); ++row) {
            byNumber[table.Cell(row, sorvane::kDupGroupColumn)].push_back(
                Folded(table.FullPath(row)));
        }
    }
    std::vector<std::vector<std::string>> groups;
    for (auto& [number, paths] : byNumber) {
        std::sort(paths.begin(), paths.end());
        groups.push_back(std::move(paths));
    }
    std::sort(groups.begin(), groups.end());
    return groups;
}

double MiB(double bytes) {
    return bytes / (1024.0 * 1024.0);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: DupBench <directory> [rounds] [groups file]\n");
        return 2;
    }
    const std::string root = WindowsPath(argv[1]);
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    const std::string groupsFile = argc > 3 ? WindowsPath(argv[3]) : "";

    // What the comparison may read: every file that shares its size with another, once, plus
    // a first block for each. The listing also warms the cache of the directories.
    std::uint64_t bound = 0;
    std::uint64_t candidates = 0;
    std::uint64_t listed = 0;
    std::uint64_t totalBytes = 0;
    SizeCounts sizes;
    bench::TreeCount tree;
    bench::BareWalk(sorvane::Widen(root), tree,
                    [&sizes](const std::wstring&, const WIN32_FIND_DATAW& data) {
                        if (SizeOf(data) > 0) ++sizes[SizeOf(data)];
                    });
    for (const auto& [size, files] : sizes) {
        listed += files;
        totalBytes += files * size;
        if (files < 2) continue;
        candidates += files;
        bound += files * (size + 4096);
    }
    std::printf("%s: %llu files that are not empty, %llu of them share their size with another\n",
                root.c_str(), static_cast<unsigned long long>(listed),
                static_cast<unsigned long long>(candidates));
    std::fflush(stdout);

    sorvane::WinPlatform windows("Sorvane v2.03");
    const sorvane::Platform& real = windows.Get();
    CountingFileSystem fs(real.fs);
    PhaseView view;
    GapPump pump(real.pump, view);
    view.beforeChange = [&pump] { pump.Note(); };
    sorvane::Platform platform{
        fs,          real.drives, real.shell,  real.system,  real.registry, real.settings,
        real.locale, real.clock,  real.timers, real.prompts, pump};
    sorvane::DuplicateCriteria criteria;
    criteria.locations = {root};
    criteria.sameName = false;
    criteria.sameSize = false;
    criteria.sameDate = false;
    criteria.sameContent = true;

    double best = 0;
    double bestFloor = 0;
    std::uint64_t mostRead = 0;
    double longestGap = 0;
    std::size_t rows = 0;
    std::size_t groupCount = 0;
    std::vector<std::vector<std::string>> groups;
    for (int round = 1; round <= rounds; ++round) {
        sorvane::ResultTable table = sorvane::DuplicateTable();
        sorvane::JudgedFiles judged;
        sorvane::PassGate gate;
        sorvane::PassRunner runner(gate, view);
        sorvane::DuplicateScan scan(platform, runner);
        double floor = 0;
        std::size_t opened = 0;
        const auto doFloor = [&] {
            const auto start = Clock::now();
            opened = Floor(sorvane::Widen(root), sizes);
            floor = Seconds(Clock::now() - start);
        };
        // Alternating which goes first, so the caches favour neither.
        if (round % 2 == 0) doFloor();
        view.phases.clear();
        fs.calls = {};
        const auto start = Clock::now();
        pump.Start();
        const sorvane::DuplicateScanResult result = scan.Run(criteria, table, judged);
        const auto end = Clock::now();
        const double took = Seconds(end - start);
        if (round % 2 == 1) doFloor();

        best = round == 1 ? took : std::min(best, took);
        bestFloor = round == 1 ? floor : std::min(bestFloor, floor);
        std::printf("round %d: floor %.2f s (%zu files opened and read), scan / floor %.2f\n",
                    round, floor, opened, took / floor);
        mostRead = std::max(mostRead, fs.calls.bytes);
        rows = result.count;
        groupCount = result.groups;
        std::printf(
            "round %d: %.2f s, %zu rows in %zu groups, %zu files unreadable, %llu bytes read\n",
            round, took, result.count, result.groups, result.unreadable,
            static_cast<unsigned long long>(fs.calls.bytes));
        std::printf("  file system calls:");
        for (int call = 0; call < kCalls; ++call) {
            const CallTimes& times = fs.calls.calls[call];
            std::printf(" %s %zu in %.2f s (longest %.1f ms)%s", kCallNames[call], times.count,
                        Seconds(times.spent), Seconds(times.longest) * 1000,
                        call + 1 < kCalls ? "," : "\n");
        }
        // The last caption is the idle title, set once the scan is over.
        for (std::size_t i = 0; i + 1 < view.phases.size(); ++i) {
            const Phase& phase = view.phases[i];
            std::printf("  %-30s %6.2f s, %6zu turns, longest gap %5.1f ms\n", phase.name.c_str(),
                        Seconds(view.phases[i + 1].start - phase.start), phase.turns,
                        phase.longestGapMs);
            longestGap = std::max(longestGap, phase.longestGapMs);
        }
        if (round == rounds) groups = GroupsOf(table);
    }

    if (!groupsFile.empty()) {
        std::ofstream out(std::filesystem::path(sorvane::Widen(groupsFile)), std::ios::binary);
        for (const auto& group : groups) {
            for (const auto& path : group) out << path << '\n';
            out << '\n';
        }
    }

    PROCESS_MEMORY_COUNTERS memory{};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    std::printf("best of %d: %.2f s, %zu rows, %zu groups\n", rounds, best, rows, groupCount);
    std::printf(
        "floor (walk, one open, read and close of each file sharing a size): best %.2f s; "
        "scan / floor = %.2f\n",
        bestFloor, best / bestFloor);
    std::printf("bytes read: %llu, bound %llu (%.3f of it)\n",
                static_cast<unsigned long long>(mostRead), static_cast<unsigned long long>(bound),
                bound > 0 ? static_cast<double>(mostRead) / static_cast<double>(bound) : 0.0);
    std::printf("longest gap between event turns: %.1f ms (target 50 ms or less)\n", longestGap);
    std::printf("peak working set: %.1f MiB\n",
                MiB(static_cast<double>(memory.PeakWorkingSetSize)));
    // One line for bench/dup-vs-jdupes.sh, and the row of scripts/bench.sh's table.
    const double peak = MiB(static_cast<double>(memory.PeakWorkingSetSize));
    std::printf(
        "RESULT seconds=%.3f floor=%.3f rows=%zu groups=%zu read=%llu bound=%llu gap_ms=%.1f "
        "peak_mib=%.1f\n",
        best, bestFloor, rows, groupCount, static_cast<unsigned long long>(mostRead),
        static_cast<unsigned long long>(bound), longestGap, peak);
    std::printf("SIZE %llu files, %.2f GB, %zu groups\n", static_cast<unsigned long long>(listed),
                static_cast<double>(totalBytes) / 1e9, groupCount);
    std::printf(
        "TABLE|Find Duplicate Files, content only|%llu files, %.2f GB, %zu groups|"
        "floor: walk + open, read, close of each|%.2f s|%.2f s|%.2f|%.0f MiB|%.0f ms\n",
        static_cast<unsigned long long>(listed), static_cast<double>(totalBytes) / 1e9, groupCount,
        best, bestFloor, best / bestFloor, peak, longestGap);
    return 0;
}
