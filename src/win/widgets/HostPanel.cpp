#include "win/widgets/HostPanel.h"

namespace sorvane {

void HostPanel::CreatePanel(const wchar_t* className, HWND parent, RECT bounds, int id,
                            DWORD style) {
    CreateWindowOf({className}, WS_EX_CONTROLPARENT, "",
                   WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | style, bounds, parent, id);
}

void HostPanel::Show(bool visible) {
    ShowWindow(Handle(), visible ? SW_SHOW : SW_HIDE);
}

bool HostPanel::Visible() const {
    return IsWindowVisible(Handle()) != FALSE;
}

LRESULT HostPanel::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (PaintsItself() && message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        Paint(dc);
        EndPaint(Handle(), &ps);
        return 0;
    }
    if (PaintsItself() && message == WM_ERASEBKGND) return 1;
    // A slider reports its moves as WM_HSCROLL naming itself; the window acts on them too.
    if (message == WM_COMMAND || message == WM_NOTIFY || (message == WM_HSCROLL && lParam != 0)) {
        return SendMessageW(GetParent(Handle()), message, wParam, lParam);
    }
    return DefaultProc(message, wParam, lParam);
}

}  // namespace sorvane
