#include "win/platform/WinPrompts.h"

#include "win/platform/Utf.h"

namespace sorvane {

WinPrompts::WinPrompts(const std::string& title, HWND owner)
    : title_(Widen(title)), owner_(owner) {}

bool WinPrompts::Ask(const std::string& question, Buttons buttons) {
    const bool okCancel = buttons == Buttons::kOkCancel;
    UINT style = (okCancel ? MB_OKCANCEL : MB_YESNO) | MB_ICONQUESTION;
    if (buttons == Buttons::kYesNoSafeNo) style |= MB_DEFBUTTON2;
    const int answer = MessageBoxW(owner_, Widen(question).c_str(), L"Confirm", style);
    return answer == (okCancel ? IDOK : IDYES);
}

void WinPrompts::Show(const std::string& text, MessageIcon icon) {
    UINT style = MB_OK;
    if (icon == MessageIcon::kQuestion) style |= MB_ICONQUESTION;
    if (icon == MessageIcon::kError) style |= MB_ICONERROR;
    MessageBoxW(owner_, Widen(text).c_str(), title_.c_str(), style);
}

}  // namespace sorvane
