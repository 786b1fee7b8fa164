#include "win/utils/Tooltip.h"

#include <commctrl.h>

#include "win/platform/SystemLibrary.h"
#include "win/platform/Utf.h"

namespace sorvane {

namespace {

// Themed tooltips ignore the background colour the user chose. The theme library is not one
// Windows always takes from the system folder, so it is not linked but loaded from there.
void TurnOffTheme(HWND hwnd) {
    using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
    static const UniqueModule library = LoadSystemLibrary(L"uxtheme.dll");
    static const auto setTheme =
        library ? reinterpret_cast<SetWindowThemeFn>(
                      reinterpret_cast<void*>(GetProcAddress(library.Get(), "SetWindowTheme")))
                : nullptr;
    if (setTheme) setTheme(hwnd, L"", L"");
}

}  // namespace

Tooltip::Tooltip(HWND owner)
    : owner_(owner),
      hwnd_(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner,
                            nullptr, GetModuleHandleW(nullptr), nullptr)) {
    TurnOffTheme(hwnd_);
    SendMessageW(hwnd_, TTM_SETMAXTIPWIDTH, 0, 400);
}

Tooltip::~Tooltip() {
    DestroyWindow(hwnd_);
}

void Tooltip::Add(HWND control, const std::string& text) {
    std::wstring wide = Widen(text);
    TOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = owner_;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    // A control that has a tip already gets the new text instead of a second tip.
    TOOLINFOW existing = info;
    const bool known =
        SendMessageW(hwnd_, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&existing));
    info.lpszText = wide.data();
    SendMessageW(hwnd_, known ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0,
                 reinterpret_cast<LPARAM>(&info));
}

std::string Tooltip::TextOf(HWND control) const {
    wchar_t buffer[1024] = {};
    TOOLINFOW info{};
    info.cbSize = sizeof info;
    info.hwnd = owner_;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = buffer;
    SendMessageW(hwnd_, TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&info));
    return Narrow(buffer);
}

void Tooltip::Apply(const TooltipOptions& options) {
    SendMessageW(hwnd_, TTM_ACTIVATE, options.show, 0);
    SendMessageW(hwnd_, TTM_SETTIPBKCOLOR, options.color, 0);
    SendMessageW(hwnd_, TTM_SETDELAYTIME, TTDT_AUTOPOP, static_cast<LPARAM>(options.visibleMs));
}

}  // namespace sorvane
