#include "win/widgets/StandardControls.h"

#include <commctrl.h>

#include "win/platform/Utf.h"
#include "win/utils/Controls.h"

namespace sorvane {

bool IsChecked(HWND button) {
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetChecked(HWND button, bool checked) {
    SendMessageW(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void LimitText(HWND edit, int characters) {
    SendMessageW(edit, EM_SETLIMITTEXT, static_cast<WPARAM>(characters), 0);
}

void ListBox::SetScrollWidth(int pixels) {
    SendMessageW(list_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(pixels), 0);
}

std::vector<std::string> ListBox::Texts() const {
    return ListBoxTexts(list_);
}

void ComboBox::SetTexts(const std::vector<std::string>& texts) {
    SendMessageW(combo_, CB_RESETCONTENT, 0, 0);
    for (const std::string& text : texts) {
        SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
    }
}

std::optional<std::size_t> ComboBox::Selected() const {
    const LRESULT index = SendMessageW(combo_, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return std::nullopt;
    return static_cast<std::size_t>(index);
}

void ComboBox::Select(std::size_t index) {
    SendMessageW(combo_, CB_SETCURSEL, index, 0);
}

void ListBox::SetTexts(const std::vector<std::string>& texts) {
    SetListBoxTexts(list_, texts);
}

void ListBox::AddUnique(const std::string& text) {
    AddListBoxText(list_, text);
}

void ListBox::Add(const std::string& text) {
    SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
}

int ListBox::Count() const {
    return static_cast<int>(SendMessageW(list_, LB_GETCOUNT, 0, 0));
}

std::optional<std::size_t> ListBox::Selected() const {
    const LRESULT selected = SendMessageW(list_, LB_GETCURSEL, 0, 0);
    if (selected < 0) return std::nullopt;
    return static_cast<std::size_t>(selected);
}

void ListBox::Select(std::size_t index) {
    SendMessageW(list_, LB_SETCURSEL, index, 0);
}

void ListBox::Remove(std::size_t index) {
    SendMessageW(list_, LB_DELETESTRING, index, 0);
}

void ListView::AddColumn(const std::string& heading, int width) {
    std::wstring text = Widen(heading);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = text.data();
    column.cx = width;
    const HWND header = ListView_GetHeader(list_);
    const auto count = SendMessageW(header, HDM_GETITEMCOUNT, 0, 0);
    SendMessageW(list_, LVM_INSERTCOLUMNW, count, reinterpret_cast<LPARAM>(&column));
}

int ListView::ColumnWidth(int column) const {
    return ListView_GetColumnWidth(list_, column);
}

void ListView::SetColumnWidth(int column, int width) {
    ListView_SetColumnWidth(list_, column, width);
}

int ListView::Count() const {
    return ListView_GetItemCount(list_);
}

void ListView::Clear() {
    ListView_DeleteAllItems(list_);
}

void ListView::AddRow(std::optional<int> image) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = Count();
    item.pszText = const_cast<wchar_t*>(L"");
    item.iImage = image.value_or(I_IMAGENONE);
    SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void ListView::SetCell(int row, int column, const std::string& text) {
    std::wstring wide = Widen(text);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = wide.data();
    SendMessageW(list_, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

std::string ListView::Cell(int row, int column) const {
    wchar_t text[1024] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 1024;
    SendMessageW(list_, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return Narrow(text);
}

std::optional<std::size_t> ListView::Selected() const {
    const int selected = ListView_GetNextItem(list_, -1, LVNI_SELECTED);
    if (selected < 0) return std::nullopt;
    return static_cast<std::size_t>(selected);
}

void ListView::Select(std::size_t row) {
    ListView_SetItemState(list_, static_cast<int>(row), LVIS_SELECTED, LVIS_SELECTED);
}

std::optional<std::pair<int, int>> ListView::CellAt(POINT point) const {
    LVHITTESTINFO hit{};
    hit.pt = point;
    if (SendMessageW(list_, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)) < 0) {
        return std::nullopt;
    }
    return std::pair{hit.iItem, hit.iSubItem};
}

}  // namespace sorvane
