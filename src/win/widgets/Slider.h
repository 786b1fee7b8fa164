#pragma once
// A horizontal track bar with whole-number positions. It reports changes to its parent with
// WM_HSCROLL, as every track bar does; the window routes them by the slider's number.
#include <windows.h>

namespace sorvane {

class Slider {
  public:
    struct Range {
        int min;
        int max;
        int position;
    };
    Slider(HWND parent, RECT bounds, int id, Range range);

    HWND Handle() const { return hwnd_; }
    int Position() const;
    // Moves the thumb without telling the parent.
    void SetPosition(int position);

  private:
    HWND hwnd_;
};

}  // namespace sorvane
