#pragma once
// The destination panel of a result window's Move commands: a movable panel over the result
// table with "Always Use This Directory", the destination edit, a button that opens the
// directory picker, "Accept" and "Cancel". The window hands the buttons' clicks to its
// MoveCommands; the panel is what MoveCommands sees of the screen.
#include <windows.h>

#include <memory>
#include <string>

#include "core/results/FileActions.h"
#include "win/framework/Window.h"
#include "win/utils/Tooltip.h"
#include "win/widgets/MovablePanel.h"

namespace sorvane {

class DestinationPanel final : public IDestinationPanel {
  public:
    // The window's own names for the controls.
    struct Ids {
        int panel;
        int always;
        int edit;
        int select;
        int accept;
        int cancel;
    };
    DestinationPanel(HWND parent, const std::string& title, POINT position, Ids ids, Tooltip& tips);

    MovablePanel& Panel() { return panel_; }
    HWND Control(int id) const { return GetDlgItem(panel_.Handle(), id); }
    bool Visible() const { return panel_.Visible(); }

    // ---- IDestinationPanel
    std::string Destination() override;
    void SetDestination(const std::string& text) override;
    bool Always() override;
    void SetAlways(bool always) override;
    void Show() override;
    void Hide() override;

  private:
    MovablePanel panel_;
    Ids ids_;
    Tooltip& tips_;
    std::unique_ptr<ControlRoute> editRoute_;
};

}  // namespace sorvane
