#include "win/framework/WindowPlacement.h"

namespace sorvane {

namespace {

int ScreenPixelsPerInch() {
    const HDC dc = GetDC(nullptr);
    const int ppi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return ppi;
}

}  // namespace

StoredPlacement PlacementOf(HWND window) {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    GetWindowPlacement(window, &wp);
    StoredPlacement p;
    p.flags = static_cast<std::int32_t>(wp.flags);
    p.showCmd = static_cast<std::int32_t>(wp.showCmd);
    p.pixelsPerInch = ScreenPixelsPerInch();
    p.minX = wp.ptMinPosition.x;
    p.minY = wp.ptMinPosition.y;
    p.maxX = wp.ptMaxPosition.x;
    p.maxY = wp.ptMaxPosition.y;
    p.left = wp.rcNormalPosition.left;
    p.top = wp.rcNormalPosition.top;
    p.right = wp.rcNormalPosition.right;
    p.bottom = wp.rcNormalPosition.bottom;
    p.visible = IsWindowVisible(window) != FALSE;
    return p;
}

int ApplyPlacement(HWND window, const StoredPlacement& stored) {
    // The monitor the rectangle lies on most, or the nearest when it lies on none.
    const RECT normal{stored.left, stored.top, stored.right, stored.bottom};
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromRect(&normal, MONITOR_DEFAULTTONEAREST), &info);
    const auto area = [](const RECT& r) { return ScreenArea{r.left, r.top, r.right, r.bottom}; };
    const StoredPlacement p =
        FitToScreen(stored, ScreenPixelsPerInch(), {area(info.rcMonitor), area(info.rcWork)});
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    wp.flags = 0;
    // A hidden window stays hidden: the state is applied when it is shown.
    wp.showCmd = IsWindowVisible(window) ? SW_SHOWNORMAL : SW_HIDE;
    wp.ptMinPosition = {p.minX, p.minY};
    wp.ptMaxPosition = {p.maxX, p.maxY};
    wp.rcNormalPosition = {p.left, p.top, p.right, p.bottom};
    SetWindowPlacement(window, &wp);
    return p.showCmd == SW_SHOWMAXIMIZED ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
}

WindowBounds BoundsOf(HWND window) {
    return BoundsOfPlacement(PlacementOf(window));
}

int ApplyBounds(HWND window, const WindowBounds& bounds) {
    return ApplyPlacement(window, PlacementOfBounds(bounds));
}

}  // namespace sorvane
