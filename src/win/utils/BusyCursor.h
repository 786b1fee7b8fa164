#pragma once
// Shows the hourglass for as long as the object lives and then puts back the cursor that was
// shown before. Busy cursors nest; Active() tells a window handling WM_SETCURSOR during a
// busy pass (one that pumps messages) to keep the hourglass.
#include <windows.h>

namespace sorvane {

class BusyCursor {
  public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

    static bool Active();
    static HCURSOR Hourglass();

  private:
    HCURSOR saved_;
};

}  // namespace sorvane
