#pragma once
// Questions and messages in the platform's message boxes, modal to the window that asks: that
// window is disabled until the box is answered, while the tray icon and the other windows
// stay usable.
#include <string>

#include "core/platform/Prompts.h"
#include "win/platform/WinApi.h"

namespace sorvane {

class WinPrompts final : public IPrompts {
  public:
    // `title` (UTF-8) captions messages; `owner` is the asking window (none: the desktop).
    WinPrompts(const std::string& title, HWND owner);

    void SetOwner(HWND owner) { owner_ = owner; }

    bool Ask(const std::string& question, Buttons buttons) override;
    void Show(const std::string& text, MessageIcon icon) override;

  private:
    std::wstring title_;
    HWND owner_;
};

}  // namespace sorvane
