// Start-up, the tray icon's events, the drive pop-up and the menu's commands, the About box
// the menu opens, and help, on real windows. F1 opens the focused control's topic (or its
// window's) in the help file found at start-up, the tray's Help opens the contents, and every
// number a control carries has its page.

#include "WindowTestSupport.h"
#include "core/app/DriveInfo.h"
#include "core/app/HelpTopics.h"
#include "win/app/MainSorv.h"
#include "win/app/MenuIds.h"
#include "win/dialogs/AboutSorv.h"
#include "win/dialogs/SeldirSorv.h"
#include "win/dirclean/Mfolders.h"
#include "win/driveclean/CleanDriSorv.h"
#include "win/duplicates/FinddupSorv.h"
#include "win/settings/GeneralSorv.h"
#include "win/shortcuts/ShortcutSorv.h"
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
    Main().TrayiconMouseEnter();
    PumpMessages();
    ASSERT_TRUE(Main().DriveInfoShown());
    EXPECT_TRUE(IsWindowVisible(Main().Handle()));
    EXPECT_EQ(WindowText(Main().Drilabel()), BuildDriveInfoText(fake.drives));
    Main().TrayiconMouseExit();
    EXPECT_FALSE(Main().DriveInfoShown());
    EXPECT_FALSE(IsWindowVisible(Main().Handle()));

    // Clicks hide the pop-up first and open the menu, but the middle button does nothing.
    Main().TrayiconMouseEnter();
    Main().TrayiconClick(MouseButton::kMiddle);
    EXPECT_TRUE(Main().DriveInfoShown());

    for (MouseButton button : {MouseButton::kRight, MouseButton::kLeft}) {
        Main().TrayiconMouseEnter();
        bool popupHidden = false;
        WhileModal([&] { Main().TrayiconClick(button); }, L"#32768",
                   [&](HWND) {
                       popupHidden = !Main().DriveInfoShown() && !IsWindowVisible(Main().Handle());
                       EndMenu();
                   });
        EXPECT_TRUE(popupHidden);
    }
}

// The windows the taskbar shows a button for: visible, and either unowned and not a tool
// window, or marked as an application window.
std::vector<HWND> TaskbarButtons() {
    std::vector<HWND> buttons;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM param) -> BOOL {
            const LONG_PTR ex = GetWindowLongPtrW(w, GWL_EXSTYLE);
            const bool unowned = GetWindow(w, GW_OWNER) == nullptr && !(ex & WS_EX_TOOLWINDOW);
            if (IsWindowVisible(w) && (unowned || (ex & WS_EX_APPWINDOW))) {
                reinterpret_cast<std::vector<HWND>*>(param)->push_back(w);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&buttons));
    return buttons;
}

