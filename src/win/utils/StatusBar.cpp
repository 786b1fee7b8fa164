#include "win/utils/StatusBar.h"

#include <commctrl.h>

#include "win/platform/Utf.h"
#include "win/utils/Controls.h"

namespace sorvane {

StatusBar::StatusBar(HWND parent, int id, const std::string& text)
    : bar_(CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0,
                           0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr)) {
    SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(UiFont()), FALSE);
    int parts[] = {-1};
    SendMessageW(Handle(), SB_SETPARTS, 1, reinterpret_cast<LPARAM>(parts));
    SetText(text);
}

void StatusBar::SetText(const std::string& text) {
    SendMessageW(Handle(), SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
}

std::string StatusBar::Text() const {
    const auto length = LOWORD(SendMessageW(Handle(), SB_GETTEXTLENGTHW, 0, 0));
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(Handle(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return Narrow(text);
}

int StatusBar::Fit() {
    SendMessageW(Handle(), WM_SIZE, 0, 0);
    RECT r{};
    GetWindowRect(Handle(), &r);
    return r.bottom - r.top;
}

}  // namespace sorvane
