// The interface components the tool windows rely on, driven through the standard control
// messages a user's input or an automation tool produces, and checked by what their owner sees.
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "WindowTestSupport.h"
#include "win/platform/EntryGuard.h"
#include "win/platform/Utf.h"
#include "win/widgets/BusyCursor.h"
#include "win/widgets/CheckGroupBox.h"
#include "win/widgets/CheckList.h"
#include "win/widgets/Controls.h"
#include "win/widgets/FlatButton.h"
#include "win/widgets/InputBox.h"
#include "win/widgets/MovablePanel.h"
#include "win/widgets/SaveDialog.h"
#include "win/widgets/SpinEdit.h"

namespace sorvane::testing {
namespace {

using Commands = std::vector<std::pair<int, UINT>>;

class Widgets : public ::testing::Test {
  protected:
    void TearDown() override { PumpMessages(); }
    HostWindow host;
};

TEST_F(Widgets, CheckListKeepsItemsSortedAndReportsOnlyTheUsersChanges) {
    std::vector<int> reported;
    CheckList list(host.Handle(), Bounds(10, 10, 200, 150), 101,
                   {true, [&](int index) { reported.push_back(index); }});
    for (const char* mask : {"*.tmp", "*.BAK", "*.old", "*.été"}) list.Add(mask);
    // In the user's collation, as the window's other sorted lists.
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(list.Text(i), (std::vector<std::string>{"*.BAK", "*.été", "*.old", "*.tmp"}[i]));
    }
    // Automation sees the check boxes as state images 1 and 2 and can set them.
    LVITEMW item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(2);
    SendMessageW(list.Handle(), LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&item));
    EXPECT_TRUE(list.Checked(2));
    // The space bar checks the focused item, as the user would.
    list.Select(3);
    SendMessageW(list.Handle(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(list.Checked(3));
    // The program's own changes are not reported back to it; the window still sees the list's.
    list.SetChecked(1, true);
    list.Add("*.gid", true);
    EXPECT_EQ(reported, (std::vector<int>{2, 3}));
    EXPECT_GT(host.listChanges, 0);
}

TEST_F(Widgets, MovablePanelFollowsItsTitleStripInsideItsParent) {
    MovablePanel panel(host.Handle(), "Destination", Bounds(20, 30, 200, 120));
    // The pointer as the panel sees it, for a point of the parent's client area.
    const auto pointerAt = [&](int x, int y) {
        POINT p{x, y};
        MapWindowPoints(host.Handle(), panel.Handle(), &p, 1);
        return MAKELPARAM(p.x, p.y);
    };
    const POINT start = panel.Position();
    const int gripX = start.x + 30;
    const int gripY = start.y + panel.TitleHeight() / 2 + 1;
    SendMessageW(panel.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, pointerAt(gripX, gripY));
    SendMessageW(panel.Handle(), WM_MOUSEMOVE, MK_LBUTTON, pointerAt(gripX + 50, gripY + 40));
    EXPECT_EQ(panel.Position().x, start.x + 50);
    EXPECT_EQ(panel.Position().y, start.y + 40);
    // Dragged past the parent's edge it stops at the edge; released, it stays.
    SendMessageW(panel.Handle(), WM_MOUSEMOVE, MK_LBUTTON, pointerAt(-300, -300));
    EXPECT_EQ(panel.Position().y, 0);
    SendMessageW(panel.Handle(), WM_LBUTTONUP, 0, pointerAt(0, 0));
    SendMessageW(panel.Handle(), WM_MOUSEMOVE, 0, pointerAt(100, 100));
    EXPECT_EQ(panel.Position().x, 0);
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
                   for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) {
                       PostMessageW(popup, WM_KEYDOWN, key, 0);
                   }
               });
    RECT r{};
    GetWindowRect(button.Handle(), &r);
    EXPECT_EQ(shown.left, r.left);
    EXPECT_EQ(shown.top, r.bottom);
    EXPECT_EQ(host.commands, (Commands{{500, BN_CLICKED}, {502, 0}}));
}

