// Start-up, the tray icon's events, the drive pop-up and the menu's commands, the About box
// the menu opens, and help: F1 on the focused control, the system menu and the tray's Help.

#include "WindowTestSupport.h"
#include "core/app/DriveInfo.h"
#include "core/app/HelpTopics.h"
#include "win/widgets/Menu.h"

namespace sorvane::testing {
namespace {

class MainWindow : public ProgramWindows {
  protected:
    TForm1& Main() { return *forms->Get().main; }
};

TEST_F(MainWindow, DrivePopupShowsFixedDrivesWhileThePointerRestsOnTheIconUntilAClick) {
    fake.drives.AddDrive('C', {drive::kFixed, {8, 512, 207872, 524288}});
    fake.settings.SetFileText(kIni, "[Generaloptions]\r\nDriveinfo_Checked=1\r\n");
    Start();
    const auto shown = [&] { return IsWindowVisible(Main().Handle()) != FALSE; };
    Main().TrayiconMouseEnter();
    EXPECT_TRUE(shown());
    EXPECT_EQ(WindowText(Main().Drilabel()), BuildDriveInfoText(fake.drives));
    Main().TrayiconMouseExit();
    EXPECT_FALSE(shown());

    // Clicks hide the pop-up first and open the menu, but the middle button does nothing.
    Main().TrayiconMouseEnter();
    Main().TrayiconClick(MouseButton::kMiddle);
    EXPECT_TRUE(shown());
    for (MouseButton button : {MouseButton::kRight, MouseButton::kLeft}) {
        bool popupHidden = false;
        WhileModal([&] { Main().TrayiconClick(button); }, L"#32768",
                   [&](HWND) {
                       popupHidden = !shown() && !Main().DriveInfoShown();
                       EndMenu();
                   });
        EXPECT_TRUE(popupHidden);
        Main().TrayiconMouseEnter();
    }
}

// Whether the taskbar shows a button for the window.
bool OnTaskbar(HWND w) {
    const LONG_PTR ex = GetWindowLongPtrW(w, GWL_EXSTYLE);
    const bool unowned = GetWindow(w, GW_OWNER) == nullptr && !(ex & WS_EX_TOOLWINDOW);
    return IsWindowVisible(w) && (unowned || (ex & WS_EX_APPWINDOW));
}

// Every window starts hidden and the menu shows it; a tool window minimised goes to the tray
// and the menu brings it back as it was; Exit ends the program.
TEST_F(MainWindow, WindowsStartHiddenAndAMinimisedOneGoesToTheTrayAndComesBackAsItWas) {
    Start();
    const Forms& f = forms->Get();
    EXPECT_FALSE(OnTaskbar(f.main->Handle()));
    for (const auto& [command, window, tool] :
         {std::tuple<int, Form*, bool>{menu::kAbout1, f.about.get(), false},
          {menu::kGeneralOptions1, f.general.get(), false},
          {menu::kClean1, f.driveClean.get(), true},
          {menu::kSetEditOptions1, f.directories.get(), true},
          {menu::kCheckShortcuts1, f.shortcuts.get(), true},
          {menu::kFindDuplicateFiles1, f.duplicates.get(), true}}) {
        const HWND w = window->Handle();
        EXPECT_FALSE(IsWindowVisible(w)) << command;
        Main().Command(command);
        PumpMessages();
        EXPECT_TRUE(IsWindowVisible(w)) << command;
        if (!tool) {
            window->Hide();
            continue;
        }
        ShowWindow(w, SW_MAXIMIZE);
        EXPECT_TRUE(OnTaskbar(w)) << command;
        SendMessageW(w, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        PumpMessages();
        EXPECT_FALSE(OnTaskbar(w)) << command;
        Main().Command(command);
        PumpMessages();
        EXPECT_TRUE(OnTaskbar(w) && IsZoomed(w)) << command;
        window->Close();
    }
    Main().Command(menu::kExit1);
    EXPECT_TRUE(app->Terminated());
}

TEST_F(MainWindow, PowerActionsAskFirstAndEndTheProgramOnlyWhenAccepted) {
    Start();
    for (const auto& [command, yes, accepted, ends] :
         {std::tuple{menu::kShutDown2, false, true, false},
          {menu::kReboot1, true, false, false},
          {menu::kLogOff1, true, true, true}}) {
        fake.prompts.QueueAnswers({yes});
        fake.system.SetExitAccepted(accepted);
        Main().Command(command);
        EXPECT_EQ(app->Terminated(), ends) << command;
    }
}

using AboutBox = OneWindow<TForm4>;

TEST_F(AboutBox, TheHomePageLinkOpensThePageAndHidesTheBox) {
    Open();
    ClickItem(TForm4::kUrlpanel);
    EXPECT_FALSE(Form().Visible());
    EXPECT_THAT(fake.shell.RunRequests(), ElementsAre(kHomePage));
}

constexpr char kHelpFile[] = "C:\\Tools\\Sorvane.chm";

// The help viewer's showings: the file and the topic, 0 for the contents.
struct RecordingHelp final : IHelpViewer {
    bool ShowContents(HWND, const std::string& file) override { return Record(file, 0); }
    bool ShowTopic(HWND, const std::string& file, DWORD topic) override {
        return Record(file, topic);
    }
    bool Record(const std::string& file, DWORD topic) {
        shown.emplace_back(file, topic);
        return true;
    }
    std::vector<std::pair<std::string, DWORD>> shown;
};

using Help = MainWindow;

// F1 as the user presses it opens the focused control's topic, or its window's; tool windows
// keep minimise and maximise, so their help is in the system menu; every number has a page.
TEST_F(Help, F1OpensTheFocusedControlsTopicOrItsWindowsAndEveryNumberHasAPage) {
    fake.fs.AddFile(kHelpFile, 1000);
    Start();
    RecordingHelp viewer;
    app->UseHelpViewer(&viewer);
    const Forms& f = forms->Get();
    using Shown = decltype(viewer.shown);
    for (const auto& [window, control, topic] :
         {std::tuple<Form*, HWND, DWORD>{f.general.get(), f.general->Control(TForm2::kRecyclebox),
                                         help::kRecycleOption},
          {f.general.get(), f.general->Control(TForm2::kClosebtn), help::kOverview},
          {f.driveClean.get(), f.driveClean->Control(cleandri::kFilemaskedit),
           help::kCleanDrivesCriteria},
          {f.shortcuts.get(), f.shortcuts->Control(TForm3::kShortcutlistbox),
           help::kDeadShortcuts}}) {
        window->Show();
        PumpMessages();
        SetForegroundWindow(window->Handle());
        SetFocus(control);
        PumpMessages();
        viewer.shown.clear();
        keybd_event(VK_F1, 0, 0, 0);
        keybd_event(VK_F1, 0, KEYEVENTF_KEYUP, 0);
        PumpMessages();
        EXPECT_EQ(viewer.shown, (Shown{{kHelpFile, topic}})) << GetDlgCtrlID(control);
        window->Hide();
    }

    for (const Form* tool : std::initializer_list<const Form*>{
             f.shortcuts.get(), f.duplicates.get(), f.directories.get(), f.driveClean.get()}) {
        EXPECT_NE(GetMenuState(GetSystemMenu(tool->Handle(), FALSE), 0x0010, MF_BYCOMMAND), ~0u);
    }
    f.shortcuts->Show();
    SetFocus(f.shortcuts->Control(TForm3::kDelbtn));
    viewer.shown.clear();
    SendMessageW(f.shortcuts->Handle(), WM_SYSCOMMAND, 0x0010, 0);
    Main().Command(menu::kHelp1);
    EXPECT_EQ(viewer.shown, (Shown{{kHelpFile, help::kDeadShortcuts}, {kHelpFile, 0}}));
    EXPECT_TRUE(fake.prompts.Notices().empty());

    for (const HWND control : Descendants(GetDesktopWindow())) {
        const DWORD n = GetWindowContextHelpId(control);
        EXPECT_TRUE(n == 0 || !help::PageOf(n).empty()) << n;
    }
}

}  // namespace
}  // namespace sorvane::testing
