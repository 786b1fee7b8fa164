#include "win/results/DestinationPanel.h"

#include "win/platform/Utf.h"
#include "win/utils/Controls.h"
#include "win/widgets/StandardControls.h"

namespace sorvane {

namespace {
constexpr int kWidth = 330;
constexpr int kHeight = 112;
}  // namespace

DestinationPanel::DestinationPanel(HWND parent, const std::string& title, POINT position, Ids ids,
                                   Tooltip& tips)
    : panel_(parent, title, Bounds(position.x, position.y, kWidth, kHeight), ids.panel),
      ids_(ids),
      tips_(tips) {
    const HWND p = panel_.Handle();
    const POINT below{0, panel_.TitleHeight()};
    MakeCheckBox(p, "Always Use This Directory", BoundsFrom(below, 8, 6, 250, 20), ids.always);
    MakeControl(p, L"EDIT", "", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                BoundsFrom(below, 8, 30, 276, 22), ids.edit, WS_EX_CLIENTEDGE);
    const HWND select = MakeButton(p, "...", BoundsFrom(below, 290, 30, 30, 22), ids.select);
    const HWND accept = MakeButton(p, "Accept", BoundsFrom(below, 150, 58, 80, 24), ids.accept);
    const HWND cancel = MakeButton(p, "Cancel", BoundsFrom(below, 240, 58, 80, 24), ids.cancel);
    tips.Add(select, "Click to select a destination directory.");
    tips.Add(accept, "Click to accept the selected directory and continue with moving operation.");
    tips.Add(cancel, "Click to close without making any changes.");
    // A long path is read in full in the edit's tip.
    editRoute_ = std::make_unique<ControlRoute>(Control(ids.edit), [this](const ControlEvent& e) {
        if (e.code == EN_CHANGE) tips_.Add(Control(ids_.edit), Destination());
    });
}

std::string DestinationPanel::Destination() {
    return WindowText(Control(ids_.edit));
}

void DestinationPanel::SetDestination(const std::string& text) {
    SetWindowTextW(Control(ids_.edit), Widen(text).c_str());
}

bool DestinationPanel::Always() {
    return IsChecked(Control(ids_.always));
}

void DestinationPanel::SetAlways(bool always) {
    SetChecked(Control(ids_.always), always);
}

void DestinationPanel::Show() {
    panel_.Show(true);
    SetWindowPos(panel_.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void DestinationPanel::Hide() {
    panel_.Show(false);
}

}  // namespace sorvane
