#pragma once
// Lets a widget see the notifications its control sends to the control's parent. The parent
// is hooked (a window subclass), so the parent still handles every message as before and the
// control stays a plain child of the parent, where automation finds it.
#include <windows.h>
#include <commctrl.h>

#include <functional>

namespace sorvane {

struct ControlEvent {
    UINT code;            // the WM_COMMAND notification code or NMHDR::code
    const NMHDR* header;  // set for WM_NOTIFY, null for WM_COMMAND
};

class ControlEvents {
  public:
    using Handler = std::function<void(const ControlEvent&)>;
    // Calls `handler` for each notification from `control`, once the parent has handled it
    // (so a window can, say, prepare a button's menu before the button drops it down).
    ControlEvents(HWND control, Handler handler);
    ~ControlEvents();
    ControlEvents(const ControlEvents&) = delete;
    ControlEvents& operator=(const ControlEvents&) = delete;

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                 DWORD_PTR self);
    HWND control_;
    HWND parent_;
    Handler handler_;
};

// Marks a change the program makes itself for as long as it lives, so a widget reports only
// the changes of the user or of an automation tool.
class OwnChange {
  public:
    explicit OwnChange(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~OwnChange() { flag_ = old_; }
    OwnChange(const OwnChange&) = delete;
    OwnChange& operator=(const OwnChange&) = delete;

  private:
    bool& flag_;
    bool old_;
};

}  // namespace sorvane
