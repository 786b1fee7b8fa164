#include "win/platform/WinEventPump.h"

#include "win/platform/WinApi.h"

namespace sorvane {

void WinEventPump::ProcessPending() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        // Tab, Enter and Esc keep working in the active window while a pass runs.
        const HWND active = GetActiveWindow();
        if (active && IsDialogMessageW(active, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace sorvane
