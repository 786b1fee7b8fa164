// Start-up, the tray icon's events, the drive pop-up and the menu's commands, on real windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WindowTestSupport.h"
#include "win/app/MainSorv.h"
#include "win/app/MenuIds.h"
#include "win/dialogs/AboutSorv.h"
#include "win/dirclean/Mfolders.h"
#include "win/driveclean/CleanDriSorv.h"
#include "win/platform/Utf.h"
#include "win/platform/WinSystemInfo.h"
#include "win/settings/GeneralSorv.h"
#include "win/widgets/Controls.h"
#include "win/widgets/Menu.h"

namespace sorvane::testing {
namespace {

constexpr char kSettings[] = "C:\\Tools\\guest.INI";

SIZE WindowSize(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return {r.right - r.left, r.bottom - r.top};
}

SIZE ClientSize(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return {r.right, r.bottom};
}

std::vector<std::string> MenuCaptions(HMENU menu) {
    std::vector<std::string> captions;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[128] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
        captions.push_back(text[0] ? Narrow(text) : "-");
    }
    return captions;
}

using MainWindow = ProgramWindows;

TEST_F(MainWindow, CreatesEveryWindowOnceHiddenInStartUpOrder) {
    Start();
    EXPECT_EQ(app->CreationLog(),
              (std::vector<std::string>{"TForm1", "TForm9", "TForm2", "TForm3", "TForm4", "TForm6",
                                        "TForm5", "TForm7", "TForm8"}));
    const Forms& f = forms->Get();
    for (HWND hwnd : {f.main->Handle(), f.about->Handle(), f.general->Handle(),
                      f.driveClean->Handle(), f.directories->Handle()}) {
        EXPECT_FALSE(IsWindowVisible(hwnd));
    }
    EXPECT_FALSE(f.main->DriveInfoShown());
    EXPECT_FALSE(app->Terminated());

    const SharedValues& v = f.main->Values();
    EXPECT_EQ(v.programDir, "C:\\Tools\\");
    EXPECT_EQ(v.settingsPath, kSettings);
    EXPECT_EQ(v.windowsDir, "C:\\WINDOWS");
    EXPECT_EQ(v.platformName, "Windows NT");

    RECT r{};
    GetWindowRect(f.main->Handle(), &r);
    EXPECT_EQ(r.left, 1);
    EXPECT_EQ(r.top, 1);
}

TEST_F(MainWindow, SettingsPathOfTheRealProgramIsItsDirectoryAndTheUser) {
    WinSystemInfo real;
    FakePlatform& f = fake;
    f.system.SetUserName(real.UserName());
    f.system.SetProgramPath(real.ProgramPath());
    Start();
    wchar_t module[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::wstring dir = module;
    dir.erase(dir.find_last_of(L'\\') + 1);
    wchar_t user[257] = {};
    DWORD size = 257;
    GetUserNameW(user, &size);
    EXPECT_EQ(forms->Get().main->Values().settingsPath, Narrow(dir + user + L".INI"));
}

TEST_F(MainWindow, WindowsGrowWithTheScreen) {
    if (GetSystemMetrics(SM_CXSCREEN) != 800 || GetSystemMetrics(SM_CYSCREEN) != 600) {
        GTEST_SKIP() << "needs an 800 by 600 screen";
    }
    Start();
    const SIZE general = WindowSize(forms->Get().general->Handle());
    EXPECT_EQ(general.cx, 492);
    EXPECT_EQ(general.cy, 403);
    const SIZE driveClean = WindowSize(forms->Get().driveClean->Handle());
    EXPECT_EQ(driveClean.cx, 639 * 800 / 640);
    EXPECT_EQ(driveClean.cy, 451 * 600 / 480);
}

TEST_F(MainWindow, MenuHasEveryCommandAndExitToDosOnlyWithItsShortcut) {
    Start();
    HMENU menu = forms->Get().main->Mainpopup();
    EXPECT_EQ(MenuCaptions(menu),
              (std::vector<std::string>{"Shut Down", "-", "Clean Directories", "Clean Drive(s)",
                                        "Find Duplicate Files", "Check Shortcuts", "-",
                                        "General Options", "Help", "-", "About", "Exit"}));
    EXPECT_EQ(MenuCaptions(GetSubMenu(menu, 0)),
              (std::vector<std::string>{"Shut Down", "Log Off", "Reboot", "Exit To Dos"}));
    EXPECT_EQ(MenuCaptions(GetSubMenu(menu, 2)),
              (std::vector<std::string>{"Set/Edit Options", "Clean Selected Directories Now"}));
    EXPECT_FALSE(ItemEnabled(menu, menu::kExitToDos1));
    EXPECT_TRUE(ItemEnabled(menu, menu::kShutDown2));

    forms.reset();
    app.reset();
    // A file of that name elsewhere does not count.
    fake.fs.AddFile("C:\\Tools\\Exit To Dos.pif", 10);
    Start();
    EXPECT_FALSE(ItemEnabled(forms->Get().main->Mainpopup(), menu::kExitToDos1));

    forms.reset();
    app.reset();
    fake.fs.AddFile("C:\\WINDOWS\\Exit To Dos.pif", 10);
    Start();
    EXPECT_TRUE(ItemEnabled(forms->Get().main->Mainpopup(), menu::kExitToDos1));
}

class DrivePopup : public ProgramWindows {
  protected:
    void SetUp() override {
        fake.drives.AddDrive('A', {drive::kRemovable, {1, 512, 100, 2880}});
        fake.drives.AddDrive('C', {drive::kFixed, {8, 512, 207872, 524288}});
        fake.drives.AddDrive('D', {drive::kCdRom, {1, 2048, 0, 300000}});
        fake.drives.AddDrive('E', {drive::kFixed, {1, 4096, 1000, 2000}});
    }
    void EnableOption(bool on) {
        fake.settings.SetFileText(kSettings, std::string("[Generaloptions]\r\nDriveinfo_Checked=") +
                                                 (on ? "1" : "0") + "\r\n");
    }
    TForm1& Main() { return *forms->Get().main; }
};

TEST_F(DrivePopup, ShowsFixedDrivesWhileThePointerRestsOnTheIcon) {
    EnableOption(true);
    Start();
    Main().TrayiconMouseEnter();
    PumpMessages();
    ASSERT_TRUE(Main().DriveInfoShown());
    EXPECT_TRUE(IsWindowVisible(Main().Handle()));
    EXPECT_EQ(WindowText(Main().Drilabel()),
              "C:\\ Total: 2.04 GB Free: 812 MB\r\nE:\\ Total: 7.8 MB Free: 3.9 MB\r\n");

    // The window is 80 pixels wider and 40 taller than the label, at the top left.
    const SIZE label = WindowSize(Main().Drilabel());
    const SIZE client = ClientSize(Main().Handle());
    EXPECT_EQ(client.cx, label.cx + 80);
    EXPECT_EQ(client.cy, label.cy + 40);
    RECT r{};
    GetWindowRect(Main().Handle(), &r);
    EXPECT_EQ(r.left, 1);
    EXPECT_EQ(r.top, 1);

    // A second drive line makes the label taller than one line.
    HDC dc = GetDC(Main().Drilabel());
    SelectObject(dc, UiFont());
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    ReleaseDC(Main().Drilabel(), dc);
    EXPECT_GE(label.cy, 2 * tm.tmHeight);

    Main().TrayiconMouseExit();
    EXPECT_FALSE(Main().DriveInfoShown());
    EXPECT_FALSE(IsWindowVisible(Main().Handle()));
}

TEST_F(DrivePopup, NothingShowsWithTheOptionOffOrWithoutFixedDrives) {
    EnableOption(false);
    Start();
    Main().TrayiconMouseEnter();
    EXPECT_FALSE(Main().DriveInfoShown());
    EXPECT_FALSE(IsWindowVisible(Main().Handle()));

    forms.reset();
    app.reset();
    EnableOption(true);
    fake.drives.RemoveDrive('C');
    fake.drives.RemoveDrive('E');
    Start();
    Main().TrayiconMouseEnter();
    EXPECT_FALSE(Main().DriveInfoShown());
    EXPECT_FALSE(IsWindowVisible(Main().Handle()));
}

TEST_F(DrivePopup, ClicksHideThePopupFirstAndOpenTheMenuButTheMiddleButtonDoesNothing) {
    EnableOption(true);
    Start();
    Main().TrayiconMouseEnter();
    ASSERT_TRUE(Main().DriveInfoShown());

    Main().TrayiconClick(MouseButton::kMiddle);
    EXPECT_TRUE(Main().DriveInfoShown());

    for (MouseButton button : {MouseButton::kRight, MouseButton::kLeft}) {
        Main().TrayiconMouseEnter();
        bool menuOpen = false;
        bool popupHidden = false;
        WhileMenuOpen([&] { Main().TrayiconClick(button); },
                      [&] {
                          HWND menu = FindWindowW(L"#32768", nullptr);
                          menuOpen = menu && IsWindowVisible(menu);
                          popupHidden =
                              !Main().DriveInfoShown() && !IsWindowVisible(Main().Handle());
                      });
        EXPECT_TRUE(menuOpen);
        EXPECT_TRUE(popupHidden);
    }
}

class MenuCommands : public ProgramWindows {
  protected:
    TForm1& Main() { return *forms->Get().main; }
};

TEST_F(MenuCommands, ShowToolWindowsAndBringThemForward) {
    Start();
    const Forms& f = forms->Get();
    const std::pair<int, HWND> commands[] = {
        {menu::kAbout1, f.about->Handle()},
        {menu::kClean1, f.driveClean->Handle()},
        {menu::kSetEditOptions1, f.directories->Handle()},
        {menu::kGeneralOptions1, f.general->Handle()},
    };
    for (const auto& [id, hwnd] : commands) {
        Main().Command(id);
        PumpMessages();
        EXPECT_TRUE(IsWindowVisible(hwnd)) << id;
    }
    // Choosing About again only brings the same box forward.
    Main().Command(menu::kAbout1);
    EXPECT_TRUE(IsWindowVisible(f.about->Handle()));
    EXPECT_EQ(app->CreationLog().size(), 9u);
}

TEST_F(MenuCommands, PowerActionsAskFirstAndEndTheProgramOnlyWhenAccepted) {
    Start();
    fake.prompts.QueueAnswers({false});
    Main().Command(menu::kShutDown2);
    EXPECT_TRUE(fake.system.ExitRequests().empty());
    EXPECT_FALSE(app->Terminated());

    fake.prompts.QueueAnswers({true});
    fake.system.SetExitAccepted(false);
    Main().Command(menu::kReboot1);
    EXPECT_EQ(fake.prompts.Notices().back(), "Unable to reboot. An application refused to close!");
    EXPECT_FALSE(app->Terminated());

    fake.prompts.QueueAnswers({true});
    fake.system.SetExitAccepted(true);
    Main().Command(menu::kLogOff1);
    EXPECT_TRUE(app->Terminated());
}

TEST_F(MenuCommands, HelpAndExit) {
    Start();
    Main().Command(menu::kHelp1);
    EXPECT_EQ(fake.prompts.Notices(), std::vector<std::string>{"Help File Is Missing!"});
    Main().Command(menu::kExit1);
    EXPECT_TRUE(app->Terminated());
}

TEST_F(MenuCommands, ExitAfterStartUpTasksIsTheLastQuestionOfStartUp) {
    fake.settings.SetFileText(kSettings, "[Generaloptions]\r\nSchedulebox_Checked=1\r\n");
    fake.prompts.QueueAnswers({false});
    Start();
    EXPECT_EQ(fake.prompts.Questions(), std::vector<std::string>{"Exit Sorvane?"});
    EXPECT_FALSE(app->Terminated());

    forms.reset();
    app.reset();
    fake.prompts.QueueAnswers({true});
    Start();
    EXPECT_TRUE(app->Terminated());
    EXPECT_EQ(app->CreationLog().size(), 9u);
    // The loop was told to end before it started: it returns at once.
    EXPECT_EQ(app->Run(), 0);
}

TEST_F(MenuCommands, NoExitQuestionWhenTheOptionIsOff) {
    Start();
    EXPECT_TRUE(fake.prompts.Questions().empty());
    EXPECT_FALSE(app->Terminated());
}

}  // namespace
}  // namespace sorvane::testing