// Every window starts hidden and the menu shows it; a tool window minimised goes to the tray
// and the menu brings it back as it was; Exit ends the program.
TEST_F(MainWindow, WindowsStartHiddenAndAMinimisedOneGoesToTheTrayAndComesBackAsItWas) {
    Start();
    const Forms& f = forms->Get();
    EXPECT_EQ(f.main->Values().settingsPath, kIni);
    EXPECT_FALSE(IsWindowVisible(f.main->Handle()));
    EXPECT_TRUE(TaskbarButtons().empty());
    const struct {
        int command;
        Form* window;
        bool tool;
    } cases[] = {{menu::kAbout1, f.about.get(), false},
                 {menu::kGeneralOptions1, f.general.get(), false},
                 {menu::kClean1, f.driveClean.get(), true},
                 {menu::kSetEditOptions1, f.directories.get(), true},
                 {menu::kCheckShortcuts1, f.shortcuts.get(), true},
                 {menu::kFindDuplicateFiles1, f.duplicates.get(), true}};
    for (const auto& [command, window, tool] : cases) {
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
        EXPECT_NE(GetWindow(w, GW_OWNER), nullptr);
        EXPECT_EQ(TaskbarButtons(), std::vector<HWND>{w});
        SendMessageW(w, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        PumpMessages();
        EXPECT_TRUE(TaskbarButtons().empty()) << command;
        Main().Command(command);
        PumpMessages();
        EXPECT_EQ(TaskbarButtons(), std::vector<HWND>{w});
        EXPECT_TRUE(IsZoomed(w)) << command;
        window->Close();
    }
    Main().Command(menu::kExit1);
    EXPECT_TRUE(app->Terminated());
}

TEST_F(MainWindow, PowerActionsAskFirstAndEndTheProgramOnlyWhenAccepted) {
    Start();
    const struct {
        int command;
        bool yes, accepted, ends;
    } cases[] = {{menu::kShutDown2, false, true, false},
                 {menu::kReboot1, true, false, false},
                 {menu::kLogOff1, true, true, true}};
    for (const auto& c : cases) {
        fake.prompts.QueueAnswers({c.yes});
        fake.system.SetExitAccepted(c.accepted);
        Main().Command(c.command);
        EXPECT_EQ(app->Terminated(), c.ends) << c.command;
    }
}

// The About box: its links and its Close button, clicked as automation would.
using AboutBox = OneWindow<TForm4>;

TEST_F(AboutBox, EachWayOutHidesItAndTheLinksOpenTheirAddress) {
    const struct {
        TForm4::ControlId control;  // none: the close box
        const char* opened;
    } cases[] = {{TForm4::kEmailpanel, "mailto:sorvane@example.org"},
                 {TForm4::kUrlpanel, kHomePage},
                 {TForm4::kButton1, nullptr},
                 {TForm4::ControlId{}, nullptr}};
    for (const auto& c : cases) {
        const std::size_t before = fake.shell.RunRequests().size();
        Open();
        if (c.control != TForm4::ControlId{})
            ClickItem(c.control);
        else
            SendMessageW(Form().Handle(), WM_CLOSE, 0, 0);
        EXPECT_FALSE(Form().Visible()) << c.control;
        EXPECT_TRUE(IsWindow(Form().Handle()));
        ASSERT_EQ(fake.shell.RunRequests().size(), before + (c.opened ? 1 : 0)) << c.control;
        if (!c.opened) continue;
        EXPECT_EQ(fake.shell.RunRequests().back(), c.opened);
    }
}

constexpr char kHelpFile[] = "C:\\Tools\\Sorvane.chm";

class RecordingHelp final : public IHelpViewer {
  public:
    bool ShowContents(HWND, const std::string& file) override {
        contents.push_back(file);
        return true;
    }
    bool ShowTopic(HWND, const std::string& file, DWORD context) override {
        topics.emplace_back(file, context);
        return true;
    }
    std::vector<std::string> contents;
    std::vector<std::pair<std::string, DWORD>> topics;
};

// The control of that number anywhere in the window, on pages and panels too.
HWND Find(HWND window, int id) {
    for (const HWND control : Descendants(window)) {
        if (GetDlgCtrlID(control) == id) return control;
    }
    return nullptr;
}

// F1 as the user presses it, on the focused control.
void PressF1(HWND control) {
    SetForegroundWindow(GetAncestor(control, GA_ROOT));
    SetFocus(control);
    PumpMessages();
    keybd_event(VK_F1, 0, 0, 0);
    keybd_event(VK_F1, 0, KEYEVENTF_KEYUP, 0);
    PumpMessages();
}

class Help : public ProgramWindows {
  protected:
    void SetUp() override {
        fake.fs.AddFile(kHelpFile, 1000);
        Start();
        app->UseHelpViewer(&viewer);
    }
    TForm1& Main() { return *forms->Get().main; }
    RecordingHelp viewer;
};

TEST_F(Help, F1OpensTheFocusedControlsTopicOrItsWindows) {
    const Forms& f = forms->Get();
    const struct {
        Form* window;
        int control;
        DWORD topic;
    } cases[] = {
        {f.general.get(), TForm2::kRecyclebox, help::kRecycleOption},
        {f.general.get(), TForm2::kClosebtn, help::kOverview},
        {f.driveClean.get(), cleandri::kFilemaskedit, help::kCleanDrivesCriteria},
        {f.duplicates.get(), finddup::kDupgrid, help::kDuplicateResults},
        {f.shortcuts.get(), TForm3::kShortcutlistbox, help::kDeadShortcuts},
    };
    for (const auto& c : cases) {
        c.window->Show();
        PumpMessages();
        const HWND control = Find(c.window->Handle(), c.control);
        ASSERT_NE(control, nullptr) << c.control;
        viewer.topics.clear();
        PressF1(control);
        EXPECT_EQ(viewer.topics, (decltype(viewer.topics){{kHelpFile, c.topic}})) << c.control;
        c.window->Hide();
    }

    // Tool windows keep minimise and maximise, so their help is in the system menu.
    for (const Form* tool : std::initializer_list<const Form*>{
             f.shortcuts.get(), f.duplicates.get(), f.directories.get(), f.driveClean.get()}) {
        EXPECT_NE(GetMenuState(GetSystemMenu(tool->Handle(), FALSE), 0x0010, MF_BYCOMMAND), ~0u);
    }
    f.shortcuts->Show();
    SetFocus(Find(f.shortcuts->Handle(), TForm3::kDelbtn));
    viewer.topics.clear();
    SendMessageW(f.shortcuts->Handle(), WM_SYSCOMMAND, 0x0010, 0);
    EXPECT_EQ(viewer.topics, (decltype(viewer.topics){{kHelpFile, help::kDeadShortcuts}}));

    Main().Command(menu::kHelp1);
    EXPECT_EQ(viewer.contents, std::vector<std::string>{kHelpFile});
    EXPECT_TRUE(fake.prompts.Notices().empty());
}

TEST_F(Help, EveryWindowAndEveryNumberedControlHasAPage) {
    const Forms& f = forms->Get();
    const Form* windows[] = {f.progress.get(),    f.general.get(),   f.shortcuts.get(),
                             f.about.get(),       f.picker.get(),    f.duplicates.get(),
                             f.directories.get(), f.driveClean.get()};
    for (const Form* window : windows) {
        const DWORD own = GetWindowContextHelpId(window->Handle());
        EXPECT_FALSE(help::PageOf(own).empty()) << own;
        for (const HWND control : Descendants(window->Handle())) {
            const DWORD n = GetWindowContextHelpId(control);
            EXPECT_TRUE(n == 0 || !help::PageOf(n).empty()) << n;
        }
    }
}

}  // namespace
}  // namespace sorvane::testing
