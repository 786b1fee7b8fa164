#pragma once
// Clean Drive(s): files on chosen drives and directories that meet mask, size, date and
// attribute criteria. The first page holds the criteria (ScanOptionsPage); the second runs the
// scan and shows its results, which can be checked, deleted, moved and saved as a report.
#include <memory>
#include <optional>
#include <string>

#include "win/app/AppContext.h"
#include "win/app/Form.h"
#include "win/driveclean/CleanDriIds.h"
#include "win/driveclean/ScanOptionsPage.h"
#include "win/results/DestinationPanel.h"
#include "core/results/FileActions.h"
#include "core/results/ResultTable.h"
#include "win/results/TableSaver.h"
#include "core/settings/StoredOptions.h"
#include "win/widgets/BusyCursor.h"
#include "win/widgets/FlatButton.h"
#include "win/widgets/PageControl.h"
#include "win/widgets/ResultGrid.h"

namespace sorvane {

class TForm8 : public Form, private IPassView {
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
    bool Scanning() const { return runner_.Active(); }

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

    // ---- IPassView
    void SetStatus(const std::string& text) override;
    void SetCaption(const std::string& text) override;
    void SetBusy(bool busy, bool stoppable) override;

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
    PassRunner runner_;
    bool dragging_ = false;
    // How the window comes up the next time it is shown: as its placement was saved.
    int showCmd_ = SW_SHOWNORMAL;
};

}  // namespace sorvane
