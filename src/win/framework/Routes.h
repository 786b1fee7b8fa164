#pragma once
// Everything a window reacts to from its controls, declared in one place: each window fills
// its table in its constructor, in one block, and reading that block tells what the window
// does on every click, notification, scroll, right click and drag. A route is declared once;
// the window looks at no raw message for the same control. (Widgets that handle their own
// control's notifications, wherever it is placed, keep their ControlRoute.)
#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace sorvane {

class Routes {
  public:
    using Action = std::function<void()>;
    using Answer = std::function<std::optional<LRESULT>(NMHDR&)>;

    // A click of the button of that number anywhere in the window, or the menu item of that
    // number.
    Routes& Command(int id, Action action) { return Change(id, BN_CLICKED, std::move(action)); }
    // Another notification a control sends as WM_COMMAND (EN_CHANGE, CBN_SELCHANGE, ...).
    Routes& Change(int id, UINT code, Action action);
    // A WM_NOTIFY of the control of that number: the answer, or none to leave it to the system.
    Routes& Notify(int id, UINT code, Answer answer);
    // A track bar of that number moved (WM_HSCROLL or WM_VSCROLL naming it).
    Routes& Scroll(int id, Action action);
    // A right click on the control of that number; `at` is in screen coordinates, or -1 when
    // the keyboard asked.
    Routes& ContextMenu(int id, std::function<void(LPARAM at)> show);
    // The window's mouse messages while it holds a drag: an answer when the drag took one.
    Routes& Drag(std::function<std::optional<LRESULT>(UINT message)> take);

    // The answer of the route that took the message; none when no route did.
    std::optional<LRESULT> Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const;

  private:
    std::map<std::pair<int, UINT>, Action> changes_;
    std::map<std::pair<int, UINT>, Answer> notifications_;
    std::map<int, Action> scrolls_;
    std::map<int, std::function<void(LPARAM)>> menus_;
    std::vector<std::function<std::optional<LRESULT>(UINT)>> drags_;
};

}  // namespace sorvane
