#include "win/widgets/InputBox.h"

#include "win/framework/Modal.h"

#include <algorithm>

#include "win/framework/Window.h"
#include "win/platform/Utf.h"
#include "win/utils/Controls.h"

namespace sorvane {

namespace {

constexpr int kMargin = 10;
constexpr int kWidth = 320;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 25;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

class InputWindow : public Window {
  public:
    InputWindow(HWND owner, const std::string& caption, const std::string& prompt,
                const std::string& initial) {
        CreateWindowOf({kInputBoxClass}, kExStyle, caption, kStyle, {0, 0, Scaled(kWidth), 100},
                       owner);
        HWND label = MakeLabel(Handle(), prompt, kMargin, kMargin);
        RECT r{};
        GetWindowRect(label, &r);
        // Below the prompt, whose height is its font's.
        const POINT below{0, Scaled(kMargin + 6) + (r.bottom - r.top)};
        edit_ = MakeControl(Handle(), L"EDIT", initial, WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                            BoundsFrom(below, kMargin, 0, kWidth - 2 * kMargin, 22), 0,
                            WS_EX_CLIENTEDGE);
        const int buttonTop = 22 + 12;
        MakeControl(Handle(), L"BUTTON", "OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                    BoundsFrom(below, kWidth - 2 * (kButtonWidth + kMargin), buttonTop,
                               kButtonWidth, kButtonHeight),
                    IDOK);
        MakeButton(Handle(), "Cancel",
                   BoundsFrom(below, kWidth - kButtonWidth - kMargin, buttonTop, kButtonWidth,
                              kButtonHeight),
                   IDCANCEL);
        PlaceOver(owner, OuterSizeForClient(Scaled(kWidth),
                                            below.y + Scaled(buttonTop + kButtonHeight + kMargin),
                                            kStyle, kExStyle));
    }

    bool Finished() const { return finished_; }
    const std::optional<std::string>& Result() const { return result_; }

    void Open() {
        ShowWindow(Handle(), SW_SHOW);
        SetForegroundWindow(Handle());
        SetFocus(edit_);
        SendMessageW(edit_, EM_SETSEL, 0, -1);
    }

  protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_COMMAND:
                if (LOWORD(wParam) == IDOK) {
                    Finish(WindowText(edit_));
                } else if (LOWORD(wParam) == IDCANCEL) {
                    Finish(std::nullopt);
                }
                return 0;
            case DM_GETDEFID:
                return MAKELRESULT(IDOK, DC_HASDEFID);
            case WM_CLOSE:
                Finish(std::nullopt);
                return 0;
            default:
                return DefaultProc(message, wParam, lParam);
        }
    }

  private:
    void Finish(std::optional<std::string> result) {
        result_ = std::move(result);
        finished_ = true;
    }

    // Centred over the owner, or over the screen when there is none.
    void PlaceOver(HWND owner, SIZE size) {
        RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        if (owner && IsWindowVisible(owner)) GetWindowRect(owner, &area);
        const int left = std::max(0L, (area.left + area.right - size.cx) / 2);
        const int top = std::max(0L, (area.top + area.bottom - size.cy) / 2);
        SetWindowPos(Handle(), nullptr, left, top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    }

    HWND edit_ = nullptr;
    bool finished_ = false;
    std::optional<std::string> result_;
};

}  // namespace

std::optional<std::string> WinInputBox::Ask(const std::string& caption, const std::string& prompt,
                                            const std::string& initial) {
    InputWindow box(owner_, caption, prompt, initial);
    const OwnerDisabled disabled(owner_);
    box.Open();
    if (!RunModalLoop(box.Handle(), [&box] { return box.Finished(); })) return std::nullopt;
    return box.Result();
}

}  // namespace sorvane
