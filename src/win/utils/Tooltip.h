#pragma once
// The tooltips of one window. Whether tooltips show, their colour and how long they stay are
// application-wide; the application applies them to every Tooltip it knows.
#include <windows.h>

#include <string>

namespace sorvane {

struct TooltipOptions {
    bool show = true;
    COLORREF color = RGB(255, 255, 0);
    UINT visibleMs = 3000;
};

class Tooltip {
  public:
    explicit Tooltip(HWND owner);
    ~Tooltip();
    Tooltip(const Tooltip&) = delete;
    Tooltip& operator=(const Tooltip&) = delete;

    // Gives `control` a tip, or a new text for the tip it has.
    void Add(HWND control, const std::string& text);
    void Apply(const TooltipOptions& options);
    HWND Handle() const { return hwnd_; }
    std::string TextOf(HWND control) const;

  private:
    HWND owner_;
    HWND hwnd_;
};

}  // namespace sorvane
