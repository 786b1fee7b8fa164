// Clean Directories and its progress window on real controls over the fake platform: targets
// and their options kept across a restart, the system-folder question, removal, the schedule's
// tick and Abort under the progress window, and the start-up clean.

#include "WindowTestSupport.h"

namespace sorvane::testing {
namespace {

class CleanDirectoriesWindow : public OneWindow<TForm6> {
  protected:
    CleanDirectoriesWindow() {
        fake.drives.AddDrive('C');
        for (const auto& [path, size] : {std::pair{"C:\\temp\\a.tmp", 1500},
                                         {"C:\\temp\\b.log", 100},
                                         {"C:\\temp\\sub\\c.tmp", 10},
                                         {"C:\\two\\d.txt", 1}}) {
            fake.fs.AddFile(path, size);
        }
        fake.clock.SetAutoAdvance(30);  // every pass lets events run at every entry
    }
    // The window with the progress window beside it and the tray's way to clean.
    TForm6& OpenWithProgress(bool show = true) {
        Progress();
        Context().picker = &picker;
        if (!window) window = std::make_unique<TForm6>(Context());
        if (show) Open();
        return *window;
    }
    // The directory picked and added; its name is its last part.
    void Add(const std::string& path) {
        picker.next.push_back({path, path.substr(path.find_last_of('\\') + 1)});
        ClickItem(TForm6::kAddDirectory);
    }
    std::vector<std::string> Row(int row) {
        std::vector<std::string> cells;
        for (int c = 1; c < 6; ++c) cells.push_back(Form().Cell(row, c));
        return cells;
    }
    // A click on a row's first cell where the table shows it (row from 1).
    void ClickRow(int row) {
        const HWND grid = Item(TForm6::kFoldergrid);
        RECT r{};
        ListView_GetSubItemRect(grid, row - 1, 0, LVIR_BOUNDS, &r);
        NMITEMACTIVATE click{{grid, TForm6::kFoldergrid, static_cast<UINT>(NM_CLICK)}};
        click.ptAction = {r.left + 2, (r.top + r.bottom) / 2};
        SendMessageW(Form().Handle(), WM_NOTIFY, TForm6::kFoldergrid, LPARAM(&click));
    }
    void SelectRow(int row) {
        ListView_SetItemState(Item(TForm6::kFoldergrid), row - 1, LVIS_SELECTED, LVIS_SELECTED);
        PumpMessages();
    }
    bool ProgressShown() { return IsWindowVisible(progress->Handle()) != FALSE; }
    // Two targets with their default options but for `two`, and more sections.
    void PrepareTargets(const std::string& two = "", const std::string& more = "") {
        fake.settings.SetFileText(kIni,
                                  "[Target_Directories]\nCount=2\nItem1=C:\\temp\nItem2=C:\\two\n"
                                  "[C:\\temp]\nName=temp\n[C:\\two]\nName=two\n" +
                                      two + more);
    }

