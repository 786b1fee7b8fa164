// What only a real window shows of the widgets the tool windows use (the window tests prove
// their wiring): grid mouse and drawing, drop-down button and input box.
#include "WindowTestSupport.h"
#include "core/platform/SettingsStore.h"
#include "win/widgets/FlatButton.h"
#include "win/widgets/InputBox.h"
#include "win/widgets/ResultGrid.h"

namespace sorvane::testing {
namespace {

class Widgets : public ::testing::Test {
  protected:
    void TearDown() override { PumpMessages(); }
    static void ClickAt(HWND window, int x, int y) {
        SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        PumpMessages();
    }
    HostWindow host;
};

// 0: no check box, 1: empty, 2: checked.
UINT CheckImageOf(HWND list, int item) {
    return static_cast<UINT>(SendMessageW(list, LVM_GETITEMSTATE, item, LVIS_STATEIMAGEMASK)) >> 12;
}

TEST_F(Widgets, ResultGridTakesCheckBoxClicksHeaderClicksAndDividerDrags) {
    ResultTable table{{{"Name", Alignment::kLeft, 130}, {"Size", Alignment::kRight, 60}}, 0, 1};
    table.SetRows({{"beta.log", "10"}, {"", "20"}});
    ResultGrid grid{host.Handle(), Bounds(0, 0, 620, 380), 100, table};
    const HWND list = grid.Handle();
    RECT r{};
    ListView_GetItemRect(list, 0, &r, LVIR_BOUNDS);
    LVHITTESTINFO hit{};
    for (hit.pt = {0, (r.top + r.bottom) / 2}; !(hit.flags & LVHT_ONITEMSTATEICON); ++hit.pt.x) {
        ASSERT_LT(hit.pt.x, 40) << "no check box";
        SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    }
    ClickAt(list, hit.pt.x, hit.pt.y);
    EXPECT_TRUE(table.Checked(1));
    EXPECT_EQ(CheckImageOf(list, 0), 2u);
    EXPECT_EQ(CheckImageOf(list, 1), 0u);  // a row without a name has no check box

    std::vector<std::size_t> clicked;
    grid.OnHeaderClick([&](std::size_t column) { clicked.push_back(column); });
    const HWND header = ListView_GetHeader(list);
    SendMessageW(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
    ClickAt(header, r.left + 20, 5);
    EXPECT_EQ(clicked, std::vector<std::size_t>{1});
    SendMessageW(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
    SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right - 1, 5));
    SendMessageW(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(r.right + 30, 5));
    ClickAt(header, r.right + 30, 5);
    EXPECT_EQ(table.ColumnAt(0).width, 161);
}

TEST_F(Widgets, ResultGridPutsTheCheckBoxesOnTheNameColumnAndDrawsRowsInTheirStyle) {
    ResultTable table({{"", Alignment::kLeft, 10}, {"File Name", Alignment::kLeft, 150}}, 1, 1);
    table.SetRows({{"0", "a.txt"}});
    table.SetStyle(1, {0x00FFFF00u, 0x000000u, true, false});
    const ResultGrid grid(host.Handle(), Bounds(0, 0, 300, 200), 101, table);
    int order[2] = {};
    SendMessageW(grid.Handle(), LVM_GETCOLUMNORDERARRAY, 2, reinterpret_cast<LPARAM>(order));
    EXPECT_EQ(std::vector<int>(order, order + 2), (std::vector<int>{1, 0}));
    EXPECT_EQ(CheckImageOf(grid.Handle(), 0), 1u);

    NMLVCUSTOMDRAW draw{};
    draw.nmcd.hdr = {grid.Handle(), 101, static_cast<UINT>(NM_CUSTOMDRAW)};
    draw.nmcd.hdc = GetDC(grid.Handle());
    draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
    EXPECT_EQ(SendMessageW(host.Handle(), WM_NOTIFY, 101, reinterpret_cast<LPARAM>(&draw)),
              CDRF_NEWFONT);
    EXPECT_EQ(draw.clrText, RGB(0, 0, 0));
    EXPECT_EQ(draw.clrTextBk, RGB(0, 255, 255));
    LOGFONTW font{};
    GetObjectW(GetCurrentObject(draw.nmcd.hdc, OBJ_FONT), sizeof font, &font);
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    ReleaseDC(grid.Handle(), draw.nmcd.hdc);
    UpdateWindow(grid.Handle());  // a real paint through the same path
}

TEST_F(Widgets, FlatButtonDropsItsMenuBelowAndTheChosenCommandReachesTheWindow) {
    UniqueMenu menu = MakePopupMenu();
    AppendItem(menu.get(), 501, "Selected File");
    AppendItem(menu.get(), 502, "All Checked Files");
    FlatButton button(host.Handle(), "Delete", Bounds(40, 50, 90, 25), 500, std::move(menu));
    RECT shown{};
    WhileModal([&] { Click(button.Handle()); }, L"#32768",
               [&](HWND popup) {
                   GetWindowRect(popup, &shown);
                   for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN})
                       PostMessageW(popup, WM_KEYDOWN, key, 0);
               });
    RECT r{};
    GetWindowRect(button.Handle(), &r);
    EXPECT_EQ(shown.left, r.left);
    EXPECT_EQ(shown.top, r.bottom);
    EXPECT_EQ(host.commands, (std::vector<std::pair<int, UINT>>{{500, BN_CLICKED}, {502, 0}}));
}

