// Every window on the display the test runs on (800x600, and 1920x1080 at 144 dots per inch),
// as created and maximised: controls inside the client area with texts whole, a tool window's
// table up to the right edge and the status bar; and a tool window's place kept.

#include "WindowTestSupport.h"

namespace sorvane::testing {
namespace {

struct Case {
    const char* name;
    std::function<std::unique_ptr<Form>(AppContext&)> make;
    std::function<HWND(Form&)> filler;  // the table or list that takes the room; none in a dialog
};

template <class W>
Case Window(const char* name, std::function<HWND(W&)> filler = {}) {
    return {name, [](AppContext& context) { return std::make_unique<W>(context); },
            [filler](Form& form) { return filler ? filler(static_cast<W&>(form)) : nullptr; }};
}

RECT Outer(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

std::wstring ClassOf(HWND control) {
    wchar_t name[64]{};
    GetClassNameW(control, name, 64);
    return name;
}

// A static's or button's text wider or taller than the control leaves it room for.
void ExpectTextFits(HWND control) {
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    const LONG type = style & BS_TYPEMASK;
    int beside = 0;  // a check box's box, a push button's edges
    if (ClassOf(control) == L"Button") {
        if (type == BS_GROUPBOX || type == BS_OWNERDRAW) return;
        const bool push = type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
        beside = (push ? 0 : GetSystemMetrics(SM_CXMENUCHECK)) + Scaled(4);
    } else if (ClassOf(control) != L"Static" || (style & SS_TYPEMASK) > SS_RIGHT ||
               (style & SS_PATHELLIPSIS)) {
        return;
    }
    std::wstring text = Widen(WindowText(control));
    if (!(style & SS_NOPREFIX)) std::erase(text, L'&');
    if (text.empty()) return;
    const HDC dc = GetDC(control);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT need{};
    DrawTextW(dc, text.c_str(), -1, &need, DT_CALCRECT | DT_NOPREFIX);
    ReleaseDC(control, dc);
    RECT room{};
    GetClientRect(control, &room);
    EXPECT_LE(need.right + beside, room.right) << "cut off: " << Narrow(text);
    EXPECT_LE(need.bottom, room.bottom) << "cut off: " << Narrow(text);
}

void Check(const Case& c, Form& form) {
    SCOPED_TRACE(c.name);
    RECT client{};
    GetClientRect(form.Handle(), &client);
    MapWindowPoints(form.Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    const RECT window = Outer(form.Handle());
    // A maximised window's frame lies off the screen.
    EXPECT_TRUE(IsZoomed(form.Handle()) ||
                (window.right - window.left <= GetSystemMetrics(SM_CXSCREEN) &&
                 window.bottom - window.top <= GetSystemMetrics(SM_CYSCREEN)));
    LONG statusTop = client.bottom;
    for (const HWND control : Descendants(form.Handle())) {
        if (!IsWindowVisible(control)) continue;
        const RECT r = Outer(control);
        if (ClassOf(control) == STATUSCLASSNAMEW) statusTop = r.top;
        EXPECT_TRUE(r.left >= client.left && r.top >= client.top && r.right <= client.right &&
                    r.bottom <= client.bottom)
            << Narrow(ClassOf(control)) << " \"" << WindowText(control)
            << "\" leaves the client area";
        ExpectTextFits(control);
    }
    const HWND filler = c.filler(form);
    if (!filler) return;
    const RECT r = Outer(filler);
    EXPECT_GE(r.right, client.right - Scaled(16)) << "not up to the right edge";
    EXPECT_GE(r.bottom, statusTop - Scaled(16)) << "not down to the status bar";
    EXPECT_LE(r.bottom, statusTop);
}

class WindowLayout : public ProgramWindows {};

TEST_F(WindowLayout, ControlsStayInsideTheirWindowAndTablesTakeTheRoom) {
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
        c.filler(*form);  // shows the page it is on
        PumpMessages();
        Check(c, *form);
        if (!(GetWindowLongW(form->Handle(), GWL_STYLE) & WS_THICKFRAME)) continue;
        ShowWindow(form->Handle(), SW_MAXIMIZE);
        PumpMessages();
        Check(c, *form);
    }
}

// A tool window comes back where it was left, maximised when it was, and onto the screen from
// a monitor that is gone.
TEST_F(WindowLayout, ToolWindowsComeBackWhereTheyWereAndOntoTheScreen) {
    for (const ToolWindow& tool : FourToolWindows()) {
        SCOPED_TRACE(tool.name);
        fake.settings.SetFileText(kIni, tool.lost);
        std::unique_ptr<ToolForm> form;
        const auto reopen = [&] {  // closed, and made anew as at the next start
            if (form) SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
            form.reset();
            form = tool.make(Context());
            form->Show();
            PumpMessages();
            return Outer(form->Handle());
        };
        const RECT lost = reopen();
        EXPECT_TRUE(lost.left >= 0 && lost.top >= 0 &&
                    lost.right <= GetSystemMetrics(SM_CXSCREEN) &&
                    lost.bottom <= GetSystemMetrics(SM_CYSCREEN));
        form->MoveTo(40, 30);
        EXPECT_EQ(reopen().top, 30);
        ShowWindow(form->Handle(), SW_MAXIMIZE);
        reopen();
        EXPECT_TRUE(IsZoomed(form->Handle()));
        ShowWindow(form->Handle(), SW_RESTORE);
        EXPECT_EQ(std::pair(Outer(form->Handle()).left, Outer(form->Handle()).top),
                  std::pair(40L, 30L));
    }
}

}  // namespace
}  // namespace sorvane::testing
