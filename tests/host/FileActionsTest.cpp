// The shared delete and move actions and the destination panel, on the fake platform.
#include <set>

#include "TestSupport.h"
#include "core/results/FileActions.h"

namespace sorvane {
namespace {

constexpr char kDir[] = "C:\\data\\";
constexpr std::uint32_t kRoHidden = attr::kReadOnly | attr::kHidden;

class FileActionsTest : public ::testing::Test {
  protected:
    FileActionsTest() { fake.fs.AddDir("D:\\out"); }

    // A checked row for each file, which is created in `dir`.
    void AddFiles(std::initializer_list<const char*> names, const std::string& dir = kDir) {
        for (const char* name : names) {
            fake.fs.AddFile(dir + name, 10);
            table.AppendRow(test::FileRow(dir, name));
            table.SetChecked(table.RowCount() - 1, true);
        }
    }
    std::vector<std::string> Names() const { return test::Column(table); }

    FakePlatform fake;
    ResultTable table = MakeCleanTable();
    test::RecordingView window;
    FileActions actions{fake.platform(), table, window.runner, fake.history, tool::kCleanDrives};
};

// The shell's answer does not count; the file still being there does. A file that stays keeps
// its row and its attributes.
TEST_F(FileActionsTest, TheSelectedFileGoesAfterYesAndTheStatusSaysWhatHappened) {
    actions.DeleteSelected(true);
    EXPECT_THAT(fake.prompts.Notices(), ElementsAre(kSelectFileFirst));
    const std::string path = "C:\\data\\a.txt";
    const struct {
        bool recycle, bin, lock, denyRemoval;  // drive C: keeps a recycle bin
        ShellOutcome shell;
        const char* status;
    } cases[] = {
        {true, true, false, false, ShellOutcome::kCarryOut, "File deleted to recycle_bin."},
        {true, false, false, false, ShellOutcome::kCarryOut, "File deleted permanently."},
        {false, true, false, false, ShellOutcome::kCarryOut, "File deleted permanently."},
        {false, true, true, false, ShellOutcome::kCarryOut, nullptr},
        {false, true, false, true, ShellOutcome::kCarryOut, nullptr},
        {true, true, true, false, ShellOutcome::kCarryOut, nullptr},
        {true, true, false, false, ShellOutcome::kFail, nullptr},
        {true, true, false, false, ShellOutcome::kClaimSuccess, nullptr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        fake.fs.Lock(path, false);
        table.Clear();
        AddFiles({"a.txt", "b.txt"});
        fake.fs.SetAttributes(path, kRoHidden);
        fake.fs.Lock(path, c.lock);
        fake.fs.DenyRemoval(path, c.denyRemoval);
        fake.shell.SetRecycleBin("C:\\", c.bin);
        fake.shell.SetRecycleOutcome(c.shell);
        const std::size_t binned = fake.shell.Bin().size();
        table.SelectRow(1);
        fake.prompts.QueueAnswers({false, true});
        actions.DeleteSelected(c.recycle);  // No
        EXPECT_TRUE(fake.fs.Contains(path));
        actions.DeleteSelected(c.recycle);  // Yes
        EXPECT_THAT(fake.prompts.Questions(),
                    testing::Each("Proceed to delete\r\nC:\\data\\a.txt?"));
        EXPECT_EQ(fake.fs.Contains(path), !c.status);
        EXPECT_EQ(fake.shell.Bin().size() - binned, c.status && c.recycle && c.bin ? 1u : 0u);
        EXPECT_EQ(window.status, c.status ? c.status : "Failed to delete the selected file.");
        const std::vector<std::string> left = {"a.txt", "b.txt"};
        EXPECT_EQ(Names(), std::vector(left.begin() + (c.status ? 1 : 0), left.end()));
        EXPECT_TRUE(c.status || fake.fs.Attributes(path) == kRoHidden);  // put back
    }
}

TEST_F(FileActionsTest, RecyclingCheckedFilesIsOneRequestAndCountsWhatReallyHappened) {
    const struct {
        bool binOnE, claimOnly;  // drive E: keeps a bin; the shell claims success, does nothing
        const char* status;
    } cases[] = {
        {true, false, "Deleted 3 files to recycle_bin. 1 files could not be deleted."},
        {false, false,
         "Deleted 2 files to recycle_bin. 1 files were deleted permanently. 1 files could not "
         "be deleted."},
        {true, true, "Deleted 0 files to recycle_bin. 4 files could not be deleted."}};
    const std::vector<std::string> all = {"a.txt",    "unchecked.txt", "locked.txt",
                                          "gone.txt", "b.txt",         "e.txt"};
    for (const auto& c : cases) {
        table.Clear();
        AddFiles({"a.txt", "unchecked.txt", "locked.txt", "gone.txt", "b.txt"});
        AddFiles({"e.txt"}, "E:\\");
        table.SetChecked(2, false);
        fake.fs.Lock("C:\\data\\locked.txt");
        fake.fs.Erase("C:\\data\\gone.txt");
        fake.shell.SetRecycleBin("E:\\", c.binOnE);
        fake.shell.SetRecycleOutcome(c.claimOnly ? ShellOutcome::kClaimSuccess
                                                 : ShellOutcome::kCarryOut);
        fake.prompts.QueueAnswers({true});
        actions.DeleteChecked(true);
        EXPECT_EQ(window.status, c.status);
        EXPECT_EQ(Names(),
                  c.claimOnly ? all : std::vector<std::string>(all.begin() + 1, all.end() - 2));
        EXPECT_TRUE(table.Checked(c.claimOnly ? 3 : 2));
    }
    table.Clear();
    AddFiles({"z.txt"});
    fake.fs.Erase("C:\\data\\z.txt");
    fake.prompts.QueueAnswers({true});
    actions.DeleteAll(true);
    EXPECT_EQ(fake.prompts.Questions().back(), "Proceed to delete all files?");
    EXPECT_EQ(window.status, "No files were deleted");
}

TEST_F(FileActionsTest, PermanentBulkDeletionCountsAndRemovesOnlyWhatWent) {
    AddFiles({"a.txt", "ro.txt", "locked.txt", "held.txt"});
    fake.fs.SetAttributes("C:\\data\\ro.txt", kRoHidden);
    fake.fs.SetAttributes("C:\\data\\held.txt", kRoHidden);
    fake.fs.Lock("C:\\data\\locked.txt");
    fake.fs.DenyRemoval("C:\\data\\held.txt");  // its attributes can be reset
    table.SetChecked(1, false);                 // All Files ignores check boxes
    fake.prompts.SetDefaultAnswer(true);
    actions.DeleteAll(false);
    EXPECT_THAT(fake.fs.Removed(), ElementsAre("C:\\data\\a.txt", "C:\\data\\ro.txt"));
    EXPECT_EQ(window.status, "Deleted 2 files permanently. 2 files could not be deleted.");
    EXPECT_THAT(Names(), ElementsAre("locked.txt", "held.txt"));
    EXPECT_EQ(fake.fs.Attributes("C:\\data\\held.txt"), kRoHidden);

    // The last rows gone leave an empty table, which the bulk actions ignore.
    fake.fs.Lock("C:\\data\\locked.txt", false);
    fake.fs.DenyRemoval("C:\\data\\held.txt", false);
    actions.DeleteAll(false);
    EXPECT_TRUE(table.Empty());
    actions.DeleteChecked(true);
    actions.DeleteAll(false);
    actions.MoveChecked("D:\\out");
    EXPECT_THAT(fake.prompts.Questions(), testing::SizeIs(2));
}

// The table may change while a question is open (a scan refills it, a row goes); Yes then acts
// on exactly the files asked about, and only their rows change.
TEST_F(FileActionsTest, YesActsOnWhatWasAskedAboutWhateverTheTableShowsNow) {
    const struct {
        std::function<void()> act;
        std::set<std::string> acted;
        bool move;
        const char* during;  // the question during which the table changes
    } cases[] = {{[&] { actions.DeleteSelected(false); }, {"a.txt"}, false, "Proceed"},
                 {[&] { actions.DeleteSelected(true); }, {"a.txt"}, false, "Proceed"},
                 {[&] { actions.DeleteChecked(false); }, {"a.txt", "b.txt"}, false, "Proceed"},
                 {[&] { actions.DeleteAll(true); }, {"a.txt", "b.txt", "c.txt"}, false, "Proceed"},
                 {[&] { actions.MoveSelected("D:\\out"); }, {"a.txt"}, true, "Proceed"},
                 {[&] { actions.MoveSelected("D:\\out"); }, {"a.txt"}, true, "Replace"},
                 {[&] { actions.MoveChecked("D:\\out"); }, {"a.txt", "b.txt"}, true, "Proceed"}};
    const std::function<void()> changes[] = {
        [&] {
            table.SetRows({test::FileRow(kDir, "x.txt"), test::FileRow(kDir, "c.txt"),
                           test::FileRow(kDir, "b.txt"), test::FileRow(kDir, "a.txt")});
        },
        [&] { table.RemoveRow(1); }};
    fake.prompts.SetDefaultAnswer(true);
    for (std::size_t i = 0; i < std::size(cases) * 2; ++i) {
        const auto& c = cases[i / 2];
        SCOPED_TRACE(i);
        fake.fs.Erase("D:\\out");
        fake.fs.AddDir("D:\\out");
        if (c.during[0] == 'R') fake.fs.AddFile("D:\\out\\a.txt");
        table.Clear();
        AddFiles({"a.txt", "b.txt", "c.txt", "x.txt"});
        table.RemoveRow(4);  // x.txt is on the disk only
        table.SetChecked(3, false);
        table.SelectRow(1);
        std::vector<std::string> shown;
        fake.prompts.SetWhileAsking([&](const std::string& question) {
            if (question.rfind(c.during, 0) != 0) return;
            fake.fs.Erase("D:\\out\\a.txt");  // so that the shell, which does not replace, can move
            changes[i % 2]();
            shown = Names();
        });
        c.act();
        for (const std::string name : {"a.txt", "b.txt", "c.txt", "x.txt"}) {
            const bool acted = c.acted.count(name) > 0;
            EXPECT_EQ(fake.fs.Contains(kDir + name), !acted) << name;
            EXPECT_EQ(fake.fs.Contains("D:\\out\\" + name), c.move && acted) << name;
            if (!c.move && acted) std::erase(shown, name);
        }
        EXPECT_EQ(Names(), shown);
        for (std::size_t row = 1; row < table.RowCount() && !table.Empty(); ++row) {
            const bool moved = c.move && c.acted.count(table.Cell(row, 0)) > 0;
            EXPECT_EQ(table.Cell(row, 4), moved ? "D:\\out\\" : kDir) << table.Cell(row, 0);
        }
    }
}

// During another pass (a scan of the same window, a scheduled clean) nothing is asked or done.
TEST_F(FileActionsTest, NothingIsAskedOrDoneWhileAnotherPassRuns) {
    AddFiles({"a.txt"});
    table.SelectRow(1);
    fake.prompts.SetDefaultAnswer(true);
    PassRunner other(window.gate, window);
    other.Run(PassRunner::Kind::kStoppable, [this] {
        actions.DeleteSelected(true);
        actions.MoveChecked("D:\\out");
    });
    EXPECT_THAT(fake.prompts.Questions(), IsEmpty());
    EXPECT_TRUE(fake.fs.Exists("C:\\data\\a.txt"));
}

// Replacing destroys the file at the destination: No is the default answer.
TEST_F(FileActionsTest, MovingTheSelectedFileAsksBeforeReplacing) {
    AddFiles({"a.txt", "b.txt", "gone.txt"});
    fake.fs.AddFile("D:\\out\\b.txt", 99);
    fake.fs.Erase("C:\\data\\gone.txt");
    fake.prompts.SetDefaultAnswer(true);
    fake.prompts.QueueAnswers({true, true, false});
    for (const std::size_t row : {1, 2, 2, 3}) {
        table.SelectRow(row);
        actions.MoveSelected("D:\\out");
    }
    EXPECT_THAT(test::Column(table, 4), ElementsAre("D:\\out\\", kDir, kDir));
    ASSERT_EQ(fake.prompts.Records().size(), 6u);
    EXPECT_EQ(fake.prompts.Records()[0].text,
              "Proceed to move\r\nC:\\data\\a.txtTo\r\nD:\\out\\a.txt");
    EXPECT_EQ(fake.prompts.Records()[2].text, "Replace the existing file\r\nD:\\out\\b.txt?");
    EXPECT_EQ(fake.prompts.Records()[2].buttons, Buttons::kYesNoSafeNo);
    EXPECT_EQ(window.status, "C:\\data\\gone.txt Does not exists!");
}

// Files already in the destination are skipped; a move the shell only claims changes nothing.
TEST_F(FileActionsTest, ABulkMoveSkipsFilesItWouldReplaceAndCountsOnlyRealMoves) {
    fake.prompts.SetDefaultAnswer(true);
    for (const bool claimOnly : {false, true}) {
        table.Clear();
        AddFiles({"a.txt", "taken.txt", "gone.txt", "b.txt"});
        fake.fs.AddFile("D:\\out\\taken.txt", 5);
        fake.fs.Erase("C:\\data\\gone.txt");
        fake.shell.SetMoveOutcome(claimOnly ? ShellOutcome::kClaimSuccess
                                            : ShellOutcome::kCarryOut);
        actions.MoveChecked("D:\\out");
        EXPECT_THAT(fake.prompts.Questions(), testing::Each("Proceed to move all Checked files?"));
        EXPECT_EQ(fake.fs.Attributes("D:\\out\\taken.txt"), attr::kArchive);
        const char* moved = claimOnly ? kDir : "D:\\out\\";
        EXPECT_THAT(test::Column(table, 4), ElementsAre(moved, kDir, kDir, moved));
        EXPECT_EQ(window.status,
                  std::string(claimOnly ? "No files were moved." : "Moved 2 files.") +
                      " Skipped 1 files that already exist in the destination.");
        fake.fs.Erase("D:\\out\\a.txt");
        fake.fs.Erase("D:\\out\\b.txt");
    }
}

// The destination panel of the window, as the move commands see it.
struct FakePanel final : IDestinationPanel {
    std::string Destination() override { return text; }
    void SetDestination(const std::string& value) override { text = value; }
    bool Always() override { return always; }
    void SetAlways(bool value) override { always = value; }
    void Show() override { shown = true; }
    void Hide() override { shown = false; }
    std::string text;
    bool always = false, shown = false;
};

TEST_F(FileActionsTest, MoveCommandsCreateAMissingDirectoryAndARelativeOneMovesNothing) {
    FakePanel panel;
    MoveCommands commands{actions, fake.platform(), panel};
    AddFiles({"a.txt", "b.txt"});
    table.SelectRow(1);
    panel.text = "D:\\new\\deeper";
    commands.Move(PendingMove::kSelected);  // Always is off: the panel comes first
    EXPECT_TRUE(panel.shown);
    fake.prompts.QueueAnswers({true, true});
    commands.Accept();
    EXPECT_TRUE(fake.fs.Contains("D:\\new\\deeper\\a.txt"));
    // A relative destination would be taken from whatever the current directory happens to be.
    panel.always = true;
    for (const char* relative : {"backup", "..\\x", "C:x"}) {
        panel.text = relative;
        commands.Move(PendingMove::kChecked);
        commands.Accept();
        EXPECT_EQ(fake.prompts.Notices().back(), kDestinationNotFull) << relative;
    }
    EXPECT_EQ(fake.prompts.Questions().size(), 2u);
    EXPECT_TRUE(fake.fs.Contains("C:\\data\\b.txt"));
}

}  // namespace
}  // namespace sorvane
