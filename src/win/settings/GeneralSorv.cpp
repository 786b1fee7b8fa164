#include "settings/GeneralSorv.h"

#include "app/MainSorv.h"

namespace sorvane {

namespace {
constexpr DWORD kStyle = WS_CAPTION | DS_MODALFRAME;
}  // namespace

TForm2::TForm2(AppContext& context) : Form(context.app, L"TForm2"), context_(context) {
    CreateForm("Sorvane v2.03 - General Options", kStyle, 0, {394, 323});
    RECT r{};
    GetWindowRect(Handle(), &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    SetWindowPos(Handle(), nullptr, GetSystemMetrics(SM_CXSCREEN) / 2 - width / 2,
                 GetSystemMetrics(SM_CYSCREEN) / 2 - height / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    const Settings settings(context.platform.settings, context.forms.main->Values().settingsPath);
    applied_ = GeneralOptions::Load(settings);
    ApplyTooltipOptions();
}

void TForm2::ApplyTooltipOptions() {
    context_.app.SetTooltipOptions({applied_.tooltips, static_cast<COLORREF>(applied_.tooltipColor),
                                    static_cast<UINT>(applied_.hintSeconds) * 1000});
}

}  // namespace sorvane
