#pragma once
// Asking the user for one line of text. Windows ask through IInputBox, so tests can answer
// in place of the real box.
#include <windows.h>

#include <optional>
#include <string>

namespace sorvane {

class IInputBox {
  public:
    virtual ~IInputBox() = default;
    // The text entered, or nothing when the user cancels.
    virtual std::optional<std::string> Ask(const std::string& caption, const std::string& prompt,
                                           const std::string& initial) = 0;
};

inline constexpr wchar_t kInputBoxClass[] = L"SorvaneInputBox";

// A small modal window with the prompt, an edit box, OK and Cancel. Its owner is disabled
// while it is open; a quit request met meanwhile cancels the box and is passed on.
class WinInputBox final : public IInputBox {
  public:
    explicit WinInputBox(HWND owner) : owner_(owner) {}
    std::optional<std::string> Ask(const std::string& caption, const std::string& prompt,
                                   const std::string& initial) override;

  private:
    HWND owner_;
};

}  // namespace sorvane
