#include "win/framework/Application.h"

#include <algorithm>

#include "win/platform/EntryGuard.h"

namespace sorvane {

Application::Application(Platform& platform) : platform_(platform) {
    SetErrorHandler([this](const std::string& message) { ShowError(message); });
}

Application::~Application() {
    SetErrorHandler(nullptr);
}

void Application::Terminate() {
    if (!terminated_) PostQuitMessage(0);
    terminated_ = true;
    passes_.StopAll();
}

int Application::Run() {
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        // Tab and the arrow keys move between the controls of the active window.
        HWND active = GetActiveWindow();
        if (active && IsDialogMessageW(active, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void Application::SetTooltipOptions(const TooltipOptions& options) {
    tooltips_ = options;
    for (Tooltip* tooltip : tooltipControls_) tooltip->Apply(tooltips_);
}

void Application::Register(Tooltip& tooltip) {
    tooltipControls_.push_back(&tooltip);
    tooltip.Apply(tooltips_);
}

void Application::Unregister(Tooltip& tooltip) {
    tooltipControls_.erase(std::remove(tooltipControls_.begin(), tooltipControls_.end(), &tooltip),
                           tooltipControls_.end());
}

HWND Application::Owner() {
    if (!owner_) {
        owner_.Reset(CreateWindowExW(0, L"STATIC", L"Sorvane", WS_POPUP, 0, 0, 0, 0, nullptr,
                                     nullptr, GetModuleHandleW(nullptr), nullptr));
    }
    return owner_.Get();
}

void Application::ShowError(const std::string& message) {
    platform_.prompts.Error(message);
}

}  // namespace sorvane
