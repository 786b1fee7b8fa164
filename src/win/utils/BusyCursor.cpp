#include "win/utils/BusyCursor.h"

namespace sorvane {

namespace {
int g_busy = 0;  // the user-interface thread's busy cursors still alive
}  // namespace

BusyCursor::BusyCursor() : saved_(SetCursor(Hourglass())) {
    ++g_busy;
}

BusyCursor::~BusyCursor() {
    --g_busy;
    SetCursor(saved_);
}

bool BusyCursor::Active() {
    return g_busy > 0;
}

HCURSOR BusyCursor::Hourglass() {
    return LoadCursorW(nullptr, IDC_WAIT);
}

}  // namespace sorvane
