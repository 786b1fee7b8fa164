#include "win/widgets/Window.h"

#include <exception>
#include <set>
#include <stdexcept>

#include "resource.h"
#include "win/platform/Utf.h"

namespace sorvane {

namespace {

std::function<void(const std::string&)>& Handler() {
    static std::function<void(const std::string&)> handler;
    return handler;
}

constexpr wchar_t kDrawerProp[] = L"Sorvane.OwnerDrawn";
constexpr wchar_t kNotifyProp[] = L"Sorvane.NotifyHandler";

void RegisterOnce(const Window* /*unused*/, const wchar_t* name, HBRUSH background, UINT style,
                  bool withIcon, WNDPROC proc) {
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

}  // namespace

void SetErrorHandler(std::function<void(const std::string&)> handler) {
    Handler() = std::move(handler);
}

void ReportError(const std::string& message) {
    if (Handler()) {
        Handler()(message);
    } else {
        MessageBoxW(nullptr, Widen(message).c_str(), L"Error", MB_OK | MB_ICONERROR);
    }
}

void OwnerDrawn::Attach(HWND control, OwnerDrawn* drawer) {
    SetPropW(control, kDrawerProp, drawer);
}

bool OwnerDrawn::Dispatch(const DRAWITEMSTRUCT& item) {
    auto* drawer = static_cast<OwnerDrawn*>(GetPropW(item.hwndItem, kDrawerProp));
    if (!drawer) return false;
    drawer->Draw(item);
    return true;
}

void NotifyHandler::Attach(HWND control, NotifyHandler* handler) {
    SetPropW(control, kNotifyProp, handler);
}

void NotifyHandler::Detach(HWND control) {
    RemovePropW(control, kNotifyProp);
}

std::optional<LRESULT> NotifyHandler::Dispatch(NMHDR& notification) {
    auto* handler = static_cast<NotifyHandler*>(GetPropW(notification.hwndFrom, kNotifyProp));
    if (!handler) return std::nullopt;
    return handler->OnNotify(notification);
}

Window::~Window() {
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void Window::CreateWindowOf(const ClassSpec& windowClass, DWORD exStyle, const std::string& title,
                            DWORD style, RECT bounds, HWND parent, int id) {
    RegisterOnce(this, windowClass.name, windowClass.background, windowClass.style,
                 windowClass.withIcon, &Window::Proc);
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
    try {
        if (message == WM_DRAWITEM && lParam &&
            OwnerDrawn::Dispatch(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) {
            return TRUE;
        }
        if (message == WM_NOTIFY && lParam) {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            // A panel passes its controls' notifications on to its parent, where the control's
            // handler must not act a second time.
            static thread_local const NMHDR* handled = nullptr;
            if (header != handled) {
                if (const std::optional<LRESULT> result = NotifyHandler::Dispatch(*header)) {
                    return *result;
                }
                struct Mark {
                    const NMHDR* outer = handled;
                    explicit Mark(const NMHDR* h) { handled = h; }
                    ~Mark() { handled = outer; }
                } mark(header);
                return self->OnMessage(message, wParam, lParam);
            }
        }
        return self->OnMessage(message, wParam, lParam);
    } catch (const std::exception& e) {
        ReportError(e.what());
    } catch (...) {
        ReportError("Unexpected error.");
    }
    return 0;
}

}  // namespace sorvane
