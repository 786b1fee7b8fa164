#pragma once
// The delete and move actions the Clean Drive(s) and Find Duplicate Files windows share, and the
// logic of their destination panel. Each runs on the window's own result table and reports to
// its status bar; what the shell claims is checked against the disk before a row changes.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "core/platform/Platform.h"
#include "core/app/PassRunner.h"
#include "core/history/CleaningHistory.h"
#include "core/results/ResultTable.h"
#include "core/utils/TimeSlicedPump.h"

namespace sorvane {

inline constexpr char kSelectFileFirst[] = "Please select a file by clicking on a cell.";
inline constexpr char kDestinationNotFull[] =
    "The destination must be a full path, such as C:\\Backup.";

// What a window whose rows come in groups of copies adds to the actions: the column holding the
// group number, and whether a file is still the one that was judged a copy.
struct RowGroups {
    std::size_t column = 0;
    std::function<bool(const std::string& path)> unchanged;
    // A file went from one path to another.
    std::function<void(const std::string& from, const std::string& to)> moved;
};

// The question before an action would leave no copy of the files of `groups` groups.
std::string LastCopyQuestion(std::size_t groups);

class FileActions {
  public:
    // Each action is one run of `tool` in the cleaning history.
    FileActions(Platform& platform, ResultTable& table, PassRunner& runner,
                CleaningHistory& history, std::string tool);

    // From now on the actions keep the last copy of each group unless the user says otherwise,
    // and skip files that changed since they were judged.
    void SetGroups(RowGroups groups) { groups_ = std::move(groups); }

    // `recycle` is RecycleOption as General Options holds it now: the recycle bin when true,
    // permanent removal when false.
    void DeleteSelected(bool recycle);
    void DeleteChecked(bool recycle);
    void DeleteAll(bool recycle);

    // `destination` is the directory as the destination panel holds it, without a trailing
    // backslash.
    void MoveSelected(const std::string& destination);
    void MoveChecked(const std::string& destination);

  private:
    // Runs `action` as a pass of the window, so that nothing else starts while the shell
    // works, and as one run of the history; the status it set is followed by a word on a
    // history that could not be written.
    void AsPass(const std::function<void(HistoryRun& run)>& action);
    // False, with a word in the status bar, while another pass runs: nothing is asked then.
    bool Idle();
    // Each action settles the files it will act on before it asks, and afterwards finds their
    // rows by full path: the table may have been refilled, sorted or cut while the question
    // was open, and a row number taken before may now show another file.
    std::vector<std::string> PathsOfRows(bool checkedOnly) const;
    std::vector<std::size_t> RowsShowing(const std::vector<std::string>& paths) const;
    void MoveRowsTo(const std::vector<std::string>& sources, const std::string& destination);
    void DeleteRows(bool recycle, bool checkedOnly, const std::string& question);
    // `sizes` are those of the files of `paths`, for the history.
    void Recycle(const std::vector<std::string>& paths, const std::vector<std::uint64_t>& sizes,
                 HistoryRun& run);
    // Whether the file really went from `source` to `target`, whatever the shell said.
    bool Moved(const std::string& source, const std::string& target);

    // The number of groups that would keep no copy once the files of `paths` are gone; 0
    // without groups.
    std::size_t GroupsLeftWithoutCopy(const std::vector<std::string>& paths) const;
    // Asks about losing the last copies first; true when the action may go on.
    bool KeepsACopyOrMayGo(const std::vector<std::string>& paths);
    // False for a file that changed since it was judged; it is counted and recorded as kept.
    bool StillJudged(const std::string& path, HistoryRun& run);
    // Sets the status, remembered so that a word on the history can follow it.
    void Say(const std::string& status);
    // " Skipped 2 changed files." when files were skipped as changed.
    std::string ChangedNote() const;

    Platform& platform_;
    ResultTable& table_;
    PassRunner& runner_;
    CleaningHistory& history_;
    std::string tool_;
    std::string status_;  // what the running action last said
    // A bulk action checks and acts file by file: events run every 15 ms meanwhile.
    TimeSlicedPump pump_;
    RowGroups groups_;
    std::size_t changed_ = 0;  // files skipped as changed in the running action
};

// What the Move menu commands are waiting for while the destination panel is open.
enum class PendingMove { kNone = 0, kSelected = 1, kChecked = 2, kSetOnly = 3 };

// The destination panel as the window shows it.
class IDestinationPanel {
  public:
    virtual ~IDestinationPanel() = default;
    // The destination edit.
    virtual std::string Destination() = 0;
    virtual void SetDestination(const std::string& text) = 0;
    // The "Always Use This Directory" check box.
    virtual bool Always() = 0;
    virtual void SetAlways(bool always) = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
};

// The Move menu and the destination panel's buttons. The directory picker is the window's:
// it hands the chosen directory to DirectoryChosen.
class MoveCommands {
  public:
    MoveCommands(FileActions& actions, Platform& platform, IDestinationPanel& panel);

    // Move > "Selected File" (kSelected) or "All Checked Files" (kChecked): moves at once when
    // a destination is set and Always is checked, otherwise opens the panel first.
    void Move(PendingMove move);
    // Move > "Set/Edit Destination Directory".
    void EditDestination();
    // The picker closed with OK on `path`.
    void DirectoryChosen(const std::string& path);
    // "Accept": settles the destination, creating it when asked, then runs the pending move.
    void Accept();
    // "Cancel": the panel's state as it was when it opened.
    void Cancel();

    PendingMove Pending() const { return pending_; }

  private:
    void Open(bool rememberedAlways);
    void CarryOut();

    FileActions& actions_;
    Platform& platform_;
    IDestinationPanel& panel_;
    PendingMove pending_ = PendingMove::kNone;
    std::string rememberedDestination_;
    bool rememberedAlways_ = false;
};

}  // namespace sorvane
