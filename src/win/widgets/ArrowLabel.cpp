#include "win/widgets/ArrowLabel.h"

#include "win/platform/Utf.h"
#include "win/utils/Controls.h"

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
    const int border = Scaled(kBorder);
    const int inset = border + Scaled(2);
    const int head = h / 2;
    const POINT arrow[] = {{r.left + inset, r.top + inset},
                           {r.right - inset - head, r.top + inset},
                           {r.right - inset, r.top + h / 2},
                           {r.right - inset - head, r.bottom - inset},
                           {r.left + inset, r.bottom - inset}};
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
        InflateRect(&focus, -border - 1, -border - 1);
        DrawFocusRect(dc, &focus);
    }
}

}  // namespace sorvane
