#pragma once
// The cleaning history: what every tool recycled, deleted for good, moved, kept or restored, as
// lines of a UTF-8 CSV file beside the settings file, one run per action or clean. Lines are
// written in batches and flushed when a run ends, so a crash keeps all up to the last batch;
// the oldest runs go once the file passes its age or size limit. A history that cannot be
// written never stops the work that records into it: the run's end says so once.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/platform/Clock.h"
#include "core/platform/FileSystem.h"

namespace sorvane {

inline constexpr char kHistoryFileName[] = "Sorvane History.csv";
inline constexpr char kHistoryHeader[] = "Run,Time,Tool,Action,Path,Size,Detail";

// The tools as the history names them.
namespace tool {
inline constexpr char kCleanDrives[] = "Clean Drive(s)";
inline constexpr char kCleanDirectories[] = "Clean Directories";
inline constexpr char kFindDuplicates[] = "Find Duplicate Files";
inline constexpr char kCheckShortcuts[] = "Check Shortcuts";
inline constexpr char kHistory[] = "Cleaning History";  // restores
}  // namespace tool

enum class HistoryAction { kRecycled, kDeleted, kMoved, kKept, kLeftForAge, kRestored };

// "Recycled", "Deleted permanently", "Moved", "Kept", "Left for age", "Restored".
std::string_view ActionText(HistoryAction action);
std::optional<HistoryAction> ActionFromText(std::string_view text);

// Why a file was kept, as the Detail column says it.
namespace kept {
inline constexpr char kNoRecycleBin[] = "No recycle bin";
inline constexpr char kChanged[] = "Changed since the scan";
inline constexpr char kNotDeleted[] = "Could not be deleted";
inline constexpr char kNotMoved[] = "Could not be moved";
inline constexpr char kTargetExists[] = "A file of that name is at the destination";
}  // namespace kept

struct HistoryOptions {
    bool enabled = true;
    int days = 90;       // runs older than this go
    int megabytes = 20;  // beyond this size the oldest runs go
};

class CleaningHistory;

// The entries of one action or clean. Ends, and so writes what is left, when it goes.
class HistoryRun {
  public:
    HistoryRun(HistoryRun&& other) noexcept;
    HistoryRun& operator=(HistoryRun&&) = delete;
    ~HistoryRun();

    void Record(HistoryAction action, const std::string& path, std::uint64_t size,
                const std::string& detail = {});
    // Writes what is left and trims the file to its limits. Returns a sentence for the status
    // when the history could not be written (once, until it can be again); empty otherwise.
    std::string End();

  private:
    friend class CleaningHistory;
    HistoryRun(CleaningHistory* history, std::uint64_t id, std::string tool)
        : history_(history), id_(std::to_string(id)), tool_(std::move(tool)) {}
    void Flush();

    CleaningHistory* history_;  // null: nothing is recorded
    std::string id_;
    std::string tool_;
    // The time of the last record, and as it is written: a clean records many files a second.
    DateTime time_;
    std::string timeText_;
    std::string lines_;
    bool wrote_ = false;
};

class CleaningHistory {
  public:
    CleaningHistory(IFileSystem& fs, IClock& clock) : fs_(fs), clock_(clock) {}
    CleaningHistory(const CleaningHistory&) = delete;
    CleaningHistory& operator=(const CleaningHistory&) = delete;

    // The file, and how long it keeps; an empty path records nothing.
    void Configure(std::string path, const HistoryOptions& options);
    const std::string& Path() const { return path_; }
    bool Enabled() const { return options_.enabled && !path_.empty(); }

    // Starts a run of `tool`; while the history is off, a run that records nothing.
    HistoryRun Begin(std::string tool);

    // Lines are written once a run has this many bytes waiting.
    static constexpr std::size_t kBatchBytes = 64 * 1024;

  private:
    friend class HistoryRun;
    // Appends to the file, starting it with its header; false (remembered) when refused.
    bool Append(const std::string& lines);
    void Trim();
    std::string TakeTrouble();
    std::optional<std::uint64_t> FileSize();
    std::uint64_t LastRunId();
    // The time of the file's first run, from its first lines.
    std::optional<std::string> OldestRunTime();

    IFileSystem& fs_;
    IClock& clock_;
    std::string path_;
    HistoryOptions options_;
    std::optional<std::uint64_t> lastId_;
    std::optional<std::uint64_t> size_;
    std::optional<std::string> oldest_;  // the time of the first run in the file
    std::string trouble_;
    bool troubleSaid_ = false;
};

// "2024-06-15 12:00:00": sorts as text in time order and reads as a date in a spreadsheet.
std::string HistoryTimeText(const DateTime& time);
// `time` moved back by whole days, by the calendar.
DateTime DaysBefore(const DateTime& time, int days);

}  // namespace sorvane
