#pragma once
// Clean Drive(s): files on chosen drives and directories that meet mask, size, date and
// attribute criteria. The first page holds the criteria (ScanOptionsPage); the second runs the
// scan and shows its results in the results pane, where they can be checked, deleted, moved
// and saved as a report.
#include <memory>
#include <optional>
#include <string>

#include "core/results/ResultTable.h"
#include "core/settings/StoredOptions.h"
#include "win/driveclean/CleanDriIds.h"
#include "win/driveclean/ScanOptionsPage.h"
#include "win/framework/ToolForm.h"
#include "win/results/ResultsPane.h"
#include "win/widgets/AnchorLayout.h"
#include "win/widgets/PageControl.h"
#include "win/widgets/TreeDrop.h"

namespace sorvane {

class TForm8 : public ToolForm {
  public:
    explicit TForm8(AppContext& context);
    ~TForm8() override;

    // Any control of the window by its number; for a check-box group, its title check box.
    HWND Control(int id) const;
    ScanOptionsPage& Options() { return *options_; }
    PageControl& Pages() { return *pages_; }
    ResultTable& Table() { return table_; }
    DestinationPanel& Destination() { return results_->Destination(); }
    TableSaver& Saver() { return results_->Saver(); }
    HMENU MenuOf(int buttonId) const { return results_->MenuOf(buttonId); }
    std::string TooltipOf(int id) { return Tips().TextOf(Control(id)); }
    bool Scanning() const { return Busy(); }

  protected:
    void OnShown() override;
    void OnLayout(SIZE room) override;
    void OnClose() override;
    void SaveSettings() override;

  private:
    void Restore();

    void CscanbtnClick();

    ResultTable table_;
    std::unique_ptr<PageControl> pages_;
    AnchorLayout layout_;
    AnchorLayout resultsLayout_;
    std::unique_ptr<ScanOptionsPage> options_;
    std::unique_ptr<ResultsPane> results_;
    std::unique_ptr<StoredOptions> cleanstorage_;
    // Dragging a directory from the tree onto the scan locations.
    std::unique_ptr<TreeDrop> drop_;
};

}  // namespace sorvane
