#include "win/widgets/MovablePanel.h"

#include <windowsx.h>

#include <algorithm>

#include "win/platform/Utf.h"
#include "win/utils/Controls.h"

namespace sorvane {

namespace {

int StripHeight() {
    HDC dc = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, UiFont());
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return tm.tmHeight + Scaled(4);
}

}  // namespace

MovablePanel::MovablePanel(HWND parent, const std::string& title, RECT bounds, int id)
    : titleHeight_(StripHeight()) {
    CreatePanel(L"SorvaneMovablePanel", parent, bounds, id, WS_BORDER);
    SetWindowTextW(Handle(), Widen(title).c_str());
}

POINT MovablePanel::Position() const {
    RECT r{};
    GetWindowRect(Handle(), &r);
    POINT p{r.left, r.top};
    ScreenToClient(GetParent(Handle()), &p);
    return p;
}

void MovablePanel::MoveTo(int left, int top) {
    RECT parent{};
    GetClientRect(GetParent(Handle()), &parent);
    RECT r{};
    GetWindowRect(Handle(), &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    // Always leave the whole panel inside the parent, so its strip can be taken again.
    left = std::max(0, std::min(left, static_cast<int>(parent.right) - width));
    top = std::max(0, std::min(top, static_cast<int>(parent.bottom) - height));
    SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool MovablePanel::OnTitle(POINT client) const {
    RECT r{};
    GetClientRect(Handle(), &r);
    r.bottom = titleHeight_;
    return PtInRect(&r, client) != FALSE;
}

void MovablePanel::Paint(HDC dc) const {
    RECT r{};
    GetClientRect(Handle(), &r);
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    RECT strip = r;
    strip.bottom = titleHeight_;
    FillRect(dc, &strip, GetSysColorBrush(COLOR_ACTIVECAPTION));
    const std::wstring text = Widen(WindowText(Handle()));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_CAPTIONTEXT));
    const HGDIOBJ oldFont = SelectObject(dc, UiFont());
    strip.left += Scaled(4);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &strip,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(dc, oldFont);
}

LRESULT MovablePanel::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
        case WM_SETTEXT: {
            const LRESULT result = DefaultProc(message, wParam, lParam);
            InvalidateRect(Handle(), nullptr, FALSE);
            return result;
        }
        // The panel follows the pointer itself rather than through the system's move loop,
        // which would let it leave the parent.
        case WM_LBUTTONDOWN:
            if (!OnTitle(at)) break;
            dragging_ = true;
            grip_ = at;
            SetCapture(Handle());
            BringWindowToTop(Handle());
            return 0;
        case WM_MOUSEMOVE:
            if (!dragging_) break;
            {
                POINT p = at;
                MapWindowPoints(Handle(), GetParent(Handle()), &p, 1);
                // The window's outer left-top lies one border away from the client origin.
                RECT outer{};
                GetWindowRect(Handle(), &outer);
                POINT origin{0, 0};
                ClientToScreen(Handle(), &origin);
                MoveTo(p.x - grip_.x - (origin.x - outer.left),
                       p.y - grip_.y - (origin.y - outer.top));
            }
            return 0;
        case WM_LBUTTONUP:
            if (dragging_) ReleaseCapture();
            dragging_ = false;
            return 0;
        case WM_CAPTURECHANGED:
            dragging_ = false;
            return 0;
        default:
            break;
    }
    return HostPanel::OnMessage(message, wParam, lParam);
}

}  // namespace sorvane
