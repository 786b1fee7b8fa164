#include "win/framework/Window.h"

#include <algorithm>
#include <set>
#include <stdexcept>
#include <vector>

#include "resource.h"
#include "win/platform/EntryGuard.h"
#include "win/platform/Utf.h"

namespace sorvane {

namespace {

constexpr wchar_t kDrawerProp[] = L"Sorvane.OwnerDrawn";

void RegisterOnce(const wchar_t* name, HBRUSH background, UINT style, bool withIcon, WNDPROC proc) {
    static std::set<std::wstring> registered;
    if (!registered.insert(name).second) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = background ? background : GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = name;
    if (withIcon) {
        wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(IDI_SORVANE));
        wc.hIconSm = wc.hIcon;
    }
    RegisterClassExW(&wc);
}

// The routes alive, in the order they were made. Few controls have one, so a list will do.
std::vector<ControlRoute*>& Routes() {
    static std::vector<ControlRoute*> routes;
    return routes;
}

// The first of the program's windows above `control` (those of class procedure `ours`): the
// one whose procedure runs the control's routes.
HWND RoutingWindow(HWND control, WNDPROC ours) {
    for (HWND up = GetParent(control); up != nullptr; up = GetParent(up)) {
        if (GetClassLongPtrW(up, GCLP_WNDPROC) == reinterpret_cast<LONG_PTR>(ours)) return up;
    }
    return nullptr;
}

}  // namespace

void OwnerDrawn::Attach(HWND control, OwnerDrawn* drawer) {
    SetPropW(control, kDrawerProp, drawer);
}

bool OwnerDrawn::Dispatch(const DRAWITEMSTRUCT& item) {
    auto* drawer = static_cast<OwnerDrawn*>(GetPropW(item.hwndItem, kDrawerProp));
    if (!drawer) return false;
    drawer->Draw(item);
    return true;
}

ControlRoute::ControlRoute(HWND control, Before before, After after)
    : control_(control), before_(std::move(before)), after_(std::move(after)) {
    Routes().push_back(this);
}

ControlRoute::~ControlRoute() {
    auto& routes = Routes();
    routes.erase(std::remove(routes.begin(), routes.end(), this), routes.end());
}

Window::~Window() {
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void Window::CreateWindowOf(const ClassSpec& windowClass, DWORD exStyle, const std::string& title,
                            DWORD style, RECT bounds, HWND parent, int id) {
    RegisterOnce(windowClass.name, windowClass.background, windowClass.style, windowClass.withIcon,
                 &Window::Proc);
    CreateWindowExW(exStyle, windowClass.name, Widen(title).c_str(), style, bounds.left, bounds.top,
                    bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                    this);
    if (!hwnd_)
        throw std::runtime_error("Unable to create a window of class " + Narrow(windowClass.name));
}

LRESULT Window::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultProc(message, wParam, lParam);
}

LRESULT Window::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT Window::Route(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND control = nullptr;
    ControlEvent event{0, nullptr};
    if (message == WM_COMMAND && lParam != 0) {
        control = reinterpret_cast<HWND>(lParam);
        event.code = HIWORD(wParam);
    } else if (message == WM_NOTIFY && lParam != 0) {
        event.header = reinterpret_cast<NMHDR*>(lParam);
        control = event.header->hwndFrom;
        event.code = event.header->code;
    }
    // A copy: a route may come or go while the message is handled. Most controls have no
    // route, so the walk up the parents is left for those that have one.
    std::vector<ControlRoute*> routes;
    for (ControlRoute* route : Routes()) {
        if (control != nullptr && route->control_ == control) routes.push_back(route);
    }
    if (routes.empty() || RoutingWindow(control, &Window::Proc) != hwnd_) {
        return OnMessage(message, wParam, lParam);
    }
    const auto alive = [](ControlRoute* route) {
        return std::find(Routes().begin(), Routes().end(), route) != Routes().end();
    };
    for (ControlRoute* route : routes) {
        if (!alive(route) || !route->before_) continue;
        if (const std::optional<LRESULT> answer = route->before_(event)) return *answer;
    }
    const LRESULT result = OnMessage(message, wParam, lParam);
    for (ControlRoute* route : routes) {
        if (alive(route) && route->after_) route->after_(event);
    }
    return result;
}

LRESULT CALLBACK Window::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* self = static_cast<Window*>(create->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    LRESULT result = 0;
    Guard([&] {
        if (message == WM_DRAWITEM && lParam &&
            OwnerDrawn::Dispatch(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) {
            result = TRUE;
            return;
        }
        result = self->Route(message, wParam, lParam);
    });
    return result;
}

}  // namespace sorvane
