#include "win/widgets/ScrewPanel.h"

#include "win/utils/Controls.h"

namespace sorvane {

ScrewPanel::ScrewPanel(HWND parent, Style style)
    : style_(style), brush_(CreateSolidBrush(style.color)) {
    RECT client{};
    GetClientRect(parent, &client);
    CreatePanel(L"SorvaneScrewPanel", parent, client, 0, WS_VISIBLE);
}

ScrewPanel::~ScrewPanel() {
    DeleteObject(brush_);
}

void ScrewPanel::FillParent() {
    RECT client{};
    GetClientRect(GetParent(Handle()), &client);
    MoveWindow(Handle(), 0, 0, client.right, client.bottom, TRUE);
}

void ScrewPanel::Paint(HDC dc) const {
    RECT r{};
    GetClientRect(Handle(), &r);
    FillRect(dc, &r, brush_);
    if (style_.border) FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));

    // Each screw: a grey head with a dark slot, inset by the margin from each corner.
    const int s = Scaled(style_.screwSize * 2);
    const int inset = Scaled(style_.margin) + (style_.border ? 1 : 0) + 1;
    const POINT corners[] = {{inset, inset},
                             {r.right - inset - s, inset},
                             {inset, r.bottom - inset - s},
                             {r.right - inset - s, r.bottom - inset - s}};
    HBRUSH head = GetSysColorBrush(COLOR_BTNSHADOW);
    HPEN slot = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DDKSHADOW));
    const HGDIOBJ oldBrush = SelectObject(dc, head);
    const HGDIOBJ oldPen = SelectObject(dc, slot);
    for (const POINT& p : corners) {
        Ellipse(dc, p.x, p.y, p.x + s, p.y + s);
        MoveToEx(dc, p.x + 1, p.y + s - 2, nullptr);
        LineTo(dc, p.x + s - 1, p.y + 1);
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(slot);
}

LRESULT ScrewPanel::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CTLCOLORSTATIC:
            // Labels on the panel take the panel's colour.
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            return reinterpret_cast<LRESULT>(brush_);
        default:
            return HostPanel::OnMessage(message, wParam, lParam);
    }
}

}  // namespace sorvane
