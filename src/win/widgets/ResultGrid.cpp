#include "win/widgets/ResultGrid.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/utils/ScopedFlag.h"
#include "win/platform/Utf.h"
#include "win/utils/Controls.h"

namespace sorvane {

namespace {

// State image 0 is no check box, 1 an empty box, 2 a checked one.
constexpr UINT kNoBox = 0;
constexpr UINT kUnchecked = 1;
constexpr UINT kChecked = 2;

struct MemoryDc {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    MemoryDc() = default;
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    ~MemoryDc() {
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
    }
};

// The two check box pictures, drawn by the system so they match the other check boxes.
UniqueImageList MakeCheckImages() {
    const int size = GetSystemMetrics(SM_CXSMICON);
    UniqueImageList images(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 2, 0));
    if (!images) throw std::runtime_error("Unable to create the check box images.");
    const COLORREF transparent = RGB(255, 0, 255);
    const UniqueGdiObject back(CreateSolidBrush(transparent));
    const MemoryDc memory;
    for (const bool checked : {false, true}) {
        const UniqueGdiObject bitmap(CreateCompatibleBitmap(memory.screen, size, size));
        const HGDIOBJ old = SelectObject(memory.dc, bitmap.Get());
        RECT all{0, 0, size, size};
        FillRect(memory.dc, &all, static_cast<HBRUSH>(back.Get()));
        const int box = std::min(size - 2, 13);
        RECT frame{(size - box) / 2, (size - box) / 2, (size - box) / 2 + box,
                   (size - box) / 2 + box};
        DrawFrameControl(memory.dc, &frame, DFC_BUTTON,
                         DFCS_BUTTONCHECK | DFCS_FLAT | (checked ? DFCS_CHECKED : 0));
        SelectObject(memory.dc, old);
        ImageList_AddMasked(images.Get(), static_cast<HBITMAP>(bitmap.Get()), transparent);
    }
    return images;
}

// The control's font in its four styles, indexed by bold + 2 * italic.
std::array<UniqueGdiObject, 4> MakeFonts() {
    LOGFONTW base{};
    GetObjectW(UiFont(), sizeof base, &base);
    std::array<UniqueGdiObject, 4> fonts;
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        LOGFONTW variant = base;
        variant.lfWeight = (i & 1) != 0 ? FW_BOLD : FW_NORMAL;
        variant.lfItalic = (i & 2) != 0 ? TRUE : FALSE;
        fonts[i].Reset(CreateFontIndirectW(&variant));
    }
    return fonts;
}

int ListFormat(Alignment alignment) {
    switch (alignment) {
        case Alignment::kRight:
            return LVCFMT_RIGHT;
        case Alignment::kCenter:
            return LVCFMT_CENTER;
        case Alignment::kLeft:
            break;
    }
    return LVCFMT_LEFT;
}

bool IsAsciiLetter(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}

}  // namespace

std::size_t ResultGrid::ColumnMap::ToTable(int viewColumn) const {
    const auto view = static_cast<std::size_t>(viewColumn);
    if (view == 0) return name;
    return view <= name ? view - 1 : view;
}

int ResultGrid::ColumnMap::ToView(std::size_t tableColumn) const {
    if (tableColumn == name) return 0;
    return static_cast<int>(tableColumn < name ? tableColumn + 1 : tableColumn);
}

ResultGrid::ResultGrid(HWND parent, RECT bounds, int id, ResultTable& table)
    : table_(table),
      columns_{table.NameColumn()},
      list_(MakeControl(parent, WC_LISTVIEWW, "",
                        WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL |
                            LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS,
                        bounds, id, WS_EX_CLIENTEDGE)),
      checkImages_(MakeCheckImages()),
      fonts_(MakeFonts()) {
    if (!list_) throw std::runtime_error("Unable to create the result grid.");
    const HWND list = list_.Get();
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER);
    SendMessageW(list, LVM_SETIMAGELIST, LVSIL_STATE, reinterpret_cast<LPARAM>(checkImages_.Get()));
    // The check marks live in the table: the list view asks for them like the texts.
    SendMessageW(list, LVM_SETCALLBACKMASK, LVIS_STATEIMAGEMASK, 0);
    header_ = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    const auto notify = [this](ControlEvent& e) { return OnNotify(*e.header); };
    listRoute_.emplace(list, notify);
    if (header_) headerRoute_.emplace(header_, notify);
    CreateColumns();
    Refresh();
}

ResultGrid::~ResultGrid() {
    headerRoute_.reset();
    listRoute_.reset();
    // Before the images and fonts it draws with.
    list_.Reset();
}

