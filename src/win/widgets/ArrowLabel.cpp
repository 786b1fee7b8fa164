#include "win/widgets/ArrowLabel.h"

#include "win/platform/Utf.h"
#include "win/widgets/Controls.h"

namespace sorvane {

namespace {
constexpr COLORREF kOlive = RGB(128, 128, 0);
constexpr COLORREF kGreen = RGB(0, 128, 0);
constexpr int kBorder = 2;
}  // namespace

ArrowLabel::ArrowLabel(HWND parent, const std::string& text, RECT bounds, int id)
    : hwnd_(MakeControl(parent, L"BUTTON", text, WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, bounds,
                        id)) {
    OwnerDrawn::Attach(hwnd_, this);
}

void ArrowLabel::Draw(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    const RECT r = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;

    HBRUSH back = CreateSolidBrush(kOlive);
    FillRect(dc, &r, back);
    DeleteObject(back);

    // An arrow pointing right: a body with a pointed head, inside a raised border.
    const int h = r.bottom - r.top;
    const int head = h / 2;
    const POINT arrow[] = {{r.left + kBorder + 2, r.top + kBorder + 2},
                           {r.right - kBorder - 2 - head, r.top + kBorder + 2},
                           {r.right - kBorder - 2, r.top + h / 2},
                           {r.right - kBorder - 2 - head, r.bottom - kBorder - 2},
                           {r.left + kBorder + 2, r.bottom - kBorder - 2}};
    HBRUSH fore = CreateSolidBrush(kGreen);
    const HGDIOBJ oldBrush = SelectObject(dc, fore);
    const HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    Polygon(dc, arrow, 5);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(fore);

    RECT edge = r;
    DrawEdge(dc, &edge, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

    const std::wstring text = Widen(WindowText(item.hwndItem));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    const HGDIOBJ oldFont = SelectObject(dc, UiFont());
    RECT textRect = r;
    if (pressed) OffsetRect(&textRect, 1, 1);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, oldFont);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = r;
        InflateRect(&focus, -kBorder - 1, -kBorder - 1);
        DrawFocusRect(dc, &focus);
    }
}

}  // namespace sorvane
