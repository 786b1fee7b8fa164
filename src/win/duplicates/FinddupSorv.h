#pragma once
// Find Duplicate Files: files on chosen drives and directories that agree in the chosen ones of
// name, size, date and content. The upper part holds where to scan, the excluded masks, the
// criteria and Scan and Stop; the results pane below lists the copies in numbered, coloured
// groups, where they can be checked, deleted, moved and saved as a report.
#include <memory>
#include <string>
#include <vector>

#include "core/duplicates/DuplicateScan.h"
#include "core/results/ResultTable.h"
#include "core/settings/StoredOptions.h"
#include "win/duplicates/FinddupIds.h"
#include "win/framework/ToolForm.h"
#include "win/results/ResultsPane.h"
#include "win/widgets/AnchorLayout.h"
#include "win/widgets/DirectoryTree.h"
#include "win/widgets/KeyHook.h"
#include "win/widgets/TreeDrop.h"

namespace sorvane {

class TForm7 : public ToolForm {
  public:
    explicit TForm7(AppContext& context);
    ~TForm7() override;

    // Any control of the window by its number.
    HWND Control(int id) const;
    DirectoryTree& Duptree1() { return *duptree1_; }
    ResultTable& Table() { return table_; }
    DestinationPanel& Destination() { return results_->Destination(); }
    TableSaver& Saver() { return results_->Saver(); }
    HMENU MenuOf(int buttonId) const { return results_->MenuOf(buttonId); }
    std::vector<std::string> Locations() const;
    std::vector<std::string> Masks() const;

  protected:
    void OnShown() override;
    void OnLayout(SIZE room) override { layout_.Apply(room); }
    void OnClose() override;
    void SaveSettings() override;

  private:
    void CreateOptionControls();
    void Restore();
    // The status and caption of a window with no scan behind it.
    void ShowIdle();

    void AddLocation();
    void AddMask();
    // Removes the selected entry of a list box once the user agrees.
    void RemoveSelected(int listId);
    void StartbtnClick();
    DuplicateCriteria Criteria() const;
    bool Checked(int id) const;

    ResultTable table_;
    JudgedFiles judged_;
    AnchorLayout layout_;
    std::unique_ptr<DirectoryTree> duptree1_;
    std::unique_ptr<ResultsPane> results_;
    std::unique_ptr<StoredOptions> dupstorage_;
    std::unique_ptr<TreeDrop> drop_;
    std::vector<std::unique_ptr<KeyHook>> keys_;
};

}  // namespace sorvane
