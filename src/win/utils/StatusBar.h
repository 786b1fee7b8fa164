#pragma once
// The platform's status bar with one simple part along the bottom of a window.
#include <windows.h>

#include <string>

#include "win/platform/WinHandles.h"

namespace sorvane {

class StatusBar {
  public:
    StatusBar(HWND parent, int id, const std::string& text);

    HWND Handle() const { return bar_.Get(); }
    void SetText(const std::string& text);
    std::string Text() const;
    // Follows the parent's new size; the bar's height in pixels.
    int Fit();

  private:
    UniqueWindow bar_;
};

}  // namespace sorvane
