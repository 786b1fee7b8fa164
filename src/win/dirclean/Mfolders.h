#pragma once
// Clean Directories: the target directories with their cleaning options and schedule. The
// table shows each target's tree; the options panel edits the selected target's options; the
// schedule panel sets the start-up and periodic cleans, whose ticks go through the pass gate.
// A clean while the window is closed runs under the progress window, where Abort stops it.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/app/PassRunner.h"
#include "core/dirclean/DirectoryCleaning.h"
#include "core/dirclean/Schedule.h"
#include "core/dirclean/TargetProfiles.h"
#include "win/framework/AppContext.h"
#include "win/dirclean/TargetOptionsPanel.h"
#include "win/framework/ToolForm.h"
#include "win/results/ListPane.h"
#include "win/widgets/AnchorLayout.h"
#include "win/widgets/FlatButton.h"
#include "win/widgets/KeyHook.h"
#include "win/widgets/MovablePanel.h"
#include "win/widgets/Slider.h"

namespace sorvane {

class TForm6 : public ToolForm {
  public:
    enum ControlId {
        kAddDirectory = 601,
        kRemoveDirectory,
        kCleanDirectory,
        kRefreshbtn,
        kAutmatebtn,
        kFoldergrid,
        kStatusBar1,
        kFolderoption,
        kGroupBox1,
        kDeletetorecycle,
        kSubinclude,
        kDelAllFiles,
        kDelFileTypes,
        kFileOfTypes,
        kAddFileType,
        kRemoveFileType,
        kFileTypesList,
        kOlderLabel,
        kOlderAmount,
        kOlderUnit,
        kButton1,
        kButton2,
        kAutopanel,
        kSorvstartbox,
        kDirtimebox,
        kMinslider,
        kMlabel,
        kHourslider,
        kHlabel,
        kButton3,
        kButton4,
        kSelectedDirectory1,
        kAllDirectories1,
    };

    // A row of the table: the target and its tree as last counted.
    struct Row {
        Target target;
        DirectoryStats stats;
    };

    explicit TForm6(AppContext& context);

    // True while the window is open and on screen: minimised, it waits in the tray.
    bool WindowShown() const { return Opened() && !IsIconic(Handle()); }
    // Cleans every target directory now.
    void CleanAll();
    // Cleans every target directory under the progress window.
    void RunUnattendedClean();
    // "Clean Selected Directories Now", and a tick of the schedule: with the window on screen
    // the clean is the window's own, otherwise it runs under the progress window. During
    // another pass it waits for that pass to end, and requests meanwhile make one clean.
    void CleanSelectedDirectoriesNow();

    HWND Control(int id) const;
    const std::vector<Row>& Rows() const { return rows_; }
    // The text of a table cell; row 0 is the first data row.
    std::string Cell(int row, int column) const { return grid_->Cell(row, column); }
    int GridRowCount() const { return grid_->Count(); }
    std::string TooltipOf(int id) { return Tips().TextOf(Control(id)); }
    const CleanSchedule& Schedule() const { return *schedule_; }
    bool FolderoptionVisible() const { return folderoption_->Visible(); }
    bool AutopanelVisible() const { return autopanel_->Visible(); }
    // A click on a cell of the table (row from 1, as the user counts them).
    void FoldergridClickCell(int row, int column);

  protected:
    void OnShown() override;
    void OnLayout(SIZE room) override;
    void OnClose() override;
    void SaveSettings() override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void FoldergridClick(const NMHDR& header);
    void FoldergridInfoTip(NMHDR& header) const;
    void CreateToolbar();
    void CreateGrid();
    void CreateFolderoption();
    void CreateAutopanel();
    Settings Store();

    void LoadPlacement();
    void ShowRows();
    void FillRow(std::size_t index);
    std::optional<std::size_t> SelectedIndex() const;

    // Counts every row's tree again; runs inside a pass.
    void RefreshRows(DirectoryCleaning& engine);
    void RefreshTable();
    void AddDirectoryClick();
    void RemoveDirectoryClick();
    void CleanSelected();
    // Says what a clean left and why: in the status bar with the window on screen, otherwise
    // as the progress window's last word and in the tray's balloon.
    void Tell(const CleanReport& report);

    bool Checked(int id) const;
    void SetChecked(int id, bool checked);
    void SaveEditedOptions();
    void AskToSaveOptions();
    void AddFileTypeClick();
    void RemoveFileTypeClick();
    void Button1Click();
    void Button2Click();

    ScheduleOptions ScheduleOfControls() const;
    void ShowSchedule(const ScheduleOptions& schedule);
    void ShowSliderLabels();
    void Button3Click();
    void Button4Click();

    AnchorLayout layout_;
    std::unique_ptr<FlatButton> cleanDirectory_;
    std::unique_ptr<ListPane> grid_;
    std::unique_ptr<TargetOptionsPanel> folderoption_;
    std::unique_ptr<MovablePanel> autopanel_;
    std::unique_ptr<Slider> minslider_;
    std::unique_ptr<Slider> hourslider_;
    std::vector<std::unique_ptr<KeyHook>> keys_;
    std::unique_ptr<CleanSchedule> schedule_;

    std::vector<Row> rows_;
    std::optional<Target> editedTarget_;  // the target the options panel edits
    bool optionsChanged_ = false;
    // A clean of all targets runs with nobody at the window: Abort may stop it.
    bool unattendedRun_ = false;
};

}  // namespace sorvane
