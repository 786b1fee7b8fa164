#include "win/widgets/TrayIcon.h"

#include <cstdlib>

#include "win/platform/Utf.h"

namespace sorvane {

namespace {
constexpr UINT_PTR kWatchTimer = 1;
constexpr UINT kWatchIntervalMs = 100;
constexpr UINT kIconId = 1;
}  // namespace

TrayIcon::TrayIcon(HICON icon, const std::string& tip, Events events)
    : events_(std::move(events)), taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")) {
    CreateWindowOf({kTrayWindowClass}, 0, "", WS_POPUP, {0, 0, 0, 0}, nullptr);
    data_.cbSize = sizeof data_;
    data_.hWnd = Handle();
    data_.uID = kIconId;
    data_.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    data_.uCallbackMessage = kTrayCallbackMessage;
    data_.hIcon = icon;
    // The tray keeps at most 63 characters of a tooltip.
    const std::wstring wide = Widen(tip).substr(0, 63);
    wcsncpy(data_.szTip, wide.c_str(), 63);
    Add();
}

TrayIcon::~TrayIcon() {
    Shell_NotifyIconW(NIM_DELETE, &data_);
}

void TrayIcon::Add() {
    Shell_NotifyIconW(NIM_ADD, &data_);
}

void TrayIcon::ShowBalloon(const std::string& title, const std::string& text) {
    NOTIFYICONDATAW balloon = data_;
    balloon.uFlags = NIF_INFO;
    balloon.dwInfoFlags = NIIF_INFO;
    // The tray keeps at most 63 characters of the title and 255 of the text.
    wcsncpy(balloon.szInfoTitle, Widen(title).substr(0, 63).c_str(), 63);
    wcsncpy(balloon.szInfo, Widen(text).substr(0, 255).c_str(), 255);
    Shell_NotifyIconW(NIM_MODIFY, &balloon);
}

void TrayIcon::ShowMenuAtPointer(HMENU menu, HWND owner,
                                 const std::function<void()>& processPending) {
    SetForegroundWindow(owner);
    if (processPending) processPending();
    POINT at{};
    GetCursorPos(&at);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
    PostMessageW(owner, WM_USER, 0, 0);
}

void TrayIcon::OnPointerMoved() {
    GetCursorPos(&lastOver_);
    if (pointerOver_) return;
    pointerOver_ = true;
    SetTimer(Handle(), kWatchTimer, kWatchIntervalMs, nullptr);
    if (events_.mouseEnter) events_.mouseEnter();
}

void TrayIcon::WatchPointer() {
    POINT now{};
    GetCursorPos(&now);
    if (std::abs(now.x - lastOver_.x) < kTrayLeaveDistance &&
        std::abs(now.y - lastOver_.y) < kTrayLeaveDistance) {
        return;
    }
    KillTimer(Handle(), kWatchTimer);
    pointerOver_ = false;
    if (events_.mouseExit) events_.mouseExit();
}

LRESULT TrayIcon::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kTrayCallbackMessage) {
        switch (LOWORD(lParam)) {
            case WM_MOUSEMOVE:
                OnPointerMoved();
                break;
            case WM_LBUTTONUP:
                if (events_.click) events_.click(MouseButton::kLeft);
                break;
            case WM_RBUTTONUP:
                if (events_.click) events_.click(MouseButton::kRight);
                break;
            case WM_MBUTTONUP:
                if (events_.click) events_.click(MouseButton::kMiddle);
                break;
            default:
                break;
        }
        return 0;
    }
    if (message == WM_TIMER && wParam == kWatchTimer) {
        WatchPointer();
        return 0;
    }
    if (message == taskbarCreated_) {
        // Explorer restarted: the new taskbar knows nothing of our icon.
        Add();
        return 0;
    }
    return DefaultProc(message, wParam, lParam);
}

}  // namespace sorvane
