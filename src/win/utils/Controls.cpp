#include "win/utils/Controls.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "win/platform/Utf.h"

namespace sorvane {

HFONT UiFont() {
    static const HFONT font = [] {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
            if (HFONT f = CreateFontIndirectW(&metrics.lfMessageFont)) return f;
        }
        return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }();
    return font;
}

int ScreenDpi() {
    static const int dpi = [] {
        HDC screen = GetDC(nullptr);
        const int value = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        return value > 0 ? value : USER_DEFAULT_SCREEN_DPI;
    }();
    return dpi;
}

int Scaled(int designLength) {
    return MulDiv(designLength, ScreenDpi(), USER_DEFAULT_SCREEN_DPI);
}

int Unscaled(int pixels) {
    return MulDiv(pixels, USER_DEFAULT_SCREEN_DPI, ScreenDpi());
}

RECT Bounds(int x, int y, int width, int height) {
    return BoundsFrom({0, 0}, x, y, width, height);
}

RECT BoundsFrom(POINT origin, int x, int y, int width, int height) {
    const int left = origin.x + Scaled(x);
    const int top = origin.y + Scaled(y);
    return {left, top, left + Scaled(width), top + Scaled(height)};
}

HWND MakeControl(HWND parent, const wchar_t* className, const std::string& text, DWORD style,
                 RECT bounds, int id, DWORD exStyle) {
    HWND control = CreateWindowExW(
        exStyle, className, Widen(text).c_str(), WS_CHILD | style, bounds.left, bounds.top,
        bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (control) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont()), FALSE);
    return control;
}

HWND MakeLabel(HWND parent, const std::string& text, int x, int y, int id) {
    return MakeLabelAt(parent, text, {Scaled(x), Scaled(y)}, id);
}

HWND MakeLabelAt(HWND parent, const std::string& text, POINT pixels, int id) {
    HWND label = MakeControl(parent, L"STATIC", "", WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                             {pixels.x, pixels.y, pixels.x + 1, pixels.y + 1}, id);
    SetAutoSizeText(label, text);
    return label;
}

HWND MakeButton(HWND parent, const std::string& text, RECT bounds, int id) {
    return MakeControl(parent, L"BUTTON", text, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, bounds,
                       id);
}

HWND MakeCheckBox(HWND parent, const std::string& text, RECT bounds, int id, bool checked) {
    const HWND box =
        MakeControl(parent, L"BUTTON", text, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, bounds, id);
    SendMessageW(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    return box;
}

void SetAutoSizeText(HWND label, const std::string& text) {
    const std::wstring wide = Widen(text);
    SetWindowTextW(label, wide.c_str());
    HDC dc = GetDC(label);
    const HGDIOBJ old = SelectObject(dc, UiFont());
    RECT r{0, 0, 0, 0};
    if (wide.empty()) {
        TEXTMETRICW tm{};
        GetTextMetricsW(dc, &tm);
        r.bottom = tm.tmHeight;
    } else {
        DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &r,
                  DT_CALCRECT | DT_NOPREFIX | DT_LEFT);
    }
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    SetWindowPos(label, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string WindowText(HWND hwnd) {
    const int length = GetWindowTextLengthW(hwnd);
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
    GetWindowTextW(hwnd, buffer.data(), length + 1);
    return Narrow(buffer.data());
}

std::vector<std::string> ListBoxTexts(HWND list) {
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    std::vector<std::string> texts;
    for (int i = 0; i < count; ++i) {
        const auto length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(length));
        texts.push_back(Narrow(text));
    }
    return texts;
}

void SetListBoxTexts(HWND list, const std::vector<std::string>& texts) {
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& text : texts) {
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
    }
}

void AddListBoxText(HWND list, const std::string& text) {
    const std::wstring entry = Widen(text);
    // The list box's own exact search ignores letter case.
    if (SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(entry.c_str())) != LB_ERR) {
        return;
    }
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
}

void KeepClientWithin(HWND window, SIZE designOuter, int mostPercent) {
    RECT client{};
    GetClientRect(window, &client);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT outer{};
    GetWindowRect(window, &outer);
    const auto fit = [&](int now, int outerNow, int design, int screen) {
        const int frame = outerNow - now;
        const int scaled = Scaled(design - frame);
        const int least = std::min(scaled, screen - frame);
        const int most = mostPercent > 0 ? scaled * mostPercent / 100 : now;
        return std::max(least, std::min(now, most));
    };
    const int width =
        fit(client.right, outer.right - outer.left, designOuter.cx, work.right - work.left);
    const int height =
        fit(client.bottom, outer.bottom - outer.top, designOuter.cy, work.bottom - work.top);
    if (width == client.right && height == client.bottom) return;
    SetWindowPos(window, nullptr, 0, 0, (outer.right - outer.left) + width - client.right,
                 (outer.bottom - outer.top) + height - client.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int FillListColumn(HWND list, int column, int least) {
    const HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    const int count = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    RECT client{};
    GetClientRect(list, &client);
    int room = client.right;
    for (int c = 0; c < count; ++c) {
        if (c != column) room -= static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, c, 0));
    }
    const int width = std::max(least, room);
    SendMessageW(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), width);
    return width;
}

SIZE OuterSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle) {
    RECT r{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
    return {r.right - r.left, r.bottom - r.top};
}

}  // namespace sorvane
