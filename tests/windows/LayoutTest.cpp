// Every window on the screen the test runs on (800x600, and 1920x1080 at 144 dots per inch):
// its controls inside its client area, their texts not cut off, and the tables and lists of
// the tool windows taking the room up to the right edge and the status bar, as created and
// maximised.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "WindowTestSupport.h"
#include "win/dialogs/AboutSorv.h"
#include "win/dialogs/SeldirSorv.h"
#include "win/dirclean/AutoSorv.h"
#include "win/dirclean/Mfolders.h"
#include "win/driveclean/CleanDriSorv.h"
#include "win/duplicates/FinddupSorv.h"
#include "win/platform/Utf.h"
#include "win/settings/GeneralSorv.h"
#include "win/shortcuts/ShortcutSorv.h"
#include "win/widgets/Controls.h"

namespace sorvane::testing {
namespace {

struct Case {
    const char* name;
    std::function<std::unique_ptr<Form>(AppContext&)> make;
    // The table or list that takes the room; none in a fixed dialog.
    std::function<HWND(Form&)> filler;
};

template <class W>
Case Window(const char* name, std::function<HWND(W&)> filler = {}) {
    return {name, [](AppContext& context) { return std::make_unique<W>(context); },
            [filler](Form& form) { return filler ? filler(static_cast<W&>(form)) : nullptr; }};
}

RECT ClientOnScreen(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::wstring ClassOf(HWND control) {
    wchar_t name[64]{};
    GetClassNameW(control, name, 64);
    return name;
}

// The room a text of the control needs beside its own width: the box of a check box or radio
// button, the edges of a push button.
int TextRoom(HWND control, LONG style) {
    const LONG type = style & BS_TYPEMASK;
    if (type == BS_GROUPBOX || type == BS_OWNERDRAW) return -1;  // no text to fit
    if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) return Scaled(4);
    (void)control;
    return GetSystemMetrics(SM_CXMENUCHECK) + Scaled(4);
}

// A text the control shows cut off: wider or taller than its client area.
void ExpectTextFits(HWND control) {
    const std::wstring kind = ClassOf(control);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    int room = 0;
    if (kind == L"Button") {
        room = TextRoom(control, style);
    } else if (kind != L"Static" || (style & SS_TYPEMASK) > SS_RIGHT || (style & SS_PATHELLIPSIS)) {
        return;
    }
    std::wstring text = Widen(WindowText(control));
    if (room < 0 || text.empty()) return;
    if (!(style & SS_NOPREFIX)) std::erase(text, L'&');
    HDC dc = GetDC(control);
    const HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT need{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &need, DT_CALCRECT | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    RECT client{};
    GetClientRect(control, &client);
    EXPECT_LE(need.right + room, client.right) << "text cut off: " << Narrow(text);
    EXPECT_LE(need.bottom, client.bottom) << "text cut off: " << Narrow(text);
}

class WindowLayout : public ProgramWindows {
  protected:
    // Every visible control inside the window's client area, its text whole; the filler up to
    // the right edge and the status bar.
    void Check(const Case& c, Form& form) {
        SCOPED_TRACE(std::string(c.name) + " on " + std::to_string(GetSystemMetrics(SM_CXSCREEN)) +
                     "x" + std::to_string(GetSystemMetrics(SM_CYSCREEN)) + " at " +
                     std::to_string(ScreenDpi()) + " dpi");
        const RECT client = ClientOnScreen(form.Handle());
        RECT window{};
        GetWindowRect(form.Handle(), &window);
        if (!IsZoomed(form.Handle())) {  // a maximised window's frame lies off the screen
            EXPECT_LE(window.right - window.left, GetSystemMetrics(SM_CXSCREEN));
            EXPECT_LE(window.bottom - window.top, GetSystemMetrics(SM_CYSCREEN));
        }
        int statusTop = client.bottom;
        for (HWND child = GetWindow(form.Handle(), GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            RECT r{};
            GetWindowRect(child, &r);
            if (ClassOf(child) == STATUSCLASSNAMEW) statusTop = r.top;
        }
        struct Walk {
            WindowLayout* test;
            RECT client;
        } walk{this, client};
        EnumChildWindows(
            form.Handle(),
            [](HWND child, LPARAM data) -> BOOL {
                const auto& w = *reinterpret_cast<Walk*>(data);
                if (!IsWindowVisible(child)) return TRUE;
                RECT r{};
                GetWindowRect(child, &r);
                const std::string what = Narrow(ClassOf(child)) + " \"" + WindowText(child) +
                                         "\" #" + std::to_string(GetDlgCtrlID(child));
                EXPECT_GE(r.left, w.client.left) << what;
                EXPECT_GE(r.top, w.client.top) << what;
                EXPECT_LE(r.right, w.client.right) << what;
                EXPECT_LE(r.bottom, w.client.bottom) << what;
                ExpectTextFits(child);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&walk));
        const HWND filler = c.filler(form);
        if (!filler) return;
        RECT r{};
        GetWindowRect(filler, &r);
        EXPECT_GE(r.right, client.right - Scaled(16)) << "not up to the right edge";
        EXPECT_GE(r.bottom, statusTop - Scaled(16)) << "not down to the status bar";
        EXPECT_LE(r.bottom, statusTop);
    }
};

TEST_F(WindowLayout, ControlsStayInsideTheirWindowAndTablesTakeTheRoom) {
    RecordProperty("display", std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" +
                                  std::to_string(GetSystemMetrics(SM_CYSCREEN)) + " at " +
                                  std::to_string(ScreenDpi()) + " dpi");
    const Case cases[] = {
        Window<TForm8>("Clean Drive(s) options"),
        Window<TForm8>("Clean Drive(s) results",
                       [](TForm8& w) {
                           w.Pages().SetActivePage(1);
                           return w.Control(cleandri::kCleangrid);
                       }),
        Window<TForm7>("Find Duplicate Files",
                       [](TForm7& w) { return w.Control(finddup::kDupgrid); }),
        Window<TForm6>("Clean Directories",
                       [](TForm6& w) { return w.Control(TForm6::kFoldergrid); }),
        Window<TForm3>("Check Shortcuts",
                       [](TForm3& w) { return w.Control(TForm3::kShortcutlistbox); }),
        Window<TForm4>("About"),
        Window<TForm2>("General Options"),
        Window<TForm5>("Select a directory"),
        Window<TForm9>("Progress"),
    };
    for (const Case& c : cases) {
        const std::unique_ptr<Form> form = c.make(Context());
        form->Show();
        PumpMessages();
        c.filler(*form);  // shows the page it is on
        PumpMessages();
        Check(c, *form);
        if (!(GetWindowLongW(form->Handle(), GWL_STYLE) & WS_THICKFRAME)) continue;
        ShowWindow(form->Handle(), SW_MAXIMIZE);
        PumpMessages();
        Check(c, *form);
    }
}

}  // namespace
}  // namespace sorvane::testing
