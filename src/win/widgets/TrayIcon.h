#pragma once
// The program's icon in the notification area. It reports clicks with their mouse button,
// and the pointer coming onto and leaving the icon, which the platform does not report
// itself: leaving is detected by watching the pointer after the last movement seen over
// the icon.
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>

#include "win/framework/Window.h"

namespace sorvane {

enum class MouseButton { kLeft, kRight, kMiddle };

inline constexpr UINT kTrayCallbackMessage = WM_APP + 1;
inline constexpr wchar_t kTrayWindowClass[] = L"SorvaneTrayIcon";
// How far the pointer may drift from its last position over the icon and still be on it.
inline constexpr int kTrayLeaveDistance = 3;

class TrayIcon : public Window {
  public:
    struct Events {
        std::function<void(MouseButton)> click;
        std::function<void()> mouseEnter;
        std::function<void()> mouseExit;
    };
    TrayIcon(HICON icon, const std::string& tip, Events events);
    ~TrayIcon() override;

    // Brings the program to the foreground, lets pending messages run, opens `menu` at the
    // pointer with `owner` receiving its commands, then posts an empty message to the owner
    // so the menu closes properly when the user clicks elsewhere.
    static void ShowMenuAtPointer(HMENU menu, HWND owner,
                                  const std::function<void()>& processPending);

    // A balloon over the icon with `title` and `text`, which the system takes away in time.
    void ShowBalloon(const std::string& title, const std::string& text);

  protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void Add();
    void OnPointerMoved();
    void WatchPointer();

    NOTIFYICONDATAW data_{};
    Events events_;
    UINT taskbarCreated_;
    bool pointerOver_ = false;
    POINT lastOver_{};
};

}  // namespace sorvane
