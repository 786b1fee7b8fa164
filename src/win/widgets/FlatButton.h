#pragma once
// A push button whose click drops its pop-up menu down below it. The chosen command goes to
// the button's top-level window as a WM_COMMAND, as from a menu bar. The button answers
// BM_CLICK and the keyboard like any button, being the platform's own push button.
#include <windows.h>

#include <string>

#include "win/platform/WinHandles.h"
#include "win/framework/Window.h"
#include "win/widgets/Menu.h"

namespace sorvane {

class FlatButton {
  public:
    FlatButton(HWND parent, const std::string& text, RECT bounds, int id, UniqueMenu menu);

    HWND Handle() const { return button_.Get(); }
    // The menu, for enabling and checking its items.
    HMENU Menu() const { return menu_.get(); }

    // Drops the menu down and sends the chosen command, if any.
    void DropDown();

  private:
    UniqueWindow button_;
    UniqueMenu menu_;
    ControlRoute route_;
};

}  // namespace sorvane
