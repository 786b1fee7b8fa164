#pragma once
// Dragging an entry of a directory tree onto a list of the same window: the window holds the
// mouse while the drag lasts, the pointer shows whether a drop would be taken there, and a
// drop on the list adds the tree's selected entry to it.
#include <windows.h>

#include <functional>
#include <optional>

namespace sorvane {

class TreeDrop {
  public:
    // `window` takes the mouse; `target` is the control that takes drops; `drop` adds.
    TreeDrop(HWND window, HWND target, std::function<void()> drop);

    // The tree reported the start of a drag.
    void Begin();
    // Ends a drag; with `drop`, a pointer over the target drops.
    void End(bool drop);
    // The window's mouse messages while a drag lasts: a result when the drag took one.
    std::optional<LRESULT> OnMessage(UINT message);

  private:
    bool OverTarget() const;

    HWND window_;
    HWND target_;
    std::function<void()> drop_;
    bool dragging_ = false;
};

}  // namespace sorvane
