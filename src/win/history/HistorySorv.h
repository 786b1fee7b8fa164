#pragma once
// Cleaning History: the runs of the history file, newest first, narrowed by tool and by a text
// in the path; the files of the selected run in the result grid, with their folder opened in
// Explorer, recycled files restored to their places, and the list saved as a report.
#include <functional>
#include <memory>
#include <vector>

#include "core/history/HistoryView.h"
#include "core/results/ResultTable.h"
#include "core/settings/StoredOptions.h"
#include "core/utils/TimeSlicedPump.h"
#include "win/framework/ToolForm.h"
#include "win/results/ListPane.h"
#include "win/results/TableSaver.h"
#include "win/widgets/AnchorLayout.h"
#include "win/widgets/FlatButton.h"
#include "win/widgets/KeyHook.h"
#include "win/widgets/ResultGrid.h"

namespace sorvane {

class TForm10 : public ToolForm {
  public:
    enum ControlId {
        kToolLabel = 1001,
        kToolbox,
        kPathLabel,
        kPathedit,
        kFilterbtn,
        kRunlist,
        kFilegrid,
        kOpenbtn,
        kRestorebtn,
        kSavebtn,
        kStatHistory,
        kSaveHtml,
        kSaveText,
    };

    explicit TForm10(AppContext& context);
    ~TForm10() override;

    HWND Control(int id) const;
    ResultTable& Table() { return table_; }
    ListPane& Runs() { return *runs_; }
    TableSaver& Saver() { return *saver_; }
    // Reads the history file anew and shows it.
    void Reload();

  protected:
    void OnShown() override;
    void OnLayout(SIZE room) override;
    void SaveSettings() override;

  private:
    void CreateControls();
    void ApplyFilter();
    void ShowRuns();
    void ShowSelectedRun();
    void OpenFolder();
    void RestoreFiles();
    // `action` as an event starts it: not while another one is reading the history.
    std::function<void()> Guarded(void (TForm10::*action)());
    // The checked rows' lines, or the selected row's when none is checked.
    std::vector<HistoryLine> ChosenLines() const;

    ResultTable table_;
    HistoryView view_;
    AnchorLayout layout_;
    std::unique_ptr<ListPane> runs_;
    std::unique_ptr<ResultGrid> grid_;
    std::unique_ptr<FlatButton> save_;
    std::unique_ptr<TableSaver> saver_;
    std::unique_ptr<StoredOptions> storage_;
    std::unique_ptr<KeyHook> enterKey_;
    std::size_t shownRun_ = static_cast<std::size_t>(-1);
    TimeSlicedPump pump_;
    bool busy_ = false;
};

}  // namespace sorvane
