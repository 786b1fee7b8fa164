#pragma once
// The results half of a tool window: the result grid, the Checkboxes, Delete, Move and Save
// buttons with their menus, the destination panel, the file actions and reports on the table,
// run as passes of the window's runner, and the column widths in the settings file. The owning
// window says which buttons and menu items it has, their numbers and hints, the destination
// panel's title and names, and where the settings go.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "core/results/FileActions.h"
#include "core/results/ResultTable.h"
#include "core/settings/StoredOptions.h"
#include "win/framework/ToolForm.h"
#include "win/results/DestinationPanel.h"
#include "win/results/TableSaver.h"
#include "win/utils/StatusBar.h"
#include "win/widgets/AnchorLayout.h"
#include "win/widgets/FlatButton.h"
#include "win/widgets/ResultGrid.h"

namespace sorvane {

struct ResultsPaneSetup {
    struct Button {
        int id = 0;  // 0: the window has no such button
        std::string hint;
    };
    // Menu commands; 0 leaves the item out.
    struct Commands {
        int selectAll = 0, unselectAll = 0;
        int deleteSelected = 0, deleteChecked = 0, deleteAll = 0;
        int moveSelected = 0, moveChecked = 0, setDestination = 0;
        int saveHtml = 0, saveText = 0;
    };
    // The destination panel: its title, design position, control numbers, and the names of
    // its entries in the stored-options set.
    struct Destination {
        std::string title;
        POINT position;
        DestinationPanel::Ids ids;
        std::string panelName, alwaysName, editName;
    };

    int gridId = 0;
    std::string tool;  // as the cleaning history names it
    Button checkboxes, remove, move, save;
    Commands commands;
    Destination destination;
};

class ResultsPane {
  public:
    // Buttons go in a row from `buttonsAt` on `buttonParent`; the grid and the destination
    // panel on `gridParent`.
    ResultsPane(ToolForm& form, Tooltip& tips, HWND buttonParent, POINT buttonsAt, HWND gridParent,
                ResultTable& table, ResultsPaneSetup setup);
    ~ResultsPane();
    ResultsPane(const ResultsPane&) = delete;
    ResultsPane& operator=(const ResultsPane&) = delete;

    ResultGrid& Grid() { return *grid_; }
    DestinationPanel& Destination() { return *destination_; }
    TableSaver& Saver() { return *saver_; }
    FileActions& Actions() { return actions_; }
    // The control of that number (a button, the grid, the panel or one of its controls).
    HWND Control(int id) const;
    HMENU MenuOf(int buttonId) const;

    // The grid takes the room its parent gains (all of it unless said otherwise; `grid` is its
    // design bounds in pixels), and the destination panel stays inside the parent.
    void AddTo(AnchorLayout& layout, RECT grid, Follow follow = follow::kFill) const;
    // The destination panel's entries of the window's stored-options set.
    void AddStoredEntries(StoredOptions& storage);
    // Column widths under "Col0", "Col1", ... of the set's section.
    void RestoreWidths(const StoredOptions& storage);
    void SaveWidths(StoredOptions& storage) const;
    // The window is closing: an empty table, nothing selected, the panel hidden.
    void Clear();
    // The table changed under the grid.
    void Refresh() { grid_->Refresh(); }

  private:
    std::unique_ptr<FlatButton> MakeFlatButton(HWND parent, const ResultsPaneSetup::Button& button,
                                               const std::string& caption, UniqueMenu menu,
                                               int width);
    void AddCommands();
    // Runs a file action and shows the rows it changed.
    void Act(const std::function<void()>& action);
    void ChooseDestination();

    ToolForm& form_;
    ResultTable& table_;
    const ResultsPaneSetup setup_;
    Tooltip& tips_;
    int buttonsTop_ = 0;
    int buttonsEnd_ = 0;
    std::unique_ptr<FlatButton> checkboxes_, remove_, move_, save_;
    std::unique_ptr<ResultGrid> grid_;
    std::unique_ptr<DestinationPanel> destination_;
    FileActions actions_;
    std::unique_ptr<MoveCommands> moves_;
    std::unique_ptr<TableSaver> saver_;
};

}  // namespace sorvane