void ResultGrid::CreateColumns() {
    const std::size_t count = table_.ColumnCount();
    std::vector<int> order(count);
    for (std::size_t position = 0; position < count; ++position) {
        order[position] = columns_.ToView(position);
    }
    for (int view = 0; view < static_cast<int>(count); ++view) {
        const Column& column = table_.ColumnAt(columns_.ToTable(view));
        std::wstring heading = Widen(column.heading);
        LVCOLUMNW lvc{};
        lvc.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        lvc.fmt = ListFormat(column.alignment);
        lvc.cx = Scaled(column.width);
        lvc.pszText = heading.data();
        lvc.iSubItem = view;
        SendMessageW(list_.Get(), LVM_INSERTCOLUMNW, static_cast<WPARAM>(view),
                     reinterpret_cast<LPARAM>(&lvc));
    }
    SendMessageW(list_.Get(), LVM_SETCOLUMNORDERARRAY, count,
                 reinterpret_cast<LPARAM>(order.data()));
}

void ResultGrid::Refresh() {
    const HWND list = list_.Get();
    const std::size_t rows = table_.RowCount() - 1;
    SendMessageW(list, LVM_SETITEMCOUNT, rows, LVSICF_NOSCROLL);
    ShowHeadings();
    ShowSelectedRow();
    InvalidateRect(list, nullptr, TRUE);
}

void ResultGrid::ShowWidths() {
    for (int view = 0; view < static_cast<int>(table_.ColumnCount()); ++view) {
        SendMessageW(list_.Get(), LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(view),
                     Scaled(table_.ColumnAt(columns_.ToTable(view)).width));
    }
    FitPathColumn();
}

void ResultGrid::FitPathColumn() {
    const int path = columns_.ToView(table_.PathColumn());
    if (path < 0 || path >= static_cast<int>(table_.ColumnCount())) return;
    const ScopedFlag fitting(fitting_);
    FillListColumn(list_.Get(), path, Scaled(table_.ColumnAt(table_.PathColumn()).width));
}

void ResultGrid::ShowHeadings() {
    // Headings are centred whatever the alignment of the cells below them: the header keeps
    // its own format, the list view keeps the cells'.
    for (int view = 0; view < static_cast<int>(table_.ColumnCount()); ++view) {
        std::wstring heading = Widen(table_.Cell(0, columns_.ToTable(view)));
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        SendMessageW(header_, HDM_GETITEMW, static_cast<WPARAM>(view),
                     reinterpret_cast<LPARAM>(&item));
        item.mask = HDI_FORMAT | HDI_TEXT;
        item.fmt = (item.fmt & ~HDF_JUSTIFYMASK) | HDF_CENTER | HDF_STRING;
        item.pszText = heading.data();
        SendMessageW(header_, HDM_SETITEMW, static_cast<WPARAM>(view),
                     reinterpret_cast<LPARAM>(&item));
    }
}

void ResultGrid::ShowSelectedRow() {
    const std::size_t selected = table_.SelectedRow();
    LVITEMW state{};
    if (selected >= 1 && selected < table_.RowCount()) {
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(list_.Get(), LVM_SETITEMSTATE, selected - 1, reinterpret_cast<LPARAM>(&state));
    } else {
        state.stateMask = LVIS_SELECTED;
        SendMessageW(list_.Get(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(&state));
    }
}

bool ResultGrid::HasCheckBox(std::size_t row) const {
    return row >= 1 && row < table_.RowCount() && !table_.CellView(row, columns_.name).empty();
}

void ResultGrid::CheckAll(bool checked) {
    if (table_.Empty()) return;
    for (std::size_t row = 1; row < table_.RowCount(); ++row) {
        if (HasCheckBox(row) && table_.Checked(row) != checked) table_.SetChecked(row, checked);
    }
    InvalidateRect(list_.Get(), nullptr, FALSE);
}

void ResultGrid::Toggle(int item) {
    if (item < 0) return;
    const std::size_t row = static_cast<std::size_t>(item) + 1;
    if (!HasCheckBox(row)) return;
    table_.SetChecked(row, !table_.Checked(row));
    SendMessageW(list_.Get(), LVM_REDRAWITEMS, static_cast<WPARAM>(item), item);
}

std::optional<LRESULT> ResultGrid::OnNotify(NMHDR& notification) {
    if (notification.hwndFrom == header_) {
        if (notification.code == HDN_ITEMCHANGEDW || notification.code == HDN_ENDTRACKW) {
            OnHeaderChanged(reinterpret_cast<const NMHEADERW&>(notification));
        }
        return std::nullopt;
    }
    switch (notification.code) {
        case LVN_GETDISPINFOW:
            FillDisplayInfo(reinterpret_cast<NMLVDISPINFOW&>(notification).item);
            return 0;
        case LVN_ODFINDITEMW:
            return FindLetter(reinterpret_cast<const NMLVFINDITEMW&>(notification).lvfi.psz);
        case NM_CUSTOMDRAW:
            return OnCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW&>(notification));
        case NM_CLICK:
            OnClick(reinterpret_cast<const NMITEMACTIVATE&>(notification));
            break;
        case LVN_KEYDOWN:
            if (reinterpret_cast<const NMLVKEYDOWN&>(notification).wVKey == VK_SPACE) {
                Toggle(static_cast<int>(SendMessageW(list_.Get(), LVM_GETNEXTITEM,
                                                     static_cast<WPARAM>(-1), LVNI_FOCUSED)));
            }
            break;
        case LVN_ITEMCHANGED:
            OnItemChanged(reinterpret_cast<const NMLISTVIEW&>(notification));
            break;
        case LVN_COLUMNCLICK:
            if (headerClick_) {
                headerClick_(
                    columns_.ToTable(reinterpret_cast<const NMLISTVIEW&>(notification).iSubItem));
            }
            break;
        default:
            break;
    }
    // The parent may want these as well.
    return std::nullopt;
}

