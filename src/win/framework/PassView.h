#pragma once
// How a tool window shows its long passes: the status bar, the caption, the hourglass, and its
// Scan and Stop buttons (Scan off and Stop on while a pass that Stop can end runs).
#include <windows.h>

#include <optional>
#include <string>

#include "core/app/PassRunner.h"
#include "win/utils/BusyCursor.h"
#include "win/utils/StatusBar.h"

namespace sorvane {

class PassView final : public IPassView {
  public:
    PassView(HWND form, StatusBar& status) : form_(form), status_(status) {}

    void SetScanButtons(HWND scan, HWND stop) {
        scan_ = scan;
        stop_ = stop;
    }

    void SetStatus(const std::string& text) override { status_.SetText(text); }
    void SetCaption(const std::string& text) override;
    void SetBusy(bool busy, bool stoppable) override;

  private:
    HWND form_;
    StatusBar& status_;
    HWND scan_ = nullptr;
    HWND stop_ = nullptr;
    std::optional<BusyCursor> busy_;
};

}  // namespace sorvane
