#include "win/results/ListPane.h"

#include <commctrl.h>

#include <algorithm>

#include "win/utils/Controls.h"
#include "win/widgets/DirectoryTree.h"
#include "win/widgets/Menu.h"
#include "win/widgets/StandardControls.h"

namespace sorvane {

namespace {

UniqueMenu MenuOf(const MenuItems& items) {
    UniqueMenu menu = MakePopupMenu();
    for (const auto& [id, caption] : items) AppendItem(menu.get(), id, caption);
    return menu;
}

}  // namespace

bool RemoveSelectedItem(HWND list, IPrompts& prompts) {
    ListBox box(list);
    const std::optional<std::size_t> selected = box.Selected();
    if (!selected || !prompts.Confirm(kRemoveItemQuestion)) return false;
    box.Remove(*selected);
    return true;
}

ListPane::ListPane(HWND parent, Tooltip& tips, RECT bounds, ListPaneSetup setup)
    : setup_(std::move(setup)) {
    if (Table()) {
        list_ = MakeControl(parent, WC_LISTVIEWW, "",
                            WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | LVS_REPORT | LVS_SINGLESEL |
                                LVS_SHOWSELALWAYS,
                            bounds, setup_.listId, WS_EX_CLIENTEDGE);
        ListView_SetExtendedListViewStyle(list_,
                                          LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_INFOTIP);
        if (setup_.rowIcons) {
            // Rows 20 design units high: the row icon sits in an image of that height.
            images_.Reset(ImageList_Create(Scaled(16), Scaled(20), ILC_COLOR32 | ILC_MASK, 1, 0));
            AddFolderIcon(images_.Get(), 0);
            ListView_SetImageList(list_, images_.Get(), LVSIL_SMALL);
        }
        ListView view(list_);
        for (const ListPaneSetup::Column& column : setup_.columns) {
            view.AddColumn(column.heading, Scaled(column.width));
        }
        if (setup_.fillColumn) fillWidth_ = setup_.columns[*setup_.fillColumn].width;
    } else {
        list_ = MakeControl(
            parent, L"LISTBOX", "",
            WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
            bounds, setup_.listId, WS_EX_CLIENTEDGE);
    }
    if (!setup_.hint.empty()) tips.Add(list_, setup_.hint);
    if (const ListPaneSetup::Button& b = setup_.button; b.id != 0) {
        button_ = std::make_unique<FlatButton>(parent, b.caption, b.bounds, b.id, MenuOf(b.menu));
        tips.Add(button_->Handle(), b.hint);
    }
    if (!setup_.contextMenu.empty()) contextMenu_ = MenuOf(setup_.contextMenu);
}

void ListPane::ShowRows(const std::vector<std::vector<std::string>>& rows) {
    if (!Table()) {
        std::vector<std::string> texts;
        for (const auto& row : rows) texts.push_back(row.empty() ? std::string() : row[0]);
        ListBox(list_).SetTexts(texts);
        return;
    }
    ListView view(list_);
    view.Clear();
    // A table always has a row to show: a blank one while there are none.
    const std::size_t count = std::max<std::size_t>(rows.size(), 1);
    for (std::size_t i = 0; i < count; ++i) {
        const bool real = i < rows.size();
        view.AddRow(real && setup_.rowIcons ? std::optional<int>(0) : std::nullopt);
        if (real) ShowRow(i, rows[i]);
    }
}

void ListPane::ShowRow(std::size_t row, const std::vector<std::string>& cells) {
    ListView view(list_);
    for (std::size_t c = 0; c < cells.size(); ++c) {
        view.SetCell(static_cast<int>(row), static_cast<int>(c), cells[c]);
    }
}

std::vector<std::string> ListPane::Texts() const {
    if (!Table()) return ListBox(list_).Texts();
    std::vector<std::string> texts;
    for (int row = 0; row < Count(); ++row) texts.push_back(Cell(row, 0));
    return texts;
}

std::string ListPane::Cell(int row, int column) const {
    return ListView(list_).Cell(row, column);
}

int ListPane::Count() const {
    if (Table()) return ListView(list_).Count();
    return ListBox(list_).Count();
}

std::optional<std::size_t> ListPane::Selected(std::size_t rows) const {
    // The row shown selected now: a click on the table's empty area clears the selection, and
    // then nothing is the target of a command.
    const std::optional<std::size_t> selected =
        Table() ? ListView(list_).Selected() : ListBox(list_).Selected();
    if (!selected || *selected >= rows) return std::nullopt;
    return selected;
}

void ListPane::Select(std::size_t row) {
    if (Table()) {
        ListView(list_).Select(row);
    } else {
        ListBox(list_).Select(row);
    }
}

void ListPane::TakeUsersFillWidth() {
    if (!setup_.fillColumn) return;
    const int shown = ListView(list_).ColumnWidth(*setup_.fillColumn);
    if (fitted_ >= 0 && shown != fitted_) fillWidth_ = Unscaled(shown);
}

std::vector<int> ListPane::Widths() {
    TakeUsersFillWidth();
    std::vector<int> widths;
    for (std::size_t c = 0; c < setup_.columns.size(); ++c) {
        const bool fill = setup_.fillColumn && static_cast<int>(c) == *setup_.fillColumn;
        widths.push_back(fill ? fillWidth_
                              : Unscaled(ListView(list_).ColumnWidth(static_cast<int>(c))));
    }
    return widths;
}

void ListPane::SetWidths(const std::vector<int>& widths) {
    ListView view(list_);
    for (std::size_t c = 0; c < widths.size() && c < setup_.columns.size(); ++c) {
        view.SetColumnWidth(static_cast<int>(c), Scaled(widths[c]));
    }
    if (setup_.fillColumn) fillWidth_ = Unscaled(view.ColumnWidth(*setup_.fillColumn));
    fitted_ = -1;
    Fit();
}

void ListPane::Fit() {
    if (!setup_.fillColumn) return;
    TakeUsersFillWidth();
    fitted_ = FillListColumn(list_, *setup_.fillColumn, Scaled(fillWidth_));
}

void ListPane::ShowMenu(LPARAM at) const {
    if (!contextMenu_) return;
    POINT point{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    if (at == -1) {  // from the keyboard: at the list's corner
        RECT list{};
        GetWindowRect(list_, &list);
        point = {list.left, list.top};
    }
    TrackPopupMenu(contextMenu_.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0,
                   GetAncestor(list_, GA_ROOT), nullptr);
}

}  // namespace sorvane
