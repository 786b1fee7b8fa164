#include "win/widgets/FlatButton.h"

#include "win/utils/Controls.h"

namespace sorvane {

FlatButton::FlatButton(HWND parent, const std::string& text, RECT bounds, int id, UniqueMenu menu)
    : button_(MakeButton(parent, text, bounds, id)),
      menu_(std::move(menu)),
      route_(button_.Get(), [this](const ControlEvent& event) {
          if (event.code == BN_CLICKED) DropDown();
      }) {}

void FlatButton::DropDown() {
    RECT r{};
    GetWindowRect(Handle(), &r);
    const HWND owner = GetAncestor(Handle(), GA_ROOT);
    // The menu may open above the button near the screen's bottom, but never over it.
    TPMPARAMS avoid{sizeof avoid, r};
    const UINT command = static_cast<UINT>(TrackPopupMenuEx(
        Menu(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD | TPM_VERTICAL,
        r.left, r.bottom, owner, &avoid));
    if (command != 0) SendMessageW(owner, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

}  // namespace sorvane
