#pragma once
// The list half of a tool window whose list is not a result table: a plain list box (one text
// per row) or a report list view (cells per row, a blank row while there are none), with what
// such a list has around it: a drop-down button of commands on its rows, a right-click menu,
// its hint, and column widths kept in design units, one column taking the room the others
// leave. The window keeps the rows' meaning; the pane only shows them and says which is
// selected. Beside it, the one way an entry leaves an editable list: asked first.
#include <windows.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/platform/Prompts.h"
#include "win/platform/WinHandles.h"
#include "win/widgets/FlatButton.h"
#include "win/utils/Tooltip.h"

namespace sorvane {

// The question before an entry leaves an editable list.
inline constexpr char kRemoveItemQuestion[] = "Proceed to delete the selected item?";

// Removes the selected entry of a list box once the user agrees; with nothing selected it asks
// nothing. True when the entry went.
bool RemoveSelectedItem(HWND list, IPrompts& prompts);

using MenuItems = std::vector<std::pair<int, std::string>>;

struct ListPaneSetup {
    struct Column {
        std::string heading;
        int width;  // design units
    };
    // A button whose menu acts on the rows.
    struct Button {
        int id = 0;  // 0: none
        std::string caption, hint;
        RECT bounds{};  // pixels
        MenuItems menu;
    };

    int listId = 0;
    // None: a plain list box. Otherwise a report list view with these columns.
    std::vector<Column> columns;
    // The column that takes the room the others leave; its own width is what is stored.
    std::optional<int> fillColumn;
    bool rowIcons = false;  // a folder before each row
    std::string hint;
    Button button;
    MenuItems contextMenu;
};

class ListPane {
  public:
    ListPane(HWND parent, Tooltip& tips, RECT bounds, ListPaneSetup setup);
    ListPane(const ListPane&) = delete;
    ListPane& operator=(const ListPane&) = delete;

    HWND Handle() const { return list_; }

    // Every row anew: one text per row in a list, cells in a table.
    void ShowRows(const std::vector<std::vector<std::string>>& rows);
    void ShowRow(std::size_t row, const std::vector<std::string>& cells);
    // The first text of each row shown.
    std::vector<std::string> Texts() const;
    std::string Cell(int row, int column) const;
    int Count() const;
    // The row shown selected, when it is one of the window's `rows` rows.
    std::optional<std::size_t> Selected(std::size_t rows) const;
    void Select(std::size_t row);

    // Column widths in design units; the fill column's as the user left it.
    std::vector<int> Widths();
    void SetWidths(const std::vector<int>& widths);
    // The fill column takes the room there is now.
    void Fit();
    // Shows the right-click menu at `at` (screen coordinates, or -1 from the keyboard).
    void ShowMenu(LPARAM at) const;

  private:
    bool Table() const { return !setup_.columns.empty(); }
    void TakeUsersFillWidth();

    const ListPaneSetup setup_;
    HWND list_ = nullptr;
    UniqueImageList images_;
    std::unique_ptr<FlatButton> button_;
    UniqueMenu contextMenu_;
    int fillWidth_ = 0;  // design units
    int fitted_ = -1;    // pixels, as last fitted
};

}  // namespace sorvane
