#pragma once
// The base of every window and custom control: class registration, the link from a window
// handle to its object, the one route of control notifications, and the guard that keeps
// exceptions inside the window procedure.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace sorvane {

// A control that draws itself when its parent receives WM_DRAWITEM for it.
class OwnerDrawn {
  public:
    virtual ~OwnerDrawn() = default;
    virtual void Draw(const DRAWITEMSTRUCT& item) = 0;
    // Links a control created with an owner-draw style to the object that draws it.
    static void Attach(HWND control, OwnerDrawn* drawer);
    // Lets the parent pass WM_DRAWITEM on; true when a drawer was found.
    static bool Dispatch(const DRAWITEMSTRUCT& item);
};

// A WM_COMMAND or WM_NOTIFY that a control sent to its parent.
struct ControlEvent {
    UINT code;      // the WM_COMMAND notification code or NMHDR::code
    NMHDR* header;  // set for WM_NOTIFY, null for WM_COMMAND
};

// How a widget handles the notifications of its control, wherever the control is placed: the
// first of the program's windows above the control calls `before`, which may answer in place
// of the window, then (when it did not) lets the window handle the message, then calls
// `after`. Panels pass their controls' notifications on to their parent, where the route does
// not act a second time. A route lives as long as the object; several may watch one control.
class ControlRoute {
  public:
    using Before = std::function<std::optional<LRESULT>(ControlEvent&)>;
    using After = std::function<void(const ControlEvent&)>;

    ControlRoute(HWND control, Before before, After after = {});
    ControlRoute(HWND control, After after) : ControlRoute(control, Before{}, std::move(after)) {}
    ~ControlRoute();
    ControlRoute(const ControlRoute&) = delete;
    ControlRoute& operator=(const ControlRoute&) = delete;

  private:
    friend class Window;
    HWND control_;
    Before before_;
    After after_;
};

class Window {
  public:
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND Handle() const { return hwnd_; }

  protected:
    Window() = default;

    struct ClassSpec {
        const wchar_t* name;
        HBRUSH background = nullptr;  // nullptr: the button face
        UINT style = CS_HREDRAW | CS_VREDRAW;
        bool withIcon = false;
    };
    void CreateWindowOf(const ClassSpec& windowClass, DWORD exStyle, const std::string& title,
                        DWORD style, RECT bounds, HWND parent, int id = 0);

    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Runs the routes of a control notification around the window's own handling.
    LRESULT Route(UINT message, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
};

}  // namespace sorvane
