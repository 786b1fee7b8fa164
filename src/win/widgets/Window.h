#pragma once
// The base of every window and custom control: class registration, the link from a window
// handle to its object, and the guard that keeps exceptions inside the window procedure.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace sorvane {

// Where errors that reach a window procedure go; the application shows them in its error box.
void SetErrorHandler(std::function<void(const std::string&)> handler);
void ReportError(const std::string& message);

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

// An object that handles the notifications its control sends to the parent: whatever window
// the control is placed in passes WM_NOTIFY from it on, so the control's logic stays with it.
class NotifyHandler {
  public:
    virtual ~NotifyHandler() = default;
    // The notification's result, or nothing to leave it to the parent.
    virtual std::optional<LRESULT> OnNotify(NMHDR& notification) = 0;
    // Links a control (or a control's inner control, such as a list view's header) to its
    // handler; Detach must come before the handler goes.
    static void Attach(HWND control, NotifyHandler* handler);
    static void Detach(HWND control);
    static std::optional<LRESULT> Dispatch(NMHDR& notification);
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
    HWND hwnd_ = nullptr;
};

}  // namespace sorvane
