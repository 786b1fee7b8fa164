#include "win/widgets/ControlEvents.h"

#include <exception>
#include <optional>
#include <unordered_set>

#include "win/widgets/Window.h"

namespace sorvane {

namespace {
// The hooks still alive, so one removed while its parent handled a message is not called.
std::unordered_set<const ControlEvents*>& Live() {
    static std::unordered_set<const ControlEvents*> live;
    return live;
}
}  // namespace

ControlEvents::ControlEvents(HWND control, Handler handler)
    : control_(control), parent_(GetParent(control)), handler_(std::move(handler)) {
    Live().insert(this);
    SetWindowSubclass(parent_, &ControlEvents::Proc, reinterpret_cast<UINT_PTR>(this),
                      reinterpret_cast<DWORD_PTR>(this));
}

ControlEvents::~ControlEvents() {
    Live().erase(this);
    RemoveWindowSubclass(parent_, &ControlEvents::Proc, reinterpret_cast<UINT_PTR>(this));
}

LRESULT CALLBACK ControlEvents::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR self) {
    auto* events = reinterpret_cast<ControlEvents*>(self);
    if (message == WM_NCDESTROY) {
        // The parent goes first: nothing is left to unhook later.
        RemoveWindowSubclass(hwnd, &ControlEvents::Proc, id);
        return DefSubclassProc(hwnd, message, wParam, lParam);
    }
    std::optional<ControlEvent> event;
    if (message == WM_COMMAND && reinterpret_cast<HWND>(lParam) == events->control_) {
        event = ControlEvent{HIWORD(wParam), nullptr};
    } else if (message == WM_NOTIFY && lParam) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == events->control_) event = ControlEvent{header->code, header};
    }
    const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
    // The parent's handling may have removed the widget.
    if (!event || Live().count(events) == 0) return result;
    // This runs inside the parent's window procedure but outside its guard.
    if (events->handler_) {
        try {
            events->handler_(*event);
        } catch (const std::exception& e) {
            ReportError(e.what());
        } catch (...) {
            ReportError("Unexpected error.");
        }
    }
    return result;
}

}  // namespace sorvane
