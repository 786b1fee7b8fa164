#include "win/widgets/ColorBox.h"

#include <vector>

#include "win/platform/Utf.h"
#include "win/platform/WinHandles.h"
#include "win/utils/Controls.h"

namespace sorvane {

namespace {

// Item data with this bit set names a system colour by its index, so that the choice follows
// the user's colour scheme until it is read.
constexpr LPARAM kSystemColorBit = 0x40000000;
constexpr char kCustomName[] = "Custom";
constexpr int kSwatchWidth = 24;
constexpr int kGap = 4;

struct NamedColor {
    const char* name;
    LPARAM data;
};

const NamedColor kColors[] = {
    {"Black", RGB(0, 0, 0)},
    {"Maroon", RGB(128, 0, 0)},
    {"Green", RGB(0, 128, 0)},
    {"Olive", RGB(128, 128, 0)},
    {"Navy", RGB(0, 0, 128)},
    {"Purple", RGB(128, 0, 128)},
    {"Teal", RGB(0, 128, 128)},
    {"Gray", RGB(128, 128, 128)},
    {"Silver", RGB(192, 192, 192)},
    {"Red", RGB(255, 0, 0)},
    {"Lime", RGB(0, 255, 0)},
    {"Yellow", RGB(255, 255, 0)},
    {"Blue", RGB(0, 0, 255)},
    {"Fuchsia", RGB(255, 0, 255)},
    {"Aqua", RGB(0, 255, 255)},
    {"White", RGB(255, 255, 255)},
    {"Cream", RGB(255, 251, 240)},
    {"Sky Blue", RGB(166, 202, 240)},
    {"Money Green", RGB(192, 220, 192)},
    {"Tooltip Background", kSystemColorBit | COLOR_INFOBK},
};

COLORREF Resolve(LPARAM data) {
    if (data & kSystemColorBit) return GetSysColor(static_cast<int>(data & ~kSystemColorBit));
    return static_cast<COLORREF>(data);
}

int AddItem(HWND combo, const std::string& name, LPARAM data) {
    const auto index = static_cast<int>(
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(name).c_str())));
    SendMessageW(combo, CB_SETITEMDATA, index, data);
    return index;
}

}  // namespace

ColorBox::ColorBox(HWND parent, RECT bounds, int id, COLORREF initial)
    : hwnd_(MakeControl(parent, L"COMBOBOX", "",
                        WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST |
                            CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                        bounds, id)) {
    OwnerDrawn::Attach(hwnd_, this);
    // The parent was asked for item heights before the drawer was attached; set them here.
    HDC dc = GetDC(hwnd_);
    const HGDIOBJ old = SelectObject(dc, UiFont());
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    SendMessageW(hwnd_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), tm.tmHeight + 4);
    SendMessageW(hwnd_, CB_SETITEMHEIGHT, 0, tm.tmHeight + 2);
    for (const NamedColor& c : kColors) AddItem(hwnd_, c.name, c.data);
    SetColor(initial);
}

COLORREF ColorBox::ColorAt(int index) const {
    return Resolve(SendMessageW(hwnd_, CB_GETITEMDATA, index, 0));
}

COLORREF ColorBox::Color() const {
    const auto index = static_cast<int>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0));
    return index == CB_ERR ? RGB(255, 255, 0) : ColorAt(index);
}

void ColorBox::SetColor(COLORREF color) {
    const auto count = static_cast<int>(SendMessageW(hwnd_, CB_GETCOUNT, 0, 0));
    // Named colours first: a system colour only matches what it stands for by chance.
    for (const bool system : {false, true}) {
        for (int i = 0; i < count; ++i) {
            const LPARAM data = SendMessageW(hwnd_, CB_GETITEMDATA, i, 0);
            if (((data & kSystemColorBit) != 0) == system && Resolve(data) == color) {
                SendMessageW(hwnd_, CB_SETCURSEL, i, 0);
                return;
            }
        }
    }
    const auto existing = SendMessageW(hwnd_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(Widen(kCustomName).c_str()));
    const int custom = existing == CB_ERR ? AddItem(hwnd_, kCustomName, static_cast<LPARAM>(color))
                                          : static_cast<int>(existing);
    SendMessageW(hwnd_, CB_SETITEMDATA, custom, static_cast<LPARAM>(color));
    SendMessageW(hwnd_, CB_SETCURSEL, custom, 0);
}

std::string ColorBox::ColorName() const {
    return WindowText(hwnd_);
}

void ColorBox::Draw(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item.itemID == static_cast<UINT>(-1)) return;

    RECT swatch{r.left + 2, r.top + 2, r.left + 2 + Scaled(kSwatchWidth), r.bottom - 2};
    {
        const UniqueGdiObject fill(CreateSolidBrush(ColorAt(static_cast<int>(item.itemID))));
        FillRect(dc, &swatch, static_cast<HBRUSH>(fill.Get()));
    }
    FrameRect(dc, &swatch, GetSysColorBrush(COLOR_WINDOWTEXT));

    const auto length = SendMessageW(hwnd_, CB_GETLBTEXTLEN, item.itemID, 0);
    if (length > 0) {
        std::vector<wchar_t> text(static_cast<size_t>(length) + 1);
        SendMessageW(hwnd_, CB_GETLBTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        RECT textRect{swatch.right + Scaled(kGap), r.top, r.right, r.bottom};
        const HGDIOBJ old = SelectObject(dc, UiFont());
        DrawTextW(dc, text.data(), -1, &textRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        SelectObject(dc, old);
    }
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
}

}  // namespace sorvane
