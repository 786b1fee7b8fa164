// Find Duplicate Files: the groups, byte-exact contents, one file under two names, Stop, and
// actions that must not take the last copy or a file that changed since the scan.
#include "TestSupport.h"
#include "core/duplicates/DuplicateScan.h"
#include "core/results/FileActions.h"

namespace sorvane {
namespace {

using Rows = std::vector<Texts>;

class DuplicateScanTest : public ::testing::Test {
  protected:
    DuplicateScanTest() {
        fake.fs.AddDir("C:\\data");
        criteria.locations = {"C:\\data"};
        fake.clock.SetAutoAdvance(5);
    }
    void Add(const std::string& path, const std::string& content, DateTime written = {2024, 5, 1}) {
        fake.fs.AddFile(path, 0, {.written = fake::FileTimeOf(written)});
        fake.fs.SetContent(path, content);
    }
    DuplicateScanResult Scan() {
        return DuplicateScan(fake.platform(), view.runner).Run(criteria, table, judged);
    }
    // Group, name and directory of every row.
    Rows Groups() const {
        Rows rows;
        for (std::size_t row = 1; row < table.RowCount() && !table.Empty(); ++row)
            rows.push_back({table.Cell(row, 0), table.Cell(row, 1), table.Cell(row, 4)});
        return rows;
    }
    void Only(bool name, bool size, bool date, bool content) {
        std::tie(criteria.sameName, criteria.sameSize, criteria.sameDate, criteria.sameContent) =
            std::tie(name, size, date, content);
    }

