#pragma once
// A group box whose title is a check box. Controls placed on it (children of Handle()) are
// enabled only while it is checked; their notifications go on to the group's parent.
#include <functional>
#include <optional>
#include <string>

#include "win/widgets/HostPanel.h"

namespace sorvane {

class CheckGroupBox : public HostPanel {
  public:
    struct Options {
        bool checked = false;
        // Called when the user (or an automation tool) clicks the title; SetChecked is the
        // program's own change and is not reported.
        std::function<void(bool checked)> changed;
    };
    CheckGroupBox(HWND parent, const std::string& title, RECT bounds, int id, Options options);

    HWND TitleBox() const { return title_; }
    bool Checked() const;
    void SetChecked(bool checked);
    // Where the inner controls may go, in the group's client coordinates.
    RECT Inside() const;

  protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void EnableInner(HWND child) const;
    void EnableAllInner() const;

    HWND frame_ = nullptr;
    HWND title_ = nullptr;
    std::optional<ControlRoute> titleRoute_;
    Options options_;
};

}  // namespace sorvane
