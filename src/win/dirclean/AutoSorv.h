#pragma once
// The progress window of unattended work: start-up and timed directory cleans and the start-up
// shortcut scan. Whoever shows it sets the task line, writes the status line as it goes and
// says what Abort does; the window never hides itself.
#include <functional>
#include <memory>
#include <string>

#include "win/framework/AppContext.h"
#include "win/framework/Form.h"
#include "win/widgets/ScrewPanel.h"

namespace sorvane {

class TForm9 : public Form, public IProgressWindow {
  public:
    enum ControlId { kLabel1 = 901, kMlabel, kStatlabel, kImage1, kAbortbtn };

    explicit TForm9(AppContext& context);

    void Begin(const std::string& task, std::function<void()> onAbort) override;
    void SetStatus(const std::string& text) override;
    void End() override;

    HWND Control(ControlId id) const { return GetDlgItem(panel_->Handle(), id); }
    std::string TooltipOf(ControlId id) { return Tips().TextOf(Control(id)); }

  private:
    void AbortbtnClick();

    std::unique_ptr<ScrewPanel> panel_;
    std::function<void()> onAbort_;
};

}  // namespace sorvane