    FakePlatform fake;
    test::RecordingView view;
    DuplicateCriteria criteria;
    ResultTable table = DuplicateTable();
    JudgedFiles judged;
};

TEST_F(DuplicateScanTest, GroupsAreEveryFileAgreeingOnTheCriteriaWhereverTheNamesStand) {
    Add("C:\\data\\alpha.txt", "12345");
    Add("C:\\data\\sub\\zeta.bin", "abcde");
    Add("C:\\data\\readme.txt", "xy");
    Add("C:\\data\\sub\\README.TXT", "xy");
    Add("C:\\data\\other\\readme.txt", "zz", {2023, 1, 1});
    Add("C:\\data\\empty1", "");
    Add("C:\\data\\sub\\empty1", "");
    Only(false, true, false, false);
    EXPECT_EQ(StatusTextOf(Scan()), "Found 5 duplicate files.");
    // Names far apart share a size; empty files are never offered; subdirectories in capitals.
    EXPECT_EQ(Groups(), (Rows{{"0", "alpha.txt", "C:\\data\\"},
                              {"0", "zeta.bin", "C:\\DATA\\SUB\\"},
                              {"1", "readme.txt", "C:\\data\\"},
                              {"1", "readme.txt", "C:\\DATA\\OTHER\\"},
                              {"1", "README.TXT", "C:\\DATA\\SUB\\"}}));

    // The name is compared with its letter case; the date as the table shows it.
    Only(true, true, true, false);
    EXPECT_EQ(StatusTextOf(Scan()), "Found 0 duplicate files.");
    EXPECT_EQ(Groups().size(), 5u);  // the table keeps the last results
    Only(true, false, false, false);
    Scan();
    EXPECT_EQ(Groups(),
              (Rows{{"0", "readme.txt", "C:\\data\\"}, {"0", "readme.txt", "C:\\DATA\\OTHER\\"}}));

    Only(false, false, false, false);
    EXPECT_EQ(StatusTextOf(Scan()), "Check at least one criterion first!");
    criteria.locations = {"data"};
    EXPECT_EQ(StatusTextOf(Scan()), "Select a drive or directory first!");
}

TEST_F(DuplicateScanTest, ContentsAreEqualByteForByteAndReadOnce) {
    // The second block of four files ends one byte before the last.
    const std::string big(4096 + 262144 + 1, 'q');
    Add("C:\\data\\a.dat", big);
    Add("C:\\data\\b.dat", big);
    Add("C:\\data\\c.dat", big.substr(1) + "!");  // the last byte differs
    Add("C:\\data\\d.dat", big);
    fake.fs.FailReadingAt("C:\\data\\d.dat", 100000);
    Add("C:\\data\\e.dat", big + "q");  // one byte longer
    Add("C:\\data\\lone.dat", "unique size");
    Add("C:\\data\\x1", "same");
    Add("C:\\data\\x2", "same");
    Add("C:\\data\\x3", "diff");
    Only(false, false, false, true);
    EXPECT_EQ(StatusTextOf(Scan()), "Found 4 duplicate files. 1 files could not be read.");
    EXPECT_EQ(Groups(), (Rows{{"0", "a.dat", "C:\\data\\"},
                              {"0", "b.dat", "C:\\data\\"},
                              {"1", "x1", "C:\\data\\"},
                              {"1", "x2", "C:\\data\\"}}));
    // Files of a size of their own are never read; the others are read at most once.
    EXPECT_LE(fake.fs.BytesRead(), 4 * big.size() + 3 * 4u);
}

TEST_F(DuplicateScanTest, OneFileUnderTwoNamesOrTwoPathsCountsOnce) {
    Add("C:\\data\\one.txt", "same");
    fake.fs.AddHardLink("C:\\data\\one.txt", "C:\\data\\sub\\one.txt");
    fake.fs.AddDir("C:\\data\\link", {.attributes = attr::kReparsePoint | attr::kDirectory});
    Add("C:\\data\\link\\one.txt", "same");  // what the junction would show
    fake.fs.AddAlias("C:\\DATA~1", "C:\\data");
    criteria.locations = {"C:\\data", "C:", "C:\\DATA~1", "c:\\DATA\\"};
    for (const bool content : {false, true}) {
        Only(true, true, !content, content);
        EXPECT_EQ(StatusTextOf(Scan()), "Found 0 duplicate files.");
    }
    Add("C:\\data\\sub\\two\\one.txt", "same");
    EXPECT_EQ(StatusTextOf(Scan()), "Found 2 duplicate files.");
}

TEST_F(DuplicateScanTest, OnlyWholeExtensionMasksExclude) {
    for (const char* name : {"A.TXT", "b.txt", "noext", "c.log", "d.log"})
        Add(std::string("C:\\data\\") + name, "same");
    criteria.excludedMasks = {"*.txt", "*", "c*.log"};
    Only(false, true, false, false);
    Scan();
    EXPECT_EQ(Groups(), (Rows{{"0", "c.log", "C:\\data\\"}, {"0", "d.log", "C:\\data\\"}}));
}

TEST_F(DuplicateScanTest, StopInEveryPhaseLeavesTheTableAsItWas) {
    for (int i = 0; i < 6; ++i)
        Add("C:\\data\\f" + std::to_string(i), std::string(20000, 'a' + i % 2));
    Only(false, false, false, true);
    Scan();
    const Rows before = Groups();
    ASSERT_EQ(before.size(), 6u);
    for (const char* phase : {kDupPreparingPhase, kDupScanningPhase, kDupComparingPhase}) {
        view.onCaption = [&](const std::string& caption) {
            if (caption.ends_with(phase))
                fake.pump.SetOnProcess([&](std::size_t) { view.runner.Stop(); });
        };
        fake.pump.SetOnProcess(nullptr);
        Add("C:\\data\\g", std::string(20000, 'a'));  // results that would differ
        EXPECT_EQ(StatusTextOf(Scan()), "Scanning Stopped!") << phase;
        EXPECT_EQ(Groups(), before) << phase;
    }
}

// A copy counts for the last-copy question only while it is still the file that was compared.
TEST_F(DuplicateScanTest, ActionsKeepTheLastCopyAndSkipFilesChangedSinceTheScan) {
    for (const char* path :
         {"C:\\data\\a1", "C:\\data\\a2", "C:\\data\\b1", "C:\\data\\b2", "C:\\data\\b3"})
        Add(path, path[8] == 'a' ? "aaaa" : "bbbbbb");
    Only(false, false, false, true);
    Scan();
    FileActions actions(fake.platform(), table, view.runner, fake.history, tool::kFindDuplicates);
    actions.SetGroups(
        {kDupGroupColumn, [&](const std::string& p) { return judged.Unchanged(fake.fs, p); },
         [&](const std::string& from, const std::string& to) { judged.Moved(from, to); }});
    for (std::size_t row = 1; row <= 4; ++row) table.SetChecked(row, true);  // a1 a2 b1 b2
    Add("C:\\data\\b3", "bbbbbb", {2024, 6, 1});  // written again: same size, later time
    fake.prompts.QueueAnswers({false});
    actions.DeleteChecked(false);
    ASSERT_THAT(fake.prompts.Records(), testing::SizeIs(1));
    EXPECT_EQ(fake.prompts.Records().back().text, LastCopyQuestion(2));
    EXPECT_EQ(fake.prompts.Records().back().buttons, Buttons::kYesNoSafeNo);
    EXPECT_THAT(fake.fs.Removed(), IsEmpty());

    table.SetChecked(1, false);
    fake.fs.SetContent("C:\\data\\b2", "bbbbbbb");  // grew after the scan
    fake.prompts.QueueAnswers({true, true});
    actions.DeleteChecked(false);
    EXPECT_EQ(view.status,
              "Deleted 2 files permanently. Skipped 1 files that changed since the scan.");
    EXPECT_THAT(fake.fs.Removed(), ElementsAre("C:\\data\\a2", "C:\\data\\b1"));

    // The selected file is the last copy left of its group; changed, it is neither deleted nor
    // moved.
    table.SelectRow(1);
    fake.prompts.QueueAnswers({false});
    actions.DeleteSelected(false);
    EXPECT_EQ(fake.prompts.Records().back().text, LastCopyQuestion(1));
    Add("C:\\data\\a1", "aaaa", {2024, 6, 1});
    fake.fs.AddDir("D:\\out");
    fake.prompts.SetDefaultAnswer(true);
    actions.DeleteSelected(false);
    EXPECT_EQ(view.status,
              "Failed to delete the selected file. Skipped 1 files that changed since the scan.");
    actions.MoveSelected("D:\\out");
    EXPECT_EQ(view.status,
              "Failed to move the selected file. Skipped 1 files that changed since the scan.");
    EXPECT_TRUE(fake.fs.Contains("C:\\data\\a1"));
    actions.MoveChecked("D:\\out");  // b2, grown
    EXPECT_EQ(view.status, "No files were moved. Skipped 1 files that changed since the scan.");
}

// Files compared together beyond those kept open are opened again for each block, and read on
// from where they stopped.
TEST_F(DuplicateScanTest, FilesOpenedAgainAreReadFromWhereTheyStopped) {
    const std::string head(4096, 'h');
    for (int i = 0; i <= 256; ++i) {
        std::string tail = std::to_string(i % 256);
        tail.resize(4096, '.');
        Add("C:\\data\\f" + std::to_string(i), head + tail);
    }
    Only(false, true, false, true);
    EXPECT_EQ(StatusTextOf(Scan()), "Found 2 duplicate files.");
    EXPECT_EQ(Groups(), (Rows{{"0", "f0", "C:\\data\\"}, {"0", "f256", "C:\\data\\"}}));
}

// The comparison is counted over the files found, empty ones left out.
TEST_F(DuplicateScanTest, TheLastStatusCountsTheFilesCompared) {
    for (const char* path : {"C:\\data\\sub\\a", "C:\\data\\b", "C:\\data\\empty"})
        Add(path, path[8] == 'e' ? "" : "same");
    Scan();
    EXPECT_EQ(view.statuses.back(), "Finished comparing 1 files out of 2 files found");
}

}  // namespace
}  // namespace sorvane
