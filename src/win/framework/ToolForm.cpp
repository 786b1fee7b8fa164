#include "win/framework/ToolForm.h"

#include <algorithm>

#include "core/platform/SettingsStore.h"
#include "win/framework/WindowPlacement.h"
#include "win/utils/Controls.h"

namespace sorvane {

namespace {

constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTEXTHELP;

}  // namespace

ToolForm::ToolForm(AppContext& context, const wchar_t* windowClass, const ToolFormSetup& setup)
    : Form(context, windowClass) {
    CreateForm(setup.caption, kStyle, kExStyle, setup.designOuter);
    status_.emplace(Handle(), setup.statusId, setup.statusText);
    view_.emplace(Handle(), *status_);
    runner_.emplace(context.app.Passes(), *view_);
    KeepClientWithin(Handle(), {setup.designOuter.width, setup.designOuter.height}, 0);
}

ToolForm::~ToolForm() {
    runner_->Stop();
}

void ToolForm::RestorePlacement(const std::optional<StoredPlacement>& placement) {
    if (placement) showCmd_ = ApplyPlacement(Handle(), *placement);
}

StoredPlacement ToolForm::Placement() const {
    return PlacementOf(Handle());
}

void ToolForm::Layout() {
    laidOut_ = true;
    status_->Fit();
    RECT client{};
    GetClientRect(Handle(), &client);
    RECT bar{};
    GetWindowRect(status_->Handle(), &bar);
    OnLayout({client.right, std::max(0L, client.bottom - (bar.bottom - bar.top))});
}

void ToolForm::OnShowing() {
    opened_ = true;
    OnShown();
    if (showCmd_ == SW_SHOWMAXIMIZED) ShowWindow(Handle(), SW_SHOWMAXIMIZED);
    showCmd_ = SW_SHOWNORMAL;
}

void ToolForm::OnClosing() {
    // A running pass ends at its next entry.
    runner_->Stop();
    opened_ = false;
    OnClose();
    try {
        SaveSettings();
    } catch (const SettingsWriteError& e) {
        // The window still closes; what could not be kept is said once.
        Prompts().Error(e.what());
    }
}

LRESULT ToolForm::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE) {
        // Not while the window is being made: its controls are not all there yet.
        if (laidOut_) Layout();
        return 0;
    }
    return Form::OnMessage(message, wParam, lParam);
}

}  // namespace sorvane
