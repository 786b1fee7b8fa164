// The shared delete and move actions and the destination panel, on the fake platform.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "FakePlatform.h"
#include "ResultTestSupport.h"
#include "core/results/FileActions.h"

namespace sorvane {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr char kDir[] = "C:\\data\\";

class FileActionsTest : public ::testing::Test {
  protected:
    FileActionsTest() { fake.fs.AddDir("D:\\out"); }

    // A checked row for each file, which is created in C:\data.
    void AddFiles(std::initializer_list<const char*> names) {
        for (const char* name : names) {
            fake.fs.AddFile(std::string(kDir) + name, 10);
            table.AppendRow(test::FileRow(kDir, name));
            table.SetChecked(table.RowCount() - 1, true);
        }
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (std::size_t row = 1; row < table.RowCount(); ++row) {
            names.push_back(table.Cell(row, 0));
        }
        return names;
    }

    FakePlatform fake;
    ResultTable table = test::CleanDriveTable();
    test::RecordingView window;
    FileActions actions{fake.platform(), table, window.runner};
};

TEST_F(FileActionsTest, DeletingTheSelectedFileAsksThenKeepsTheRowNumber) {
    AddFiles({"a.txt", "b.txt", "c.txt"});
    actions.DeleteSelected(true);
    EXPECT_THAT(fake.prompts.Notices(), ElementsAre(kSelectFileFirst));

    table.SelectRow(1);
    fake.prompts.QueueAnswers({false, true});
    actions.DeleteSelected(true);  // No
    actions.DeleteSelected(true);  // Yes

    EXPECT_THAT(fake.prompts.Questions(), ElementsAre("Proceed to delete\r\nC:\\data\\a.txt?",
                                                      "Proceed to delete\r\nC:\\data\\a.txt?"));
    EXPECT_EQ(fake.shell.Bin().size(), 1u);
    EXPECT_EQ(window.status, "File deleted to recycle_bin.");
    EXPECT_THAT(Names(), ElementsAre("b.txt", "c.txt"));
    EXPECT_EQ(table.SelectedRow(), 1u);  // now b.txt
}

TEST_F(FileActionsTest, SingleDeletionOfReadOnlyLockedVanishedAndUnrecycledFiles) {
    AddFiles({"ro.txt", "locked.txt", "gone.txt"});
    fake.fs.SetAttributes("C:\\data\\ro.txt", attr::kReadOnly | attr::kHidden);
    fake.fs.Lock("C:\\data\\locked.txt");
    fake.fs.Erase("C:\\data\\gone.txt");
    fake.prompts.SetDefaultAnswer(true);

    table.SelectRow(1);
    actions.DeleteSelected(false);
    EXPECT_EQ(window.status, "File deleted permanently.");
    EXPECT_THAT(fake.fs.Removed(), ElementsAre("C:\\data\\ro.txt"));

    window.status.clear();
    actions.DeleteSelected(false);  // locked.txt: its attributes cannot be reset
    EXPECT_EQ(window.status, "");
    // The shell's answer does not count; the file still being there does.
    for (const ShellOutcome outcome :
         {ShellOutcome::kCarryOut, ShellOutcome::kFail, ShellOutcome::kClaimSuccess}) {
        fake.shell.SetRecycleOutcome(outcome);
        window.status.clear();
        actions.DeleteSelected(true);
        EXPECT_EQ(window.status, "Failed to delete the selected file.");
    }

    table.SelectRow(2);
    actions.DeleteSelected(false);
    EXPECT_EQ(window.status, "C:\\data\\gone.txt does not exists!");
    EXPECT_THAT(Names(), ElementsAre("locked.txt", "gone.txt"));
}

TEST_F(FileActionsTest, RecyclingCheckedFilesIsOneRequestAndOnlyGoneFilesLeaveTheTable) {
    AddFiles({"a.txt", "unchecked.txt", "locked.txt", "gone.txt", "b.txt"});
    table.SetChecked(2, false);
    fake.fs.Lock("C:\\data\\locked.txt");
    fake.fs.Erase("C:\\data\\gone.txt");
    fake.prompts.QueueAnswers({true});

    actions.DeleteChecked(true);

    EXPECT_THAT(fake.prompts.Questions(), ElementsAre("Proceed to delete all Checked files?"));
    EXPECT_THAT(
        fake.shell.RecycleRequests(),
        ElementsAre(ElementsAre("C:\\data\\a.txt", "C:\\data\\locked.txt", "C:\\data\\b.txt")));
    EXPECT_EQ(window.status, "Deleted 2 files to recycle_bin. 1 files could not be deleted.");
    EXPECT_THAT(Names(), ElementsAre("unchecked.txt", "locked.txt", "gone.txt"));
    EXPECT_TRUE(table.Checked(2));
    EXPECT_THAT(window.busyCalls, ElementsAre(true, false));
}

TEST_F(FileActionsTest, ABulkRecycleClaimedButNotDoneRemovesNothing) {
    AddFiles({"a.txt", "b.txt"});
    fake.shell.SetRecycleOutcome(ShellOutcome::kClaimSuccess);
    fake.prompts.SetDefaultAnswer(true);
    actions.DeleteAll(true);
    EXPECT_THAT(fake.prompts.Questions(), ElementsAre("Proceed to delete all files?"));
    EXPECT_EQ(window.status, "Deleted 0 files to recycle_bin. 2 files could not be deleted.");
    EXPECT_THAT(Names(), ElementsAre("a.txt", "b.txt"));

    fake.fs.Erase("C:\\data\\a.txt");
    fake.fs.Erase("C:\\data\\b.txt");
    actions.DeleteAll(true);
    EXPECT_EQ(window.status, "No files were deleted");
    EXPECT_EQ(fake.shell.RecycleRequests().size(), 1u);
}

TEST_F(FileActionsTest, PermanentBulkDeletionGoesFileByFileAndKeepsWhatIsLocked) {
    AddFiles({"a.txt", "ro.txt", "locked.txt"});
    fake.fs.SetAttributes("C:\\data\\ro.txt", attr::kReadOnly);
    fake.fs.Lock("C:\\data\\locked.txt");
    table.SetChecked(1, false);  // All Files ignores check boxes
    fake.prompts.QueueAnswers({true});

    actions.DeleteAll(false);

    EXPECT_THAT(fake.fs.Removed(), ElementsAre("C:\\data\\a.txt", "C:\\data\\ro.txt"));
    EXPECT_EQ(window.status, "Deleted 2 files permanently.");
    EXPECT_THAT(Names(), ElementsAre("locked.txt"));
}

TEST_F(FileActionsTest, DeletingTheLastRowLeavesAnEmptyTableThatBulkActionsIgnore) {
    AddFiles({"a.txt"});
    table.SelectRow(1);
    fake.prompts.SetDefaultAnswer(true);
    actions.DeleteSelected(false);

    EXPECT_EQ(table.RowCount(), 2u);
    EXPECT_TRUE(table.Empty());
    actions.DeleteChecked(true);
    actions.DeleteAll(false);
    actions.MoveChecked("D:\\out");
    EXPECT_EQ(fake.prompts.Questions().size(), 1u);
}

TEST_F(FileActionsTest, MovingTheSelectedFile) {
    AddFiles({"a.txt", "b.txt", "gone.txt"});
    fake.fs.AddFile("D:\\out\\b.txt", 99);
    fake.fs.Erase("C:\\data\\gone.txt");
    fake.prompts.QueueAnswers({true, true, false, true, true});

    table.SelectRow(1);
    actions.MoveSelected("D:\\out");
    EXPECT_TRUE(fake.fs.Contains("D:\\out\\a.txt"));
    EXPECT_EQ(window.status, "Moved the selected file.");
    EXPECT_EQ(table.Cell(1, 4), "D:\\out\\");

    table.SelectRow(2);
    actions.MoveSelected("D:\\out");  // asks before replacing; No
    actions.MoveSelected("D:\\out");  // Yes: the shell gets to replace it
    EXPECT_THAT(fake.prompts.Questions(),
                ElementsAre("Proceed to move\r\nC:\\data\\a.txtTo\r\nD:\\out\\a.txt",
                            "Proceed to move\r\nC:\\data\\b.txtTo\r\nD:\\out\\b.txt",
                            "Replace the existing file\r\nD:\\out\\b.txt?",
                            "Proceed to move\r\nC:\\data\\b.txtTo\r\nD:\\out\\b.txt",
                            "Replace the existing file\r\nD:\\out\\b.txt?"));
    EXPECT_EQ(fake.shell.MoveRequests().size(), 2u);

    table.SelectRow(3);
    fake.prompts.SetDefaultAnswer(true);
    actions.MoveSelected("D:\\out");
    EXPECT_EQ(window.status, "C:\\data\\gone.txt Does not exists!");
}

TEST_F(FileActionsTest, AMoveTheShellOnlyClaimsChangesNothing) {
    AddFiles({"a.txt"});
    fake.shell.SetMoveOutcome(ShellOutcome::kClaimSuccess);
    fake.prompts.SetDefaultAnswer(true);
    table.SelectRow(1);

    actions.MoveSelected("D:\\out");
    EXPECT_EQ(window.status, "Failed to move the selected file.");
    actions.MoveChecked("D:\\out");
    EXPECT_EQ(window.status, "No files were moved.");
    EXPECT_EQ(table.Cell(1, 4), kDir);
}

TEST_F(FileActionsTest, ABulkMoveSkipsAndCountsFilesItWouldReplace) {
    AddFiles({"a.txt", "taken.txt", "gone.txt", "b.txt"});
    fake.fs.AddFile("D:\\out\\taken.txt", 5);
    fake.fs.Erase("C:\\data\\gone.txt");
    fake.prompts.SetDefaultAnswer(true);

    actions.MoveChecked("D:\\out");

    EXPECT_THAT(fake.prompts.Questions(), ElementsAre("Proceed to move all Checked files?"));
    EXPECT_EQ(window.status,
              "Moved 2 files. Skipped 1 files that already exist in the destination.");
    EXPECT_EQ(fake.fs.Attributes("D:\\out\\taken.txt"), attr::kArchive);
    EXPECT_TRUE(fake.fs.Contains("C:\\data\\taken.txt"));
    EXPECT_EQ(table.Cell(1, 4), "D:\\out\\");
    EXPECT_EQ(table.Cell(2, 4), kDir);
    EXPECT_TRUE(table.Checked(1));
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
    bool always = false;
    bool shown = false;
};

class MoveCommandsTest : public FileActionsTest {
  protected:
    MoveCommandsTest() {
        AddFiles({"a.txt", "b.txt"});
        table.SelectRow(1);
    }
    FakePanel panel;
    MoveCommands commands{actions, fake.platform(), panel};
};

TEST_F(MoveCommandsTest, AcceptCreatesAMissingDirectoryOrClearsTheDestination) {
    panel.text = "D:\\new\\deeper";
    commands.Move(PendingMove::kSelected);  // Always is off: the panel comes first
    EXPECT_TRUE(panel.shown);
    fake.prompts.QueueAnswers({false});
    commands.Accept();
    EXPECT_TRUE(panel.shown);
    EXPECT_EQ(panel.text, "");
    EXPECT_EQ(commands.Pending(), PendingMove::kNone);

    commands.DirectoryChosen("D:\\new\\deeper\\");
    fake.fs.SetDiskFull(true);
    fake.prompts.QueueAnswers({true});
    commands.Accept();
    EXPECT_THAT(fake.prompts.Notices(), ElementsAre("Unable to create directory!"));
    EXPECT_THAT(fake.shell.MoveRequests(), IsEmpty());

    fake.fs.SetDiskFull(false);
    commands.Move(PendingMove::kSelected);
    panel.text = "D:\\new\\deeper";
    fake.prompts.QueueAnswers({true, true});
    commands.Accept();
    EXPECT_EQ(fake.prompts.Notices().back(), "Directory created.");
    EXPECT_FALSE(panel.shown);
    EXPECT_TRUE(fake.fs.Contains("D:\\new\\deeper\\a.txt"));

    // With a destination and Always, the menu moves at once.
    panel.always = true;
    fake.prompts.QueueAnswers({true});
    commands.Move(PendingMove::kChecked);
    EXPECT_FALSE(panel.shown);
    EXPECT_TRUE(fake.fs.Contains("D:\\new\\deeper\\b.txt"));
}

TEST_F(MoveCommandsTest, AcceptWithoutDestinationAndCancel) {
    panel.text = "D:\\out";
    commands.EditDestination();
    panel.text = "";
    panel.always = true;
    fake.prompts.QueueAnswers({true});
    commands.Accept();
    EXPECT_THAT(fake.prompts.Questions(),
                ElementsAre("No destination directory selected!\r\nExit without selecting one?"));
    EXPECT_FALSE(panel.shown);

    commands.EditDestination();
    panel.text = "E:\\elsewhere";
    panel.always = false;
    commands.Cancel();
    EXPECT_EQ(panel.text, "");
    EXPECT_TRUE(panel.always);
    EXPECT_FALSE(panel.shown);
    EXPECT_THAT(fake.shell.MoveRequests(), IsEmpty());
}

}  // namespace
}  // namespace sorvane