void ResultGrid::FillDisplayInfo(LVITEMW& item) const {
    const std::size_t row = static_cast<std::size_t>(item.iItem) + 1;
    if (item.iItem < 0 || row >= table_.RowCount()) return;
    if ((item.mask & LVIF_TEXT) != 0 && item.pszText && item.cchTextMax > 0) {
        const std::wstring text =
            Widen(std::string(table_.CellView(row, columns_.ToTable(item.iSubItem))));
        const std::size_t length =
            std::min(text.size(), static_cast<std::size_t>(item.cchTextMax) - 1);
        std::copy_n(text.data(), length, item.pszText);
        item.pszText[length] = L'\0';
    }
    if ((item.mask & LVIF_STATE) != 0 && item.iSubItem == 0) {
        const UINT image = !HasCheckBox(row) ? kNoBox : table_.Checked(row) ? kChecked : kUnchecked;
        item.state = (item.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(image);
        item.stateMask |= LVIS_STATEIMAGEMASK;
    }
}

int ResultGrid::FindLetter(const wchar_t* typed) const {
    if (!typed || !*typed) return -1;
    // Only the last key counts: a letter jumps to the first name starting with it, or with its
    // capital, however quickly the keys came.
    const wchar_t key = typed[std::wcslen(typed) - 1];
    if (!IsAsciiLetter(key)) return -1;
    const char letter = static_cast<char>(key);
    const char capital = static_cast<char>(key >= L'a' ? key - L'a' + L'A' : key);
    for (std::size_t row = 1; row < table_.RowCount(); ++row) {
        const std::string_view name = table_.CellView(row, columns_.name);
        if (!name.empty() && (name[0] == letter || name[0] == capital)) {
            return static_cast<int>(row - 1);
        }
    }
    return -1;
}

void ResultGrid::OnClick(const NMITEMACTIVATE& click) {
    LVHITTESTINFO hit{};
    hit.pt = click.ptAction;
    SendMessageW(list_.Get(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if ((hit.flags & LVHT_ONITEMSTATEICON) != 0) Toggle(hit.iItem);
}

void ResultGrid::OnItemChanged(const NMLISTVIEW& change) {
    if (change.iItem < 0 || (change.uChanged & LVIF_STATE) == 0) return;
    const std::size_t row = static_cast<std::size_t>(change.iItem) + 1;
    if ((change.uNewState & LVIS_SELECTED) != 0 && (change.uOldState & LVIS_SELECTED) == 0) {
        table_.SelectRow(row);
    }
}

void ResultGrid::OnHeaderChanged(const NMHEADERW& change) {
    if (fitting_) return;
    if (change.iItem < 0 || change.iItem >= static_cast<int>(table_.ColumnCount())) return;
    int width = 0;
    if (change.pitem && (change.pitem->mask & HDI_WIDTH) != 0) {
        width = change.pitem->cxy;
    } else if (!change.pitem) {
        width = static_cast<int>(SendMessageW(list_.Get(), LVM_GETCOLUMNWIDTH, change.iItem, 0));
    } else {
        return;
    }
    // The table keeps design units, so that a stored width looks the same on any screen.
    const std::size_t column = columns_.ToTable(change.iItem);
    table_.SetColumnWidth(column, Unscaled(width));
    if (column != table_.PathColumn()) FitPathColumn();
}

bool ResultGrid::ApplyStyle(NMLVCUSTOMDRAW& draw, std::size_t row) const {
    if (row >= table_.RowCount()) return false;
    const CellStyle& style = table_.Style(row);
    if (style == CellStyle{}) return false;
    // The table's colours are already in COLORREF order: red in the low byte.
    if (style.background) draw.clrTextBk = static_cast<COLORREF>(*style.background);
    if (style.fontColor) draw.clrText = static_cast<COLORREF>(*style.fontColor);
    const std::size_t font = (style.bold ? 1 : 0) + (style.italic ? 2 : 0);
    SelectObject(draw.nmcd.hdc, fonts_[font].Get());
    return true;
}

LRESULT ResultGrid::OnCustomDraw(NMLVCUSTOMDRAW& draw) const {
    const std::size_t row = static_cast<std::size_t>(draw.nmcd.dwItemSpec) + 1;
    switch (draw.nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT:
            return ApplyStyle(draw, row) ? CDRF_NEWFONT | CDRF_NOTIFYSUBITEMDRAW : CDRF_DODEFAULT;
        case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
            return ApplyStyle(draw, row) ? CDRF_NEWFONT : CDRF_DODEFAULT;
        default:
            return CDRF_DODEFAULT;
    }
}

}  // namespace sorvane