// OK and Enter accept, Escape cancels, and a quit request cancels and is left for the main
// loop; the owner takes no input meanwhile.
TEST_F(Widgets, InputBoxHoldsItsOwnerAndAnswersWithTheTextOrNothing) {
    WinInputBox box(host.Handle());
    for (const auto& [message, key, answer] :
         {std::tuple<UINT, WPARAM, std::optional<std::string>>{WM_COMMAND, IDOK, "draft"},
          {WM_KEYDOWN, VK_RETURN, "draft"},
          {WM_KEYDOWN, VK_ESCAPE, std::nullopt},
          {WM_QUIT, 3, std::nullopt}}) {
        std::optional<std::string> given;
        WhileModal([&] { given = box.Ask("Saving Table Contents", "Enter a title", "draft"); },
                   kInputBoxClass,
                   [&](HWND window) {
                       EXPECT_FALSE(IsWindowEnabled(host.Handle()));
                       const HWND edit = FindWindowExW(window, nullptr, L"Edit", nullptr);
                       EXPECT_EQ(WindowText(edit), "draft");
                       if (message == WM_QUIT) PostQuitMessage(static_cast<int>(key));
                       if (message == WM_COMMAND) Click(GetDlgItem(window, IDOK));
                       if (message == WM_KEYDOWN) PostMessageW(edit, message, key, 0);
                   });
        EXPECT_EQ(given, answer) << key;
        EXPECT_TRUE(IsWindowEnabled(host.Handle()));
        EXPECT_EQ(FindWindowW(kInputBoxClass, nullptr), nullptr);
    }
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}

// An error raised in a window's handler ends that action and shows in an error box.
class FailingWindow : public Window {
  public:
    FailingWindow() {
        CreateWindowOf({L"SorvaneTestFailing"}, 0, "", WS_POPUP, {0, 0, 10, 10}, nullptr);
    }

  protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_APP) throw SettingsWriteError("C:\\Tools\\guest.INI");
        return DefaultProc(message, wParam, lParam);
    }
};

using WindowGuard = ProgramWindows;

TEST_F(WindowGuard, ErrorsReachTheErrorBoxNotTheSystem) {
    Start();
    FailingWindow window;
    EXPECT_EQ(SendMessageW(window.Handle(), WM_APP, 0, 0), 0);
    SendMessageW(window.Handle(), WM_APP, 0, 0);  // the window still takes messages
    EXPECT_EQ(fake.prompts.Errors(),
              std::vector<std::string>(2, "Unable to write to C:\\Tools\\guest.INI"));
    EXPECT_TRUE(IsWindow(window.Handle()));
}

}  // namespace
}  // namespace sorvane::testing
