#include "win/widgets/KeyHook.h"

#include <commctrl.h>

#include "win/platform/EntryGuard.h"

namespace sorvane {

KeyHook::KeyHook(HWND control, std::function<bool(WPARAM key)> handler, bool wantsReturn)
    : control_(control), handler_(std::move(handler)), wantsReturn_(wantsReturn) {
    SetWindowSubclass(control_, &KeyHook::Proc, reinterpret_cast<UINT_PTR>(this),
                      reinterpret_cast<DWORD_PTR>(this));
}

KeyHook::~KeyHook() {
    if (IsWindow(control_)) {
        RemoveWindowSubclass(control_, &KeyHook::Proc, reinterpret_cast<UINT_PTR>(this));
    }
}

LRESULT CALLBACK KeyHook::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                               DWORD_PTR self) {
    auto* hook = reinterpret_cast<KeyHook*>(self);
    switch (message) {
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, &KeyHook::Proc, id);
            break;
        case WM_GETDLGCODE:
            if (hook->wantsReturn_ && wParam == VK_RETURN) {
                return DefSubclassProc(hwnd, message, wParam, lParam) | DLGC_WANTALLKEYS;
            }
            break;
        case WM_KEYDOWN: {
            // This runs inside the control's window procedure, outside any window's guard.
            bool handled = false;
            Guard([&] { handled = hook->handler_(wParam); });
            if (handled) {
                hook->swallowChar_ = wParam == VK_RETURN;
                return 0;
            }
            break;
        }
        case WM_CHAR:
            // The character of a key that was acted on would only beep.
            if (hook->swallowChar_ && wParam == '\r') {
                hook->swallowChar_ = false;
                return 0;
            }
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

std::unique_ptr<KeyHook> ListKeys(HWND control, std::function<void()> remove,
                                  std::function<void()> enter) {
    const bool wantsReturn = static_cast<bool>(enter);
    return std::make_unique<KeyHook>(
        control,
        [remove = std::move(remove), enter = std::move(enter)](WPARAM key) {
            const std::function<void()>& act = key == VK_DELETE ? remove : enter;
            if ((key != VK_DELETE && key != VK_RETURN) || !act) return false;
            act();
            return true;
        },
        wantsReturn);
}

}  // namespace sorvane
