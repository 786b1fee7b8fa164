#pragma once
// A whole-number edit box with up and down arrows: an edit control with an up-down control
// as its buddy, so typing, the arrow keys, the arrows and UDM_SETPOS all change the number.
#include <windows.h>

#include <functional>
#include <string>

#include "win/platform/WinHandles.h"
#include "win/framework/Window.h"

namespace sorvane {

class SpinEdit {
  public:
    struct Options {
        int min = 0;
        int max = 100;
        int value = 0;
        // What a text that is not a number reads as.
        int fallback = 0;
        // Called with the new value when the user (or an automation tool) changes the text or
        // presses an arrow; SetValue is the program's own change and is not reported.
        std::function<void(int value)> changed;
    };
    // The edit and its arrows together take up `bounds`.
    SpinEdit(HWND parent, RECT bounds, int id, Options options);

    HWND Edit() const { return edit_.Get(); }
    HWND Arrows() const { return arrows_.Get(); }

    // The number shown, kept within the range; the fallback when the text is not a number.
    int Value() const;
    void SetValue(int value);

  private:
    void OnEvent(const ControlEvent& event);

    UniqueWindow edit_;
    UniqueWindow arrows_;
    Options options_;
    bool ownChange_ = false;
    ControlRoute route_;
};

}  // namespace sorvane
