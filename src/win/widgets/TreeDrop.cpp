#include "win/widgets/TreeDrop.h"

namespace sorvane {

TreeDrop::TreeDrop(HWND window, HWND target, std::function<void()> drop)
    : window_(window), target_(target), drop_(std::move(drop)) {}

void TreeDrop::Begin() {
    dragging_ = true;
    SetCapture(window_);
    SetCursor(LoadCursorW(nullptr, IDC_NO));
}

void TreeDrop::End(bool drop) {
    if (!dragging_) return;
    dragging_ = false;
    ReleaseCapture();
    if (drop && OverTarget()) drop_();
}

bool TreeDrop::OverTarget() const {
    POINT at{};
    GetCursorPos(&at);
    RECT r{};
    GetWindowRect(target_, &r);
    return IsWindowVisible(target_) && PtInRect(&r, at);
}

std::optional<LRESULT> TreeDrop::OnMessage(UINT message) {
    if (!dragging_) return std::nullopt;
    switch (message) {
        case WM_MOUSEMOVE:
            SetCursor(LoadCursorW(nullptr, OverTarget() ? IDC_ARROW : IDC_NO));
            return 0;
        case WM_LBUTTONUP:
            End(true);
            return 0;
        case WM_CAPTURECHANGED:
            dragging_ = false;
            break;
        default:
            break;
    }
    return std::nullopt;
}

}  // namespace sorvane
