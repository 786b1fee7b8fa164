#include "platform/WinPrompts.h"

#include "platform/Utf.h"

namespace sorvane {

WinPrompts::WinPrompts(const std::string& title) : title_(Widen(title)) {}

bool WinPrompts::Confirm(const std::string& question) {
    return MessageBoxW(owner_, Widen(question).c_str(), L"Confirm", MB_YESNO | MB_ICONQUESTION) ==
           IDYES;
}

void WinPrompts::Notice(const std::string& text) {
    MessageBoxW(owner_, Widen(text).c_str(), title_.c_str(), MB_OK);
}

void WinPrompts::Error(const std::string& text) {
    MessageBoxW(owner_, Widen(text).c_str(), title_.c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace sorvane
