#pragma once
// Clean Drive(s): files on chosen drives and directories that meet mask, size, date and
// attribute criteria. The first page holds the criteria (ScanOptionsPage); the second runs the
// scan and shows its results, which can be checked, deleted, moved and saved as a report.
#include <memory>
#include <optional>
#include <string>

#include "app/AppContext.h"
#include "app/Form.h"
#include "driveclean/CleanDriIds.h"
#include "driveclean/ScanOptionsPage.h"
#include "results/ActionFeedback.h"
#include "results/DestinationPanel.h"
#include "results/FileActions.h"
#include "results/ResultTable.h"
#include "results/TableSaver.h"
#include "settings/StoredOptions.h"
#include "widgets/BusyCursor.h"
#include "widgets/FlatButton.h"
#include "widgets/PageControl.h"
#include "widgets/ResultGrid.h"

namespace sorvane {

class TForm8 : public Form, private IActionFeedback {
  public:
    explicit TForm8(AppContext& context);
    ~TForm8() override;

    // Any control of the window by its number; for a check-box group, its title check box.
    HWND Control(int id) const;
    ScanOptionsPage& Options() { return *options_; }
    PageControl& Pages() { return *pages_; }
    ResultTable& Table() { return table_; }
    ResultGrid& Cleangrid() { return *cleangrid_; }
    DestinationPanel& Destination() { return *destination_; }
    TableSaver& Saver() { return *saver_; }
    HMENU MenuOf(int buttonId) const;
    std::string TooltipOf(int id) { return Tips().TextOf(Control(id)); }
    std::string StatusText() const;
    bool Scanning() const { return scanning_; }

  protected:
    void OnShowing() override;
    void OnClosing() override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void CreateStatusBar();
    void CreateResultsPage(HWND page);
    void Restore();
    void Save();
    void Layout();

    void CscanbtnClick();
    void OnCommand(int id, int code);
    void SelectdirbtnClick();

    // Dragging a directory from the tree onto the scan locations.
    void BeginDrag();
    void EndDrag(bool drop);

    // ---- IActionFeedback
    void SetStatus(const std::string& text) override;
    void SetBusy(bool busy) override;

    AppContext& context_;
    ResultTable table_;
    HWND stat2_ = nullptr;
    std::unique_ptr<PageControl> pages_;
    std::unique_ptr<ScanOptionsPage> options_;
    std::unique_ptr<ResultGrid> cleangrid_;
    std::unique_ptr<FlatButton> ccheckbtn_;
    std::unique_ptr<FlatButton> cdeletebtn_;
    std::unique_ptr<FlatButton> cmovebtn_;
    std::unique_ptr<FlatButton> csavebtn_;
    std::unique_ptr<DestinationPanel> destination_;
    std::unique_ptr<FileActions> actions_;
    std::unique_ptr<MoveCommands> moves_;
    std::unique_ptr<TableSaver> saver_;
    std::unique_ptr<StoredOptions> cleanstorage_;
    std::optional<BusyCursor> busy_;
    // The running flag: up from Scan until Stop, the end of the scan or closing the window.
    bool running_ = false;
    bool scanning_ = false;
    bool dragging_ = false;
    // How the window comes up the next time it is shown: as its placement was saved.
    int showCmd_ = SW_SHOWNORMAL;
};

}  // namespace sorvane
