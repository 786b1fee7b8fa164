#pragma once
// A tool window: a Form with what every tool window has, whatever its tool. The status bar
// along the bottom and its fit as the window is resized, the pass runner and how its passes
// show (PassView), the controls placed for the room above the status bar, the stored placement
// put back with the show state (maximised) kept for the next showing, and the save of its
// settings as it closes, where a file that cannot be written is said once and the window still
// closes. The window keeps only what is its own: its controls, its settings' names, its tool.
#include <optional>
#include <string>

#include "core/app/PassRunner.h"
#include "core/settings/StoredOptions.h"
#include "win/framework/Form.h"
#include "win/framework/PassView.h"
#include "win/utils/StatusBar.h"

namespace sorvane {

struct ToolFormSetup {
    std::string caption;
    Size designOuter;  // design units, scaled to the screen
    int statusId = 0;
    std::string statusText;  // the status bar's text as the window is made
};

class ToolForm : public Form {
  public:
    ~ToolForm() override;

    PassRunner& Runner() { return *runner_; }
    PassView& View() { return *view_; }
    StatusBar& Status() { return *status_; }
    const StatusBar& Status() const { return *status_; }
    std::string StatusText() const { return status_->Text(); }
    bool Busy() const { return runner_->Active(); }

  protected:
    ToolForm(AppContext& context, const wchar_t* windowClass, const ToolFormSetup& setup);

    // Puts a stored placement on the hidden window (none: it stays where it is); a window
    // saved maximised comes up maximised at its next showing, one saved minimised normal.
    void RestorePlacement(const std::optional<StoredPlacement>& placement);
    // The placement to store: where the window is now.
    StoredPlacement Placement() const;
    // Places the controls for the room the window has now; the window calls it once its
    // controls are made, and from then on every change of size does.
    void Layout();
    // True from the window's showing until it closes.
    bool Opened() const { return opened_; }

    // The window comes on screen (not when it is shown again while on screen).
    virtual void OnShown() {}
    // The room above the status bar, in pixels, for the window's controls.
    virtual void OnLayout(SIZE /*room*/) {}
    // The window closes: its pass is stopped already, its settings are saved after this.
    virtual void OnClose() {}
    // Writes the window's settings in one change of the file; throws SettingsWriteError when
    // the file refuses it.
    virtual void SaveSettings() = 0;

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void OnShowing() final;
    void OnClosing() final;

    std::optional<StatusBar> status_;
    std::optional<PassView> view_;
    std::optional<PassRunner> runner_;
    bool laidOut_ = false;
    bool opened_ = false;
    // How the window comes up the next time it is shown: as its placement was saved.
    int showCmd_ = SW_SHOWNORMAL;
};

}  // namespace sorvane
