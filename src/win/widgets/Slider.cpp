#include "win/widgets/Slider.h"

#include <commctrl.h>

#include "win/utils/Controls.h"

namespace sorvane {

Slider::Slider(HWND parent, RECT bounds, int id, Range range)
    : hwnd_(MakeControl(parent, TRACKBAR_CLASSW, "",
                        WS_VISIBLE | WS_TABSTOP | TBS_HORZ | TBS_AUTOTICKS | TBS_BOTTOM, bounds,
                        id)) {
    SendMessageW(hwnd_, TBM_SETRANGE, FALSE, MAKELPARAM(range.min, range.max));
    SendMessageW(hwnd_, TBM_SETLINESIZE, 0, 1);
    SendMessageW(hwnd_, TBM_SETPAGESIZE, 0, 1);
    SendMessageW(hwnd_, TBM_SETTICFREQ, 1, 0);
    SetPosition(range.position);
}

int Slider::Position() const {
    return static_cast<int>(SendMessageW(hwnd_, TBM_GETPOS, 0, 0));
}

void Slider::SetPosition(int position) {
    SendMessageW(hwnd_, TBM_SETPOS, TRUE, position);
}

}  // namespace sorvane
