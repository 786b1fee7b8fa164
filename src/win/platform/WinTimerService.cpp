#include "win/platform/WinTimerService.h"

#include <map>
#include <stdexcept>

#include "win/platform/EntryGuard.h"
#include "win/platform/WinApi.h"
#include "win/platform/WinHandles.h"

namespace sorvane {

namespace {

constexpr wchar_t kClassName[] = L"SorvaneTimerWindow";

}  // namespace

// The message-only window that receives WM_TIMER and the ticks that belong to each timer id.
class WinTimerService::Window {
  public:
    Window() {
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &Window::Procedure;
        wc.hInstance = instance;
        wc.lpszClassName = kClassName;
        if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
            throw std::runtime_error("cannot register the timer window class");
        }
        hwnd_.Reset(CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    instance, nullptr));
        if (!hwnd_) throw std::runtime_error("cannot create the timer window");
        SetWindowLongPtrW(hwnd_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~Window() {
        SetWindowLongPtrW(hwnd_.Get(), GWLP_USERDATA, 0);
        for (const auto& entry : ticks_) KillTimer(hwnd_.Get(), entry.first);
    }
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    UINT_PTR Add(std::uint32_t periodMs, std::function<void()> tick) {
        const UINT_PTR id = nextId_++;
        if (SetTimer(hwnd_.Get(), id, periodMs, nullptr) == 0) {
            throw std::runtime_error("cannot start a timer");
        }
        ticks_.emplace(id, std::make_shared<std::function<void()>>(std::move(tick)));
        return id;
    }

    void Remove(UINT_PTR id) {
        KillTimer(hwnd_.Get(), id);
        ticks_.erase(id);
    }

  private:
    void Fire(UINT_PTR id) {
        const auto found = ticks_.find(id);
        // A WM_TIMER already queued when its timer was stopped.
        if (found == ticks_.end()) return;
        // The tick may stop its own timer; keep the function alive until it returns.
        const std::shared_ptr<std::function<void()>> tick = found->second;
        Guard(*tick);
    }

    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_TIMER) {
            auto* const self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
            if (self != nullptr) self->Fire(static_cast<UINT_PTR>(wParam));
            return 0;
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }

    UniqueWindow hwnd_;
    std::map<UINT_PTR, std::shared_ptr<std::function<void()>>> ticks_;
    UINT_PTR nextId_ = 1;
};

// One running timer; stopping it is all it does.
class WinTimerService::Timer final : public ITimer {
  public:
    Timer(std::weak_ptr<Window> window, UINT_PTR id) : window_(std::move(window)), id_(id) {}
    ~Timer() override {
        if (const auto window = window_.lock()) window->Remove(id_);
    }
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

  private:
    std::weak_ptr<Window> window_;
    UINT_PTR id_;
};

WinTimerService::WinTimerService() : window_(std::make_shared<Window>()) {}

WinTimerService::~WinTimerService() = default;

std::unique_ptr<ITimer> WinTimerService::Start(std::uint32_t periodMs, std::function<void()> tick) {
    const UINT_PTR id = window_->Add(periodMs, std::move(tick));
    return std::make_unique<Timer>(window_, id);
}

}  // namespace sorvane
