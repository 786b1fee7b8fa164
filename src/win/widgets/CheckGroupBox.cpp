#include "win/widgets/CheckGroupBox.h"

#include "win/platform/Utf.h"
#include "win/utils/Controls.h"

namespace sorvane {

namespace {
constexpr int kTitleLeft = 8;
constexpr int kTitleGap = 6;  // room for the check box and the blank after the text
}  // namespace

CheckGroupBox::CheckGroupBox(HWND parent, const std::string& title, RECT bounds, int id,
                             Options options)
    : options_(std::move(options)) {
    CreatePanel(L"SorvaneCheckGroupBox", parent, bounds, id, WS_VISIBLE);
    // The frame covers the whole group and paints only its line and not its inside, so the
    // group erases below its controls itself.
    SetWindowLongPtrW(Handle(), GWL_STYLE,
                      GetWindowLongPtrW(Handle(), GWL_STYLE) & ~WS_CLIPCHILDREN);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    // The frame lies below every inner control and never paints over them.
    frame_ = MakeControl(Handle(), L"BUTTON", "", WS_VISIBLE | BS_GROUPBOX | WS_CLIPSIBLINGS,
                         {0, 0, width, height}, 0);
    title_ = MakeControl(Handle(), L"BUTTON", title, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX,
                         Bounds(kTitleLeft, 0, 1, 1), id);
    SetAutoSizeText(title_, title);
    RECT text{};
    GetWindowRect(title_, &text);
    SetWindowPos(title_, HWND_TOP, Scaled(kTitleLeft), 0,
                 text.right - text.left + GetSystemMetrics(SM_CXMENUCHECK) + Scaled(kTitleGap),
                 text.bottom - text.top + 2, SWP_NOACTIVATE);
    SendMessageW(title_, BM_SETCHECK, options_.checked ? BST_CHECKED : BST_UNCHECKED, 0);
    // The inner controls follow the title box before the window hears of the click.
    titleRoute_.emplace(title_, [this](ControlEvent& e) -> std::optional<LRESULT> {
        if (e.code == BN_CLICKED) {
            EnableAllInner();
            if (options_.changed) options_.changed(Checked());
        }
        return std::nullopt;
    });
}

bool CheckGroupBox::Checked() const {
    return SendMessageW(title_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CheckGroupBox::SetChecked(bool checked) {
    SendMessageW(title_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    EnableAllInner();
}

RECT CheckGroupBox::Inside() const {
    RECT client{};
    GetClientRect(Handle(), &client);
    RECT title{};
    GetWindowRect(title_, &title);
    const int margin = Scaled(kTitleLeft);
    return {client.left + margin, title.bottom - title.top + Scaled(2), client.right - margin,
            client.bottom - margin};
}

void CheckGroupBox::EnableInner(HWND child) const {
    if (child != frame_ && child != title_) EnableWindow(child, Checked());
}

void CheckGroupBox::EnableAllInner() const {
    for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        EnableInner(child);
    }
}

LRESULT CheckGroupBox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PARENTNOTIFY:
            // A control placed on the group takes the group's state and stays above the frame.
            if (LOWORD(wParam) == WM_CREATE) {
                const auto child = reinterpret_cast<HWND>(lParam);
                if (frame_)
                    SetWindowPos(frame_, HWND_BOTTOM, 0, 0, 0, 0,
                                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
                if (title_) EnableInner(child);
            }
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            // The group shows its parent's background, as if it were not there.
            return SendMessageW(GetParent(Handle()), message, wParam, lParam);
        case WM_ERASEBKGND: {
            const auto brush =
                reinterpret_cast<HBRUSH>(SendMessageW(GetParent(Handle()), WM_CTLCOLORSTATIC,
                                                      wParam, reinterpret_cast<LPARAM>(Handle())));
            if (!brush) break;
            RECT r{};
            GetClientRect(Handle(), &r);
            FillRect(reinterpret_cast<HDC>(wParam), &r, brush);
            return 1;
        }
        default:
            break;
    }
    return HostPanel::OnMessage(message, wParam, lParam);
}

}  // namespace sorvane
