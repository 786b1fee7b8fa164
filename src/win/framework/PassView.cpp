#include "win/framework/PassView.h"

#include "win/platform/Utf.h"

namespace sorvane {

void PassView::SetCaption(const std::string& text) {
    SetWindowTextW(form_, Widen(text).c_str());
}

void PassView::SetBusy(bool busy, bool stoppable) {
    if (busy) {
        busy_.emplace();
    } else {
        busy_.reset();
    }
    if (!stoppable) return;
    if (scan_) EnableWindow(scan_, busy ? FALSE : TRUE);
    if (stop_) EnableWindow(stop_, busy ? TRUE : FALSE);
}

}  // namespace sorvane