    QueuedPicker picker;
};

TEST_F(CleanDirectoriesWindow, ATargetAndItsMaskOptionsComeBackAfterARestart) {
    OpenWithProgress();
    ClickItem(TForm6::kRemoveDirectory);
    EXPECT_THAT(fake.prompts.Notices(), ElementsAre("Please select a directory first."));
    // A drive root is never a target; then one already listed, and one not a directory.
    for (const char* path : {"C:\\temp", "C:\\", "C:\\temp", "C:\\gone"}) Add(path);
    EXPECT_EQ(Form().GridRowCount(), 1);

    ClickRow(1);
    ASSERT_TRUE(Form().FolderoptionVisible());
    EXPECT_FALSE(IsWindowEnabled(Item(TForm6::kFileOfTypes)));
    for (const int id : {TForm6::kDelFileTypes, TForm6::kDeletetorecycle}) ClickItem(id);
    for (const char* mask : {"*.tmp", "*.*", "*.log", "*.TMP"}) {
        SetText(TForm6::kFileOfTypes, mask);
        ClickItem(TForm6::kAddFileType);
    }
    EXPECT_THAT(Texts(TForm6::kFileTypesList), ElementsAre("*.log", "*.tmp"));
    ClickItem(TForm6::kButton1);  // Apply
    EXPECT_FALSE(Form().FolderoptionVisible());
    CloseWindow();
    EXPECT_THAT(Ini(), HasSubstr("Col0=25\nCol1=100\nCol2=100\nCol3=95\nCol4=70\nCol5=100\n"
                                 "Folderoption_Left=330\nFolderoption_Top=110\n"
                                 "Autopanel_Left=130\nAutopanel_Top=100\n"));

    RestartWindow();
    OpenWithProgress();
    EXPECT_THAT(Row(0), ElementsAre("temp", "C:\\temp", "1", "3", "1 Kb"));
    ClickRow(1);
    EXPECT_THAT(Checks({TForm6::kDeletetorecycle, TForm6::kDelAllFiles, TForm6::kDelFileTypes}),
                ElementsAre(false, false, true));
    EXPECT_THAT(Texts(TForm6::kFileTypesList), ElementsAre("*.log", "*.tmp"));
    ClickItem(TForm6::kButton2);  // Cancel

    // The open window cleans the selected target by those options, and shows what is left.
    fake.fs.AddFile("C:\\temp\\keep.txt", 7);
    SelectRow(1);
    Command(TForm6::kSelectedDirectory1);
    EXPECT_TRUE(fake.shell.RecycleRequests().empty());  // permanent now
    EXPECT_FALSE(fake.fs.Contains("C:\\temp\\sub\\c.tmp") || fake.fs.Contains("C:\\temp\\b.log"));
    EXPECT_THAT(Row(0), ElementsAre("temp", "C:\\temp", "1", "1", "7 Bytes"));
}

TEST_F(CleanDirectoriesWindow, CommandsTakeTheRowShownSelectedAndThePanelEachStoredKey) {
    PrepareTargets("Delall=0\n");  // neither "all files" nor masks, as an older version wrote
    OpenWithProgress();
    SelectRow(1);
    ListView_SetItemState(Item(TForm6::kFoldergrid), -1, 0,
                          LVIS_SELECTED);  // a click on the table's empty area
    Command(TForm6::kSelectedDirectory1);
    EXPECT_TRUE(fake.shell.RecycleRequests().empty());

    ClickRow(2);
    EXPECT_THAT(Checks({TForm6::kDelAllFiles, TForm6::kDelFileTypes}), ElementsAre(false, false));
    ClickItem(TForm6::kButton1);  // Apply
    EXPECT_THAT(Ini(), Not(HasSubstr("Delall=1")));
}

TEST_F(CleanDirectoriesWindow, ASystemFolderIsAddedOnlyAfterYesAndRemovalRenumbersTheRest) {
    fake.fs.AddDir("C:\\Windows\\System32");
    fake.fs.AddDir("C:\\Users\\Tester\\Documents\\old");
    OpenWithProgress();
    Add("C:\\Users");  // holds the profile: No, the safe answer, adds nothing
    ASSERT_EQ(fake.prompts.Records().size(), 1u);
    EXPECT_EQ(fake.prompts.Records()[0].buttons, Buttons::kYesNoSafeNo);
    EXPECT_THAT(fake.prompts.Records()[0].text, HasSubstr("C:\\Users holds C:\\Users\\Tester"));
    EXPECT_EQ(Form().Cell(0, 1), "");

    Add("C:\\temp");
    fake.prompts.QueueAnswers({true});
    Add("C:\\Windows");
    Add("C:\\Users\\Tester\\Documents\\old");
    ASSERT_EQ(fake.prompts.Questions().size(), 2u);  // below the profile asks nothing
    EXPECT_THAT(fake.prompts.Questions()[1], HasSubstr("C:\\Windows is a folder Windows needs"));

    SelectRow(2);
    fake.prompts.QueueAnswers({true});
    ClickItem(TForm6::kRemoveDirectory);
    ASSERT_EQ(fake.prompts.Questions().size(), 3u);
    EXPECT_EQ(fake.prompts.Questions()[2], "Proceed to remove Windows directory?");
    EXPECT_EQ(Form().GridRowCount(), 2);
    EXPECT_EQ(Form().Cell(1, 1), "old");
    EXPECT_THAT(Ini(),
                HasSubstr("Count=2\nItem1=C:\\temp\nItem2=C:\\Users\\Tester\\Documents\\old\n"));
    EXPECT_TRUE(fake.fs.Contains("C:\\Windows\\System32"));  // removing touches no files
}

TEST_F(CleanDirectoriesWindow, TheScheduledTickCleansUnderTheProgressWindowWhileTheWindowIsClosed) {
    PrepareTargets("Userecycle=0\n");
    OpenWithProgress();
    ClickItem(TForm6::kAutmatebtn);
    ClickItem(TForm6::kDirtimebox);
    MoveSlider(TForm6::kMinslider, 30);
    MoveSlider(TForm6::kHourslider, 1);
    ClickItem(TForm6::kButton3);  // Apply
    ClickItem(TForm6::kAutmatebtn);
    MoveSlider(TForm6::kMinslider, 45);
    ClickItem(TForm6::kButton4);  // Cancel: the applied values again
    EXPECT_EQ(WindowText(Item(TForm6::kMlabel)), "30 Minute(s)");
    EXPECT_THAT(fake.timers.Running(), ElementsAre(5'400'000u));
    CloseWindow();

    bool progressSeen = false;
    fake.pump.SetOnProcess([&](std::size_t) { progressSeen = progressSeen || ProgressShown(); });
    fake.timers.Advance(5'400'000);
    EXPECT_TRUE(progressSeen && !ProgressShown());
    EXPECT_FALSE(fake.fs.Contains("C:\\two\\d.txt"));
}

// Abort stops an unattended clean, but not one the opened window took over; minimised to the
// tray the window is not there, so its clean is unattended and says in the tray what it kept.
TEST_F(CleanDirectoriesWindow, AbortStopsAnUnattendedCleanAndAMinimisedWindowsCleanIsUnattended) {
    PrepareTargets();
    std::string balloon;
    Context().trayNotice = [&](const std::string& text) { balloon = text; };
    fake.shell.SetRecycleBin("C:\\", false);
    ShowWindow(OpenWithProgress().Handle(), SW_MINIMIZE);
    bool progressSeen = false;
    fake.pump.SetOnProcess([&](std::size_t) { progressSeen = progressSeen || ProgressShown(); });
    Form().CleanSelectedDirectoriesNow();
    EXPECT_TRUE(progressSeen && fake.fs.Contains("C:\\two\\d.txt"));  // no bin, nobody there
    EXPECT_THAT(balloon, HasSubstr("Kept 4 files: their drive has no recycle bin"));

    fake.shell.SetRecycleBin("C:\\", true);
    bool aborted = false;
    fake.pump.SetOnProcess([&](std::size_t) {
        if (std::exchange(aborted, true)) return;
        // The busy clip is there to turn: one that did not open cannot be played.
        EXPECT_TRUE(Animate_Play(progress->Control(TForm9::kImage1), 0, -1, -1));
        Click(progress->Control(TForm9::kAbortbtn));
    });
    Form().CleanSelectedDirectoriesNow();
    EXPECT_FALSE(ProgressShown());
    EXPECT_TRUE(fake.shell.RecycleRequests().empty());  // stopped: nothing of temp recycled
    EXPECT_TRUE(fake.fs.Contains("C:\\two\\d.txt"));

    fake.pump.SetOnProcess([&](std::size_t) {
        if (Form().WindowShown()) return;
        Open();  // now a clean of the window: Abort leaves it alone
        Click(progress->Control(TForm9::kAbortbtn));
    });
    Form().CleanSelectedDirectoriesNow();
    EXPECT_EQ(fake.shell.RecycleRequests().size(), 2u);
    EXPECT_FALSE(fake.fs.Contains("C:\\two\\d.txt"));
    EXPECT_THAT(Row(0), ElementsAre("temp", "C:\\temp", "1", "0", "0 Bytes"));  // refreshed
}

TEST_F(CleanDirectoriesWindow, TheStartUpCleanRunsBeforeTheExitQuestion) {
    PrepareTargets("",
                   "[Autoclean]\nSorvstartbox_Check=1\n[Generaloptions]\nSchedulebox_Checked=1\n");
    bool cleanedBeforeQuestion = false;
    fake.prompts.SetWhileAsking([&](const std::string& question) {
        cleanedBeforeQuestion = question == "Exit Sorvane?" && !fake.fs.Contains("C:\\two\\d.txt");
    });
    Start();
    EXPECT_THAT(fake.prompts.Questions(), ElementsAre("Exit Sorvane?"));
    EXPECT_TRUE(cleanedBeforeQuestion);
    EXPECT_THAT(fake.timers.Running(), IsEmpty());  // no periodic clean asked for
}

}  // namespace
}  // namespace sorvane::testing
