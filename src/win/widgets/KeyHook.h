#pragma once
// Lets a window act on keys typed into one of its controls (Delete in a list, Enter in an
// edit box) before the control itself sees them.
#include <windows.h>

#include <functional>
#include <memory>

namespace sorvane {

class KeyHook {
  public:
    // `handler` gets each key pressed in the control; true means it acted and the control
    // does not see the key. `keys` are taken from dialog navigation too (Enter, which would
    // otherwise press the window's default button).
    KeyHook(HWND control, std::function<bool(WPARAM key)> handler, bool wantsReturn = false);
    ~KeyHook();
    KeyHook(const KeyHook&) = delete;
    KeyHook& operator=(const KeyHook&) = delete;

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                 DWORD_PTR self);
    HWND control_;
    std::function<bool(WPARAM)> handler_;
    bool wantsReturn_;
    bool swallowChar_ = false;
};

// Delete and Enter typed in a list or its edit box: `remove` and `enter` act on them (either
// may be empty, and then the control sees the key).
std::unique_ptr<KeyHook> ListKeys(HWND control, std::function<void()> remove,
                                  std::function<void()> enter = {});

}  // namespace sorvane
