// The shared table actions on the real shell and file system, and writing report files.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "FakePlatform.h"
#include "RecordingView.h"
#include "WineTestSupport.h"
#include "win/platform/Utf.h"
#include "win/platform/WinFileSystem.h"
#include "win/platform/WinShell.h"
#include "core/results/FileActions.h"

namespace sorvane {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

struct Panel final : IDestinationPanel {
    std::string Destination() override { return text; }
    void SetDestination(const std::string& value) override { text = value; }
    bool Always() override { return false; }
    void SetAlways(bool) override {}
    void Show() override {}
    void Hide() override {}
    std::string text;
};

// The real file system and shell; the rest of the platform plays no part.
class ResultActionsTest : public ::testing::Test {
  protected:
    // A row for a file of `dir`, created with `content`.
    void AddFile(const std::string& dir, const std::string& name, const std::string& content) {
        WriteBytes(dir + "\\" + name, content);
        table_.AppendRow({name, dir + "\\"});
        table_.SetChecked(table_.RowCount() - 1, true);
    }

    TempDir dir_{"actions"};
    WinFileSystem fs_;
    WinShell shell_;
    FakePlatform fake_;
    Platform platform_{
        fs_,          fake_.drives, shell_,       fake_.system,  fake_.registry, fake_.settings,
        fake_.locale, fake_.clock,  fake_.timers, fake_.prompts, fake_.pump};
    ResultTable table_{{{"Name"}, {"Path"}}, 0, 1};
    test::RecordingView window_;
    FileActions actions_{platform_, table_, window_.runner};
};

TEST_F(ResultActionsTest, CheckedFilesGoToTheRecycleBinInOneRequest) {
    const std::string xdg = test::EnvironmentVariable("XDG_DATA_HOME");
    if (xdg.empty()) GTEST_SKIP() << "XDG_DATA_HOME is not set: would recycle into ~";
    const std::string tag =
        std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount64());
    const std::string first = "checked Σ " + tag + ".txt";
    const std::string second = "checked;two " + tag + ".txt";
    AddFile(dir_.Path(), first, "1");
    AddFile(dir_.Path(), "kept " + tag + ".txt", "k");
    table_.SetChecked(2, false);
    AddFile(dir_.Path(), second, "2");
    fake_.prompts.QueueAnswers({true});

    actions_.DeleteChecked(true);

    EXPECT_EQ(window_.status, "Deleted 2 files to recycle_bin.");
    const std::string trash = test::WinePathOfUnix(xdg) + "\\Trash\\files\\";
    EXPECT_EQ(ReadBytes(trash + first), "1");
    EXPECT_EQ(ReadBytes(trash + second), "2");
    ASSERT_EQ(table_.RowCount(), 2u);
    EXPECT_EQ(table_.Cell(1, 0), "kept " + tag + ".txt");
}

TEST_F(ResultActionsTest, AcceptCreatesTheMissingDestinationAndTheFileMovesThere) {
    AddFile(dir_.Path(), "report.txt", "moved");
    table_.SelectRow(1);
    Panel panel;
    MoveCommands commands(actions_, platform_, panel);
    commands.Move(PendingMove::kSelected);
    panel.text = dir_ / "new\\deeper";
    fake_.prompts.QueueAnswers({true, true});  // create it, move

    commands.Accept();

    EXPECT_THAT(fake_.prompts.Notices(), ::testing::ElementsAre("Directory created."));
    EXPECT_EQ(window_.status, "Moved the selected file.");
    EXPECT_EQ(ReadBytes(dir_ / "new\\deeper\\report.txt"), "moved");
    EXPECT_EQ(table_.Cell(1, 1), dir_ / "new\\deeper\\");
}

TEST_F(ResultActionsTest, WriteFileReplacesContentAndReportsRefusals) {
    const std::string path = dir_ / "Отчёт.html";
    std::string error;
    ASSERT_TRUE(fs_.WriteFile(path, "a longer first content", error)) << error;
    ASSERT_TRUE(fs_.WriteFile(path, "\xEF\xBB\xBFsecond", error)) << error;
    EXPECT_EQ(ReadBytes(path), "\xEF\xBB\xBFsecond");

    ASSERT_TRUE(SetFileAttributesW(Widen(path).c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(fs_.WriteFile(path, "third", error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(error.find_first_of("\r\n"), std::string::npos) << error;
    EXPECT_EQ(ReadBytes(path), "\xEF\xBB\xBFsecond");

    for (const std::string& refused : {dir_ / "no such dir\\r.txt", dir_.Path()}) {
        error.clear();
        EXPECT_FALSE(fs_.WriteFile(refused, "x", error)) << refused;
        EXPECT_FALSE(error.empty()) << refused;
    }
}

}  // namespace
}  // namespace sorvane