TEST_F(Widgets, SpinEditReadsWhatArrowsAndTypingLeaveInTheEdit) {
    std::vector<int> reported;
    SpinEdit spin(host.Handle(), Bounds(10, 10, 100, 22), 300,
                  {1, 1000000, 1000, 1000, [&](int value) { reported.push_back(value); }});
    // Large numbers are written without thousands separators so they read back.
    SendMessageW(spin.Arrows(), UDM_SETPOS32, 0, 54321);
    EXPECT_EQ(spin.Value(), 54321);
    SendMessageW(spin.Edit(), WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(spin.Value(), 54322);
    // Text that is not a number reads as the fallback; numbers outside the range are held in it.
    for (const auto& [text, value] : {std::pair{L" 250 ", 250},
                                      {L"", 1000},
                                      {L"abc", 1000},
                                      {L"12kb", 1000},
                                      {L"99999999999", 1000},
                                      {L"5000000", 1000000},
                                      {L"-4", 1}}) {
        SetWindowTextW(spin.Edit(), text);
        EXPECT_EQ(spin.Value(), value) << Narrow(text);
    }
    EXPECT_NE(std::find(reported.begin(), reported.end(), 250), reported.end());
    const size_t before = reported.size();
    spin.SetValue(7);  // the program's own change is not reported
    EXPECT_EQ(reported.size(), before);

    // A failing callback is reported, not thrown through the window procedure.
    std::vector<std::string> errors;
    SetErrorHandler([&](const std::string& message) { errors.push_back(message); });
    SpinEdit failing(host.Handle(), Bounds(10, 40, 100, 22), 301,
                     {0, 10, 0, 0, [](int) { throw std::runtime_error("Disk full"); }});
    SetWindowTextW(failing.Edit(), L"3");
    SetErrorHandler(nullptr);
    EXPECT_EQ(errors, std::vector<std::string>{"Disk full"});
}

TEST_F(Widgets, CheckGroupBoxControlsLieAboveTheFrameAndWorkOnlyWhileChecked) {
    CheckGroupBox group(host.Handle(), "Size", Bounds(10, 10, 300, 120), 200, {false, [](bool) {}});
    const RECT inside = group.Inside();
    HWND bigger = MakeControl(group.Handle(), L"BUTTON", "Bigger", WS_VISIBLE | BS_AUTOCHECKBOX,
                              Bounds(inside.left, inside.top, 120, 20), 201);
    EXPECT_FALSE(IsWindowEnabled(bigger));
    Click(group.TitleBox());
    EXPECT_TRUE(IsWindowEnabled(bigger));
    const POINT centre{inside.left + 60, inside.top + 10};
    EXPECT_EQ(ChildWindowFromPointEx(group.Handle(), centre, CWP_SKIPINVISIBLE), bigger);
    group.SetChecked(false);
    EXPECT_FALSE(IsWindowEnabled(bigger));
}

TEST_F(Widgets, SaveDialogReturnsTheTypedNameAndKeepsTheCurrentDirectory) {
    EXPECT_EQ(DialogFilter("HTML Files(*.html)|*.html|Text Files(*.txt)|*.txt"),
              std::wstring(L"HTML Files(*.html)\0*.html\0Text Files(*.txt)\0*.txt\0\0", 51));
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "h7-save";
    std::filesystem::create_directories(folder);
    const std::string target = (folder / "report").string();
    const std::filesystem::path before = std::filesystem::current_path();
    WinFileChooser chooser(host.Handle());
    const SaveRequest request{"HTML Files(*.html)|*.html|Text Files(*.txt)|*.txt", 2, ""};
    for (const int button : {IDOK, IDCANCEL}) {
        std::optional<SaveChoice> choice;
        WhileModal([&] { choice = chooser.Save(request); }, L"#32770",
                   [&](HWND dialog) {
                       HWND name = GetDlgItem(dialog, cmb13);
                       if (!name) name = GetDlgItem(dialog, edt1);
                       SetWindowTextW(name, Widen(target).c_str());
                       Click(GetDlgItem(dialog, button));
                   });
        ASSERT_EQ(choice.has_value(), button == IDOK);
        if (!choice) continue;
        EXPECT_EQ(choice->path, target);
        EXPECT_EQ(choice->filterIndex, 2);
        EXPECT_EQ(std::filesystem::current_path(), before);
    }
}

TEST_F(Widgets, InputBoxHoldsItsOwnerAndAnswersWithTheTextOrNothing) {
    WinInputBox box(host.Handle());
    const auto edit = [](HWND window) { return FindWindowExW(window, nullptr, L"Edit", nullptr); };
    std::optional<std::string> answer;
    bool ownerDisabled = false;
    WhileModal([&] { answer = box.Ask("Saving Table Contents", "Enter a title", "draft"); },
               kInputBoxClass,
               [&](HWND window) {
                   ownerDisabled = !IsWindowEnabled(host.Handle());
                   EXPECT_EQ(WindowText(edit(window)), "draft");
                   SetWindowTextW(edit(window), L"Résumé 報告");
                   Click(GetDlgItem(window, IDOK));
               });
    EXPECT_TRUE(ownerDisabled);
    EXPECT_EQ(answer, "Résumé 報告");

    // Enter accepts and Escape cancels, as in any dialog; a quit request cancels and is left
    // for the main loop.
    const struct {
        UINT message;
        WPARAM key;
        std::optional<std::string> answer;
    } cases[] = {{WM_KEYDOWN, VK_RETURN, "draft"},
                 {WM_KEYDOWN, VK_ESCAPE, std::nullopt},
                 {WM_QUIT, 3, std::nullopt}};
    for (const auto& c : cases) {
        WhileModal([&] { answer = box.Ask("Saving Table Contents", "Enter a title", "draft"); },
                   kInputBoxClass,
                   [&](HWND window) {
                       if (c.message == WM_QUIT)
                           PostQuitMessage(static_cast<int>(c.key));
                       else
                           PostMessageW(edit(window), c.message, c.key, 0);
                   });
        EXPECT_EQ(answer, c.answer) << c.key;
        EXPECT_TRUE(IsWindowEnabled(host.Handle()));
        EXPECT_EQ(FindWindowW(kInputBoxClass, nullptr), nullptr);
    }
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(Widgets, BusyCursorShowsTheHourglassAndPutsBackTheCursorBefore) {
    const HCURSOR cross = LoadCursorW(nullptr, IDC_CROSS);
    SetCursor(cross);
    {
        const BusyCursor outer;
        { const BusyCursor inner; }
        EXPECT_EQ(GetCursor(), BusyCursor::Hourglass());
        EXPECT_TRUE(BusyCursor::Active());
    }
    EXPECT_EQ(GetCursor(), cross);
    EXPECT_FALSE(BusyCursor::Active());
}

}  // namespace
}  // namespace sorvane::testing
