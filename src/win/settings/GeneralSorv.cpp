#include "settings/GeneralSorv.h"

#include "app/MainSorv.h"

namespace sorvane {

namespace {
constexpr DWORD kStyle = WS_CAPTION | DS_MODALFRAME;
}  // namespace

TForm2::TForm2(AppContext& context) : Form(context.app, L"TForm2"), context_(context) {
    CreateForm("Sorvane v2.03 - General Options", kStyle, 0, {394, 323});
    CenterOnScreen();

    const Settings settings(context.platform.settings, context.forms.main->Values().settingsPath);
    applied_ = GeneralOptions::Load(settings);
    ApplyTooltipOptions();
}

void TForm2::ApplyTooltipOptions() {
    context_.app.SetTooltipOptions({applied_.tooltips, static_cast<COLORREF>(applied_.tooltipColor),
                                    static_cast<UINT>(applied_.hintSeconds) * 1000});
}

}  // namespace sorvane
