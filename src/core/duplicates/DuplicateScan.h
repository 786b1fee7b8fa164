#pragma once
// The Find Duplicate Files scan: walks the chosen drives and directories (each directory once,
// junctions and links not descended), keeps the files no excluded mask names, groups those that
// agree on every chosen criterion wherever they stand in name order, and writes the groups into
// the result table, numbered and coloured. "The Same Content" is byte-for-byte equality; the
// content comparison reads only files that share their size with another, and each of them at
// most once. It runs on the user-interface thread as a pass of the window's runner, letting
// events run every 15 ms in every phase; Stop ends any phase with the table as it was.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/app/PassRunner.h"
#include "core/platform/Platform.h"
#include "core/results/ResultTable.h"

namespace sorvane {

inline constexpr char kDupIdleTitle[] = "Find Duplicate Files";
inline constexpr char kDupPreparingPhase[] = "Preparing the directory list";
inline constexpr char kDupScanningPhase[] = "Scanning files";
inline constexpr char kDupComparingPhase[] = "Comparing files";

// Background colours of the groups (blue * 65536 + green * 256 + red): even groups yellow,
// odd ones aqua, on black text.
inline constexpr std::uint32_t kEvenGroupColor = 0x00FFFF;
inline constexpr std::uint32_t kOddGroupColor = 0xFFFF00;

// The columns of the results: group number, name (with the check box), size, date, path, type.
inline constexpr std::size_t kDupGroupColumn = 0;
inline constexpr std::size_t kDupNameColumn = 1;
inline constexpr std::size_t kDupPathColumn = 4;

// The empty result table with its six columns and default widths.
ResultTable DuplicateTable();

struct DuplicateCriteria {
    // Drives ("C:") and directories without a trailing backslash.
    std::vector<std::string> locations;
    // Lower-case masks; only "*" followed by a whole extension ("*.txt", or "*" for names
    // without one) ever matches.
    std::vector<std::string> excludedMasks;
    bool sameName = true;  // letter case counts
    bool sameSize = true;
    bool sameDate = true;  // the date text as the table shows it
    bool sameContent = false;
};

enum class DuplicateScanOutcome {
    kNoLocation,     // nothing scanned; the message has been shown
    kNoCriterion,    // nothing scanned; the message has been shown
    kBusy,           // another pass runs
    kStopped,        // the table is as it was
    kNoDirectories,  // the table is as it was
    kNoFiles,        // the table is as it was
    kNoneFound,      // the table is as it was
    kFound,          // the table holds the groups
};

struct DuplicateScanResult {
    DuplicateScanOutcome outcome = DuplicateScanOutcome::kNoneFound;
    std::size_t count = 0;  // result rows
    std::size_t groups = 0;
    std::size_t unreadable = 0;  // files the content comparison could not read to the end
};

// The status bar's text once a scan is over.
std::string StatusTextOf(const DuplicateScanResult& result);

// The files of the results as they were compared, so that an action can tell a file that has
// changed since (another size or last-write time) from the one the user saw judged.
class JudgedFiles {
  public:
    void Clear() { files_.clear(); }
    void Swap(JudgedFiles& other) { files_.swap(other.files_); }
    // Room for this many files, so that a long fill never rehashes them all at once.
    void Reserve(std::size_t files) { files_.reserve(files); }
    // Empties it a piece at a time, calling `pulse` between pieces.
    void Release(const std::function<void()>& pulse);
    void Add(std::string path, std::uint64_t size, FileTime written);
    // True while `path` is a file of the results with the size and last-write time it had.
    bool Unchanged(IFileSystem& fs, const std::string& path) const;
    // A file moved with its contents unchanged is still the one judged at its new place.
    void Moved(const std::string& from, const std::string& to);

  private:
    struct State {
        std::uint64_t size = 0;
        FileTime written;
    };
    std::unordered_map<std::string, State> files_;  // by path with upper-case ASCII letters
};

class DuplicateScan {
  public:
    DuplicateScan(Platform& platform, PassRunner& runner);

    // Runs a whole scan. On kFound the table's rows are replaced by the groups and `judged`
    // holds their files; otherwise both are left as they were.
    DuplicateScanResult Run(const DuplicateCriteria& criteria, ResultTable& table,
                            JudgedFiles& judged);

  private:
    Platform& platform_;
    PassRunner& runner_;
};

}  // namespace sorvane
