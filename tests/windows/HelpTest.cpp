// F1 opens the focused control's topic (or its window's) in the help file found at start-up,
// the tray's Help opens the contents, and every number a control carries has its page.

#include "WindowTestSupport.h"
#include "core/app/HelpTopics.h"
#include "win/app/MainSorv.h"
#include "win/app/MenuIds.h"
#include "win/dialogs/AboutSorv.h"
#include "win/dialogs/SeldirSorv.h"
#include "win/dirclean/Mfolders.h"
#include "win/driveclean/CleanDriIds.h"
#include "win/driveclean/CleanDriSorv.h"
#include "win/duplicates/FinddupIds.h"
#include "win/duplicates/FinddupSorv.h"
#include "win/settings/GeneralSorv.h"
#include "win/shortcuts/ShortcutSorv.h"

namespace sorvane::testing {
namespace {

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
