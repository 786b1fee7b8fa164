// Check Shortcuts on real controls over the fake platform: the scan's list, Delete with its
// questions, the exclusion lists and options across a restart, the start-up scan under the
// progress window with Abort, and the shell's Properties sheet.

#include "WindowTestSupport.h"
#include "core/platform/Drives.h"

namespace sorvane::testing {
namespace {

constexpr char kMenu[] = "C:\\Users\\guest\\Start Menu";
constexpr char kDesk[] = "C:\\Users\\guest\\Desktop";

struct TwoLinks final : IFileChooser {
    std::optional<SaveChoice> Save(const SaveRequest&) override { return std::nullopt; }
    std::vector<std::string> OpenFiles(const OpenRequest& request) override {
        asked = request;
        return {"C:\\Users\\guest\\Start Menu\\a.lnk", "C:\\Users\\guest\\Start Menu\\b.pif"};
    }
    OpenRequest asked;
};

class CheckShortcutsWindow : public OneWindow<TForm3> {
  protected:
    CheckShortcutsWindow() {
        fake.drives.AddDrive('C');
        fake.clock.SetAutoAdvance(30);  // events run at every entry
        fake.fs.AddFile("C:\\Apps\\tool.exe");
        fake.fs.AddDir("D:\\");  // a CD-ROM drive with its disc
        Link(std::string(kMenu) + "\\good.lnk", "C:\\Apps\\tool.exe");
        Link(std::string(kMenu) + "\\Programs\\dead.lnk", "C:\\Apps\\old.exe");
        fake.fs.AddDir(std::string(kMenu) + "\\Programs\\Empty");
        Link(std::string(kDesk) + "\\gone.lnk", "C:\\gone.exe");
        Link(std::string(kDesk) + "\\cd.lnk", "D:\\setup.exe", drive::kCdRom);
    }
    void Link(const std::string& path, const std::string& target,
              unsigned driveType = drive::kFixed) {
        fake.fs.AddFile(path);
        fake.shell.SetShortcut(path, {ShortcutInfo::Read::kLoaded, target, driveType});
    }
    // The window over the two folders, with the progress window beside it; shown or not.
    void Create(bool show = true) {
        Context().values.startMenuDir = kMenu;
        Context().values.desktopDir = kDesk;
        Context().picker = &picker;
        Progress();
        window = std::make_unique<TForm3>(Context());
        window->UseChooser(&chooser);
        if (show) Open();
    }

    QueuedPicker picker;
    TwoLinks chooser;
};

TEST_F(CheckShortcutsWindow, ScanListsTheDeadAndOptionsAndExclusionsComeBack) {
    Create();
    ClickItem(TForm3::kEmptydirbox);
    ClickItem(TForm3::kScanbtn);
    const std::vector<std::string> dead = {"C:\\Users\\guest\\Desktop\\gone.lnk",
                                           "C:\\USERS\\GUEST\\START MENU\\PROGRAMS\\dead.lnk",
                                           "C:\\USERS\\GUEST\\START MENU\\PROGRAMS\\EMPTY"};
    EXPECT_EQ(Form().ListTexts(), dead);

    // Exclusions: a picked folder once whatever its case, two shortcut files in upper case.
    picker.next = {{"C:\\Apps\\", "Apps"}, {"c:\\apps", "apps"}};
    for (const int id : {TForm3::kAdddirbit, TForm3::kAdddirbit, TForm3::kAddlinkbit})
        ClickItem(id);
    EXPECT_EQ(chooser.asked.folder, kMenu);
    ClickItem(TForm3::kCdbox);
    ClickItem(TForm3::kAskcheckbox);
    CloseWindow();
    EXPECT_THAT(Form().ListTexts(), IsEmpty());

    RestartWindow();
    Create();
    EXPECT_THAT(Checks({TForm3::kCdbox, TForm3::kAskcheckbox, TForm3::kEmptydirbox}),
                ElementsAre(false, false, true));
    EXPECT_THAT(Texts(TForm3::kExcludescan), ElementsAre("C:\\Apps"));
    EXPECT_THAT(Texts(TForm3::kLinkexclude), ElementsAre("C:\\USERS\\GUEST\\START MENU\\A.LNK",
                                                         "C:\\USERS\\GUEST\\START MENU\\B.PIF"));
    // The CD-ROM shortcut now counts as dead; deleting it asks nothing.
    ClickItem(TForm3::kScanbtn);
    EXPECT_THAT(Form().ListTexts(), ::testing::Contains("C:\\Users\\guest\\Desktop\\cd.lnk"));
    SelectEntry(TForm3::kShortcutlistbox, 0);
    Command(TForm3::kSelected1);
    EXPECT_FALSE(fake.fs.Contains("C:\\Users\\guest\\Desktop\\cd.lnk"));
    EXPECT_EQ(Form().ListTexts(), dead);
}

TEST_F(CheckShortcutsWindow, TheStartUpScanDeletesUnderTheProgressWindowUnlessAborted) {
    fake.settings.SetFileText(kIni, "[ShortcutOptions]\nS_Startup=1\n");
    bool progressShown = false;
    fake.pump.SetOnProcess([&](std::size_t) {
        progressShown = IsWindowVisible(progress->Handle());
        Click(progress->Control(TForm9::kAbortbtn));
    });
    Create(false);
    EXPECT_TRUE(progressShown);
    EXPECT_THAT(fake.prompts.Questions(), IsEmpty());
    EXPECT_EQ(Form().StatusText(), "Scan Stopped");
    EXPECT_TRUE(fake.shell.RecycleRequests().empty());

    fake.pump.SetOnProcess([](std::size_t) {});
    fake.prompts.QueueAnswers({false, true});
    Create(false);
    EXPECT_EQ(fake.prompts.Questions().size(), 2u);
    EXPECT_TRUE(fake.fs.Contains("C:\\Users\\guest\\Desktop\\gone.lnk"));  // No
    EXPECT_FALSE(fake.fs.Contains("C:\\Users\\guest\\Start Menu\\Programs\\dead.lnk"));
    EXPECT_FALSE(IsWindowVisible(progress->Handle()));
    EXPECT_THAT(Form().ListTexts(), IsEmpty());
}

TEST_F(CheckShortcutsWindow, PropertiesOpensTheShellsSheetOfTheSelectedItem) {
    // The sheet needs a real file: the fake platform decides the list, the shell shows it.
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::string real = Narrow(temp) + "sorvane-properties.lnk";
    CloseHandle(
        CreateFileW(Widen(real).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    Create(false);
    Context().values.desktopDir = real.substr(0, real.find_last_of('\\'));
    Context().values.startMenuDir.clear();
    fake.fs.AddFile(real);
    Open();
    ClickItem(TForm3::kScanbtn);
    ASSERT_THAT(Form().ListTexts(), ElementsAre(real));
    SelectEntry(TForm3::kShortcutlistbox, 0);
    HWND owner = nullptr;
    WhileModal([&] { Command(TForm3::kProperties1); }, L"#32770",
               [&](HWND sheet) {
                   owner = GetWindow(sheet, GW_OWNER);
                   PostMessageW(sheet, WM_CLOSE, 0, 0);
               });
    EXPECT_EQ(owner, Form().Handle());
    EXPECT_THAT(fake.prompts.Notices(), IsEmpty());
    DeleteFileW(Widen(real).c_str());
}

}  // namespace
}  // namespace sorvane::testing
