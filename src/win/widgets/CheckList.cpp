#include "win/widgets/CheckList.h"

#include <commctrl.h>

#include <vector>

#include "core/utils/ScopedFlag.h"
#include "win/platform/Utf.h"
#include "win/utils/Controls.h"

namespace sorvane {

namespace {

constexpr UINT kStateImage = LVIS_STATEIMAGEMASK;

// State image 1 is the empty box, 2 the checked one.
UINT CheckImage(bool checked) {
    return INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
}

HWND MakeList(HWND parent, RECT bounds, int id) {
    HWND list = MakeControl(parent, WC_LISTVIEWW, "",
                            WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER |
                                LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                            bounds, id, WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    RECT client{};
    GetClientRect(list, &client);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = client.right - GetSystemMetrics(SM_CXVSCROLL);
    ListView_InsertColumn(list, 0, &column);
    return list;
}

}  // namespace

CheckList::CheckList(HWND parent, RECT bounds, int id, Options options)
    : list_(MakeList(parent, bounds, id)),
      options_(std::move(options)),
      route_(list_.Get(), [this](const ControlEvent& event) { OnEvent(event); }) {}

int CheckList::InsertionIndex(const std::string& text) const {
    const int count = Count();
    if (!options_.sorted) return count;
    const std::wstring wide = Widen(text);
    int index = 0;
    while (index < count &&
           CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, Widen(Text(index)).c_str(), -1,
                          wide.c_str(), -1) != CSTR_GREATER_THAN) {
        ++index;
    }
    return index;
}

int CheckList::Add(const std::string& text, bool checked) {
    const ScopedFlag own(ownChange_);
    std::wstring wide = Widen(text);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_STATE;
    item.iItem = InsertionIndex(text);
    item.pszText = wide.data();
    item.state = CheckImage(checked);
    item.stateMask = kStateImage;
    const int index = ListView_InsertItem(Handle(), &item);
    // Some list views give new items the empty box whatever was asked.
    ListView_SetItemState(Handle(), index, CheckImage(checked), kStateImage);
    return index;
}

void CheckList::Remove(int index) {
    ListView_DeleteItem(Handle(), index);
}

void CheckList::Clear() {
    ListView_DeleteAllItems(Handle());
}

int CheckList::Count() const {
    return ListView_GetItemCount(Handle());
}

std::string CheckList::Text(int index) const {
    std::vector<wchar_t> buffer(128);
    for (;;) {
        LVITEMW item{};
        item.iSubItem = 0;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        const auto length =
            static_cast<size_t>(SendMessageW(Handle(), LVM_GETITEMTEXTW, static_cast<WPARAM>(index),
                                             reinterpret_cast<LPARAM>(&item)));
        if (length + 1 < buffer.size()) return Narrow(buffer.data());
        buffer.resize(buffer.size() * 2);
    }
}

bool CheckList::Checked(int index) const {
    return ListView_GetItemState(Handle(), index, kStateImage) == CheckImage(true);
}

void CheckList::SetChecked(int index, bool checked) {
    const ScopedFlag own(ownChange_);
    ListView_SetItemState(Handle(), index, CheckImage(checked), kStateImage);
}

int CheckList::Selected() const {
    return ListView_GetNextItem(Handle(), -1, LVNI_SELECTED);
}

void CheckList::Select(int index) {
    ListView_SetItemState(Handle(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (index < 0) return;
    ListView_SetItemState(Handle(), index, LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(Handle(), index, FALSE);
}

void CheckList::OnEvent(const ControlEvent& event) {
    if (event.code != LVN_ITEMCHANGED || ownChange_ || !options_.checkChanged) return;
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(event.header);
    // An old state image of 0 is an item just being given its box, not a user's change.
    if ((change->uChanged & LVIF_STATE) == 0 || (change->uOldState & kStateImage) == 0) return;
    if (((change->uNewState ^ change->uOldState) & kStateImage) == 0) return;
    options_.checkChanged(change->iItem);
}

}  // namespace sorvane
