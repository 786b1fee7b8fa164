#pragma once
// The on-screen grid of a result table: a virtual report list view that asks the table for
// every cell as it draws it, so a table of any size shows at once. Each data row carries a
// check box in the name column; colours, fonts, alignment and column widths come from the
// table, and the user's selection, check marks and column widths go back into it.
//
// The list view's own item (its column 0) is the table's name column, shown in the table's
// column order through the header's order array: that puts the check boxes, which a list view
// draws only in its item, in the name column, and keeps the always-left-aligned first list-view
// column on a left-aligned name.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <cstddef>
#include <functional>
#include <optional>

#include "core/results/ResultTable.h"
#include "win/platform/WinHandles.h"
#include "win/framework/Window.h"

namespace sorvane {

class ResultGrid {
  public:
    // The parent must be one of the program's windows, which routes the list's notifications.
    ResultGrid(HWND parent, RECT bounds, int id, ResultTable& table);
    ~ResultGrid();
    ResultGrid(const ResultGrid&) = delete;
    ResultGrid& operator=(const ResultGrid&) = delete;

    HWND Handle() const { return list_.Get(); }

    // Shows the table as it now is: row count, headings, check marks and the selected row.
    // The view keeps its scroll position where the rows allow.
    void Refresh();
    // Gives the columns the widths the table holds now.
    void ShowWidths();
    // The path column takes the room the other columns leave, on screen only: the table keeps
    // its width, so a large window does not store a wide column for a small one.
    void FitPathColumn();

    // Checks or clears every data row that has a check box; an empty table is left alone.
    void SelectAll() { CheckAll(true); }
    void UnselectAll() { CheckAll(false); }

    // Called with the table column whose heading the user clicked.
    void OnHeaderClick(std::function<void(std::size_t column)> handler) {
        headerClick_ = std::move(handler);
    }

  private:
    // Table columns against list-view columns: list-view column 0 is the name column, the
    // others follow in table order.
    struct ColumnMap {
        std::size_t name;
        std::size_t ToTable(int viewColumn) const;
        int ToView(std::size_t tableColumn) const;
    };

    std::optional<LRESULT> OnNotify(NMHDR& notification);
    LRESULT OnCustomDraw(NMLVCUSTOMDRAW& draw) const;
    void FillDisplayInfo(LVITEMW& item) const;
    int FindLetter(const wchar_t* typed) const;
    void OnClick(const NMITEMACTIVATE& click);
    void OnItemChanged(const NMLISTVIEW& change);
    void OnHeaderChanged(const NMHEADERW& change);

    void CreateColumns();
    void CheckAll(bool checked);
    void Toggle(int item);
    void ShowHeadings();
    void ShowSelectedRow();
    bool HasCheckBox(std::size_t row) const;
    // Applies a row's style to the drawing context; false when the row is drawn plainly.
    bool ApplyStyle(NMLVCUSTOMDRAW& draw, std::size_t row) const;

    ResultTable& table_;
    const ColumnMap columns_;
    UniqueWindow list_;
    HWND header_ = nullptr;
    UniqueImageList checkImages_;
    // Regular, bold, italic, bold italic.
    std::array<UniqueGdiObject, 4> fonts_;
    std::function<void(std::size_t)> headerClick_;
    std::optional<ControlRoute> listRoute_;
    std::optional<ControlRoute> headerRoute_;
    bool fitting_ = false;
};

}  // namespace sorvane
