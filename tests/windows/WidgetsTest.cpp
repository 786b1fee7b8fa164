// The interface components of the tool windows, driven through the standard control messages
// a user's input or an automation tool produces, and checked by what their owner sees.
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "WindowTestSupport.h"
#include "win/platform/Utf.h"
#include "win/platform/EntryGuard.h"
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

// A top-level window standing in for a tool window: it records the commands reaching it.
class Host : public Window {
  public:
    Host() {
        CreateWindowOf({L"SorvaneTestWidgetHost"}, WS_EX_CONTROLPARENT, "Host",
                       WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, {0, 0, 500, 400}, nullptr);
        ShowWindow(Handle(), SW_SHOW);
    }
    std::vector<std::pair<int, UINT>> commands;  // id and notification code
    int listChanges = 0;                         // LVN_ITEMCHANGED seen by the window itself

  protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND) commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
        if (message == WM_NOTIFY &&
            reinterpret_cast<const NMHDR*>(lParam)->code == LVN_ITEMCHANGED) {
            ++listChanges;
        }
        return DefaultProc(message, wParam, lParam);
    }
};

HWND VisibleWindowOfClass(const wchar_t* className) {
    struct Search {
        const wchar_t* name;
        HWND found;
    } search{className, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            wchar_t name[64]{};
            GetClassNameW(hwnd, name, 64);
            if (IsWindowVisible(hwnd) && lstrcmpiW(name, s->name) == 0) s->found = hwnd;
            return s->found == nullptr;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// While `action` runs a modal loop, waits for a visible window of `className` to open and
// hands it to `inside`.
struct ModalStep {
    const wchar_t* className;
    std::function<void(HWND)> inside;
    int triesLeft = 50;
};
ModalStep* g_step = nullptr;

void CALLBACK RunStep(HWND, UINT, UINT_PTR id, DWORD) {
    if (!g_step) {
        KillTimer(nullptr, id);
        return;
    }
    HWND window = VisibleWindowOfClass(g_step->className);
    if (!window && --g_step->triesLeft > 0) return;
    KillTimer(nullptr, id);
    ModalStep* const step = std::exchange(g_step, nullptr);
    ASSERT_NE(window, nullptr) << Narrow(step->className) << " did not open";
    step->inside(window);
}

void WhileModal(const std::function<void()>& action, const wchar_t* className,
                std::function<void(HWND)> inside) {
    ModalStep step{className, std::move(inside)};
    g_step = &step;
    SetTimer(nullptr, 0, 100, &RunStep);
    action();
    g_step = nullptr;
}

void Click(HWND button) {
    SendMessageW(button, BM_CLICK, 0, 0);
}

class Widgets : public ::testing::Test {
  protected:
    void TearDown() override { PumpMessages(); }
    Host host;
};

TEST_F(Widgets, CheckListKeepsItemsSortedAndReportsOnlyOutsideChanges) {
    std::vector<int> reported;
    CheckList list(host.Handle(), Bounds(10, 10, 200, 150), 101,
                   {true, [&](int index) { reported.push_back(index); }});
    list.Add("*.tmp");
    list.Add("*.BAK", true);
    list.Add("*.old");
    list.Add("*.été");
    ASSERT_EQ(list.Count(), 4);
    // In the user's collation, as the window's other sorted lists.
    EXPECT_EQ(list.Text(0), "*.BAK");
    EXPECT_EQ(list.Text(1), "*.été");
    EXPECT_EQ(list.Text(2), "*.old");
    EXPECT_EQ(list.Text(3), "*.tmp");
    EXPECT_TRUE(list.Checked(0));
    EXPECT_FALSE(list.Checked(1));

    // Automation sees the check boxes as state images 1 and 2 and can set them.
    EXPECT_EQ(SendMessageW(list.Handle(), LVM_GETITEMSTATE, 0, LVIS_STATEIMAGEMASK),
              INDEXTOSTATEIMAGEMASK(2));
    LVITEMW item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(2);
    SendMessageW(list.Handle(), LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&item));
    EXPECT_TRUE(list.Checked(2));
    EXPECT_EQ(reported, std::vector<int>{2});

    // The program's own changes are not reported back to it, and the window still gets
    // the list's notifications.
    list.SetChecked(1, true);
    list.Add("*.gid", true);
    EXPECT_EQ(reported, std::vector<int>{2});
    EXPECT_GT(host.listChanges, 0);

    item.stateMask = LVIS_SELECTED;
    item.state = LVIS_SELECTED;
    SendMessageW(list.Handle(), LVM_SETITEMSTATE, 4, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(list.Selected(), 4);
    EXPECT_EQ(list.Text(list.Selected()), "*.tmp");
    // The space bar checks the focused item, as the user would.
    list.Select(4);
    SendMessageW(list.Handle(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(list.Checked(4));
    EXPECT_EQ(reported, (std::vector<int>{2, 4}));
    list.Remove(list.Selected());
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Selected(), -1);
    list.Select(0);
    EXPECT_EQ(list.Selected(), 0);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Selected(), -1);
}

TEST_F(Widgets, MovablePanelFollowsItsTitleStripInsideItsParent) {
    MovablePanel panel(host.Handle(), "Destination", Bounds(20, 30, 200, 120));
    HWND accept = MakeButton(panel.Handle(), "Accept", Bounds(10, 60, 80, 25), 7);
    EXPECT_EQ(WindowText(panel.Handle()), "Destination");

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
    // Dragged past the parent's edge it stops at the edge.
    SendMessageW(panel.Handle(), WM_MOUSEMOVE, MK_LBUTTON, pointerAt(-300, -300));
    EXPECT_EQ(panel.Position().x, 0);
    EXPECT_EQ(panel.Position().y, 0);
    SendMessageW(panel.Handle(), WM_LBUTTONUP, 0, pointerAt(0, 0));
    SendMessageW(panel.Handle(), WM_MOUSEMOVE, 0, pointerAt(100, 100));
    EXPECT_EQ(panel.Position().x, 0);

    // Pressing below the strip does not take the panel.
    SendMessageW(panel.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 50));
    SendMessageW(panel.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(80, 90));
    SendMessageW(panel.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(80, 90));
    EXPECT_EQ(panel.Position().x, 0);

    // Its controls report to the window, and it shows and hides.
    Click(accept);
    EXPECT_EQ(host.commands, (std::vector<std::pair<int, UINT>>{{7, BN_CLICKED}}));
    panel.Show(false);
    EXPECT_FALSE(panel.Visible());
    panel.Show(true);
    EXPECT_TRUE(panel.Visible());
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
    EXPECT_EQ(host.commands, (std::vector<std::pair<int, UINT>>{{500, BN_CLICKED}, {502, 0}}));

    // Closing the menu without a choice sends nothing.
    host.commands.clear();
    WhileMenuOpen([&] { Click(button.Handle()); }, [] {});
    EXPECT_EQ(host.commands, (std::vector<std::pair<int, UINT>>{{500, BN_CLICKED}}));
}

TEST_F(Widgets, SpinEditReadsWhatArrowsAndTypingLeaveInTheEdit) {
    std::vector<int> reported;
    SpinEdit spin(host.Handle(), Bounds(10, 10, 100, 22), 300,
                  {1, 1000000, 1000, 1000, [&](int value) { reported.push_back(value); }});
    EXPECT_EQ(spin.Value(), 1000);
    EXPECT_TRUE(reported.empty());

    // Large numbers are written without thousands separators so they read back.
    SendMessageW(spin.Arrows(), UDM_SETPOS32, 0, 54321);
    EXPECT_EQ(WindowText(spin.Edit()), "54321");
    EXPECT_EQ(spin.Value(), 54321);
    SendMessageW(spin.Edit(), WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(spin.Value(), 54322);

    SetWindowTextW(spin.Edit(), L" 250 ");
    EXPECT_EQ(spin.Value(), 250);
    ASSERT_GE(reported.size(), 3u);
    EXPECT_EQ(reported.back(), 250);

    // Text that is not a number reads as the fallback; numbers outside the range are held in it.
    for (const wchar_t* text : {L"", L"abc", L"12kb", L"99999999999"}) {
        SetWindowTextW(spin.Edit(), text);
        EXPECT_EQ(spin.Value(), 1000) << Narrow(text);
    }
    SetWindowTextW(spin.Edit(), L"5000000");
    EXPECT_EQ(spin.Value(), 1000000);
    SetWindowTextW(spin.Edit(), L"-4");
    EXPECT_EQ(spin.Value(), 1);

    const size_t before = reported.size();
    spin.SetValue(7);
    EXPECT_EQ(spin.Value(), 7);
    EXPECT_EQ(reported.size(), before);

    // A failing callback is reported, not thrown through the window procedure.
    std::vector<std::string> errors;
    SetErrorHandler([&](const std::string& message) { errors.push_back(message); });
    SpinEdit failing(host.Handle(), Bounds(10, 40, 100, 22), 301,
                     {0, 10, 0, 0, [](int) { throw std::runtime_error("Disk full"); }});
    SetWindowTextW(failing.Edit(), L"3");
    SetErrorHandler(nullptr);
    EXPECT_EQ(errors, std::vector<std::string>{"Disk full"});
    EXPECT_EQ(failing.Value(), 3);
}

TEST_F(Widgets, CheckGroupBoxEnablesItsControlsWhileChecked) {
    std::vector<bool> reported;
    CheckGroupBox group(host.Handle(),
                        "Scan For Files Based On File Size:", Bounds(10, 10, 300, 120), 200,
                        {false, [&](bool checked) { reported.push_back(checked); }});
    const RECT inside = group.Inside();
    HWND bigger = MakeControl(group.Handle(), L"BUTTON", "Bigger", WS_VISIBLE | BS_AUTOCHECKBOX,
                              Bounds(inside.left, inside.top, 120, 20), 201);
    SpinEdit spin(group.Handle(), Bounds(inside.left + 130, inside.top, 80, 22), 202, {});
    host.commands.clear();
    EXPECT_EQ(WindowText(group.TitleBox()), "Scan For Files Based On File Size:");
    EXPECT_FALSE(IsWindowEnabled(bigger));
    EXPECT_FALSE(IsWindowEnabled(spin.Edit()));
    EXPECT_FALSE(IsWindowEnabled(spin.Arrows()));

    Click(group.TitleBox());
    EXPECT_TRUE(group.Checked());
    EXPECT_TRUE(IsWindowEnabled(bigger));
    EXPECT_TRUE(IsWindowEnabled(spin.Edit()));
    EXPECT_TRUE(IsWindowEnabled(spin.Arrows()));
    EXPECT_EQ(reported, std::vector<bool>{true});

    // The inner controls lie above the frame, and report to the window.
    POINT centre{inside.left + 60, inside.top + 10};
    EXPECT_EQ(ChildWindowFromPointEx(group.Handle(), centre, CWP_SKIPINVISIBLE), bigger);
    Click(bigger);
    EXPECT_EQ(host.commands,
              (std::vector<std::pair<int, UINT>>{{200, BN_CLICKED}, {201, BN_CLICKED}}));

    group.SetChecked(false);
    EXPECT_FALSE(IsWindowEnabled(bigger));
    EXPECT_FALSE(IsWindowEnabled(spin.Edit()));
    EXPECT_EQ(reported, std::vector<bool>{true});
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

    std::optional<SaveChoice> choice;
    WhileModal([&] { choice = chooser.Save(request); }, L"#32770",
               [&](HWND dialog) {
                   HWND name = GetDlgItem(dialog, cmb13);
                   if (!name) name = GetDlgItem(dialog, edt1);
                   SetWindowTextW(name, Widen(target).c_str());
                   Click(GetDlgItem(dialog, IDOK));
               });
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->path, target);
    EXPECT_EQ(choice->filterIndex, 2);
    EXPECT_EQ(std::filesystem::current_path(), before);

    WhileModal([&] { choice = chooser.Save(request); }, L"#32770",
               [](HWND dialog) { Click(GetDlgItem(dialog, IDCANCEL)); });
    EXPECT_FALSE(choice);
}

TEST_F(Widgets, InputBoxIsModalAndAnswersWithTheTextOrNothing) {
    WinInputBox box(host.Handle());
    const auto ask = [&] { return box.Ask("Saving Table Contents", "Enter a title", "draft"); };

    std::optional<std::string> answer;
    bool ownerDisabled = false;
    std::string shownText;
    WhileModal([&] { answer = ask(); }, kInputBoxClass,
               [&](HWND window) {
                   EXPECT_EQ(WindowText(window), "Saving Table Contents");
                   ownerDisabled = !IsWindowEnabled(host.Handle());
                   HWND edit = FindWindowExW(window, nullptr, L"Edit", nullptr);
                   shownText = WindowText(edit);
                   SetWindowTextW(edit, L"Résumé 報告");
                   Click(GetDlgItem(window, IDOK));
               });
    EXPECT_TRUE(ownerDisabled);
    EXPECT_EQ(shownText, "draft");
    EXPECT_EQ(answer, "Résumé 報告");
    EXPECT_TRUE(IsWindowEnabled(host.Handle()));
    EXPECT_EQ(FindWindowW(kInputBoxClass, nullptr), nullptr);

    // Enter accepts and Escape cancels, as in any dialog.
    WhileModal([&] { answer = ask(); }, kInputBoxClass,
               [](HWND window) {
                   PostMessageW(FindWindowExW(window, nullptr, L"Edit", nullptr), WM_KEYDOWN,
                                VK_RETURN, 0);
               });
    EXPECT_EQ(answer, "draft");
    WhileModal([&] { answer = ask(); }, kInputBoxClass,
               [](HWND window) {
                   PostMessageW(FindWindowExW(window, nullptr, L"Edit", nullptr), WM_KEYDOWN,
                                VK_ESCAPE, 0);
               });
    EXPECT_FALSE(answer);
    WhileModal([&] { answer = ask(); }, kInputBoxClass,
               [](HWND window) { Click(GetDlgItem(window, IDCANCEL)); });
    EXPECT_FALSE(answer);

    // A quit request cancels the box and is left for the main loop.
    WhileModal([&] { answer = ask(); }, kInputBoxClass, [](HWND) { PostQuitMessage(3); });
    EXPECT_FALSE(answer);
    EXPECT_TRUE(IsWindowEnabled(host.Handle()));
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(Widgets, BusyCursorShowsTheHourglassAndPutsBackTheCursorBefore) {
    const HCURSOR cross = LoadCursorW(nullptr, IDC_CROSS);
    SetCursor(cross);
    {
        const BusyCursor outer;
        EXPECT_EQ(GetCursor(), BusyCursor::Hourglass());
        {
            const BusyCursor inner;
            EXPECT_TRUE(BusyCursor::Active());
        }
        EXPECT_EQ(GetCursor(), BusyCursor::Hourglass());
        EXPECT_TRUE(BusyCursor::Active());
    }
    EXPECT_EQ(GetCursor(), cross);
    EXPECT_FALSE(BusyCursor::Active());
}

}  // namespace
}  // namespace sorvane::testing
