// The cleaning history on the fake disk, restoring from it, and the age rule of a clean.
#include "TestSupport.h"
#include "core/dirclean/DirectoryCleaning.h"
#include "core/history/HistoryFile.h"
#include "core/history/HistoryRestore.h"

namespace sorvane {
namespace {

constexpr char kFile[] = "C:\\Tools\\Sorvane History.csv";
constexpr std::uint64_t kDayMs = 24ULL * 3600 * 1000;

class CleaningHistoryTest : public ::testing::Test {
  protected:
    CleaningHistoryTest() {
        fake.fs.AddDir("C:\\Tools");
        fake.history.Configure(kFile, {});
    }
    std::string Text() { return fake.fs.Content(kFile); }
    HistoryIndex Index() { return IndexHistory(Text()); }
    // The lines of the file after its header.
    std::vector<HistoryLine> Lines() {
        const std::string text = Text();
        std::vector<HistoryLine> lines;
        const HistoryIndex index = IndexHistory(text);
        for (const HistoryRunInfo& run : index.runs) {
            for (const std::size_t at : LinesOfRun(index, run))
                lines.push_back(ParseHistoryLine(LineAt(text, at)).value());
        }
        return lines;
    }
    // A run of `tool` with `files` lines of `size` bytes each.
    void AddRun(const std::string& tool, int files, std::uint64_t size = 10) {
        HistoryRun run = fake.history.Begin(tool);
        for (int i = 0; i < files; ++i)
            run.Record(HistoryAction::kRecycled, "C:\\T\\" + std::to_string(i), size);
    }
    FakePlatform fake;
};

TEST_F(CleaningHistoryTest, LinesReadBackAsWrittenUnderAHeaderASpreadsheetReads) {
    const std::string awkward[] = {"C:\\a, b\\\"quoted\" name.txt", "C:\\Документы\\отчёт.doc",
                                   "C:\\日本\\ファイル.tmp", "C:\\plain.tmp"};
    {
        HistoryRun run = fake.history.Begin(tool::kFindDuplicates);
        for (const std::string& path : awkward) run.Record(HistoryAction::kMoved, path, 7, path);
        fake.clock.Advance(61'000);  // a long clean: each line has its own time
        run.Record(HistoryAction::kKept, "C:\\x", 3, kept::kChanged);
        EXPECT_EQ(run.End(), "");
    }
    const std::string text = Text();
    EXPECT_EQ(text.substr(0, text.find("\r\n")), kUtf8Mark + std::string(kHistoryHeader));
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 5u);
    for (std::size_t i = 0; i < 4; ++i) {
        const HistoryLine& l = lines[i];
        EXPECT_EQ(std::tie(l.path, l.detail, l.action, l.size, l.tool, l.time),
                  std::tuple(awkward[i], awkward[i], HistoryAction::kMoved, 7u,
                             tool::kFindDuplicates, "2024-06-15 12:00:00"));
    }
    EXPECT_EQ(std::tie(lines[4].actionText, lines[4].time),
              std::tuple("Kept", "2024-06-15 12:01:01"));
    const auto runs = Index().runs;
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].bytes, 28u);  // the kept file is not counted
}

TEST_F(CleaningHistoryTest, LinesGoInBatchesAndAllByTheEndOfTheRun) {
    HistoryRun run = fake.history.Begin(tool::kCleanDirectories);
    std::size_t recorded = 0;
    while (!fake.fs.Contains(kFile)) {
        run.Record(HistoryAction::kRecycled, "C:\\Temp\\" + std::to_string(recorded++), 1);
        ASSERT_LT(recorded, 10'000u) << "nothing written after a whole batch";
    }
    EXPECT_GT(recorded, 100u) << "one write per file";
    // A crash now keeps the whole batch.
    EXPECT_EQ(Lines().size(), recorded);
    run.Record(HistoryAction::kRecycled, "C:\\Temp\\last", 1);
    EXPECT_EQ(Lines().size(), recorded);
    run.End();
    EXPECT_EQ(Lines().size(), recorded + 1);
    {
        HistoryRun dropped = fake.history.Begin(tool::kCleanDirectories);
        dropped.Record(HistoryAction::kDeleted, "C:\\Temp\\gone", 1);
    }  // a run that ends by going out of scope writes too
    EXPECT_EQ(Lines().size(), recorded + 2);
}

TEST_F(CleaningHistoryTest, RunsAreNumberedOnAcrossSessionsAndOffRecordsNothing) {
    AddRun(tool::kCleanDrives, 2);
    AddRun(tool::kCleanDrives, 1);
    CleaningHistory later(fake.fs, fake.clock);  // the program started again
    later.Configure(kFile, {});
    later.Begin(tool::kCheckShortcuts).Record(HistoryAction::kDeleted, "C:\\a.lnk", 1);
    std::vector<std::uint64_t> ids;
    for (const auto& run : Index().runs) ids.push_back(run.id);
    EXPECT_THAT(ids, ::testing::ElementsAre(1, 2, 3));

    const std::string before = Text();
    later.Configure(kFile, {.enabled = false});
    later.Begin(tool::kCheckShortcuts).Record(HistoryAction::kDeleted, "C:\\b.lnk", 1);
    EXPECT_EQ(Text(), before);
}

TEST_F(CleaningHistoryTest, RunsPastTheAgeOrSizeLimitGoOldestFirstButTheLatestStays) {
    fake.history.Configure(kFile, {.days = 90, .megabytes = 1});
    AddRun(tool::kCleanDrives, 1);
    fake.clock.Advance(60 * kDayMs);
    AddRun(tool::kCleanDrives, 1);
    fake.clock.Advance(31 * kDayMs);  // the first run is now 91 days old
    AddRun(tool::kFindDuplicates, 1);
    auto runs = Index().runs;
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].id, 2u);

    // Each run of about 250 KB: past 1 MB the oldest go, leaving room below the limit.
    for (int i = 0; i < 5; ++i) AddRun(tool::kCleanDirectories, 3500, 1);
    EXPECT_LE(Text().size(), 1024u * 1024);
    runs = Index().runs;
    ASSERT_GE(runs.size(), 2u);
    EXPECT_EQ(runs.back().id, 8u);
    EXPECT_EQ(runs.back().lines, 3500u);

    AddRun(tool::kCleanDirectories, 16'000, 1);  // one run larger than the limit
    runs = Index().runs;
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].lines, 16'000u);
    EXPECT_EQ(Text().substr(3, std::string(kHistoryHeader).size()), kHistoryHeader);
}

TEST_F(CleaningHistoryTest, AFileThatRefusesWritingIsSaidOnceAndLosesNoLaterRun) {
    AddRun(tool::kCleanDrives, 1);
    fake.fs.Lock(kFile);
    std::string notes[2];
    for (std::string& note : notes) {
        HistoryRun run = fake.history.Begin(tool::kCleanDrives);
        run.Record(HistoryAction::kRecycled, "C:\\lost", 1);
        note = run.End();
    }
    EXPECT_THAT(notes[0], ::testing::HasSubstr(kFile));
    EXPECT_EQ(notes[1], "");
    fake.fs.Lock(kFile, false);
    AddRun(tool::kCleanDrives, 1);
    EXPECT_EQ(Lines().size(), 2u);
    EXPECT_EQ(Index().runs.back().id, 4u);

    // A folder that is not there yet is made.
    fake.history.Configure("C:\\Users\\me\\AppData\\Sorvane\\h.csv", {});
    fake.fs.AddDir("C:\\Users\\me\\AppData");
    AddRun(tool::kCleanDrives, 1);
    EXPECT_TRUE(fake.fs.Contains("C:\\Users\\me\\AppData\\Sorvane\\h.csv"));
}

TEST(AgeLimit, BothTimesMustBeAtLeastTheLimitAgo) {
    const FileTime now{1'000'000'000'000'000};
    constexpr std::uint64_t kHour = 3600ULL * 10'000'000;
    const AgeLimit day{24, false};
    const std::tuple<std::uint64_t, std::uint64_t, bool> cases[] = {
        {25 * kHour, 25 * kHour, true},
        {24 * kHour, 24 * kHour, true},
        {24 * kHour - 1, 48 * kHour, false},
        {48 * kHour, 23 * kHour, false},  // copied
        {48 * kHour, 0, false}};
    for (const auto& [writtenAgo, createdAgo, old] : cases) {
        EXPECT_EQ(OldEnough({now.ticks - writtenAgo}, {now.ticks - createdAgo}, now, day), old)
            << writtenAgo / kHour << "h " << createdAgo / kHour << "h";
    }
    EXPECT_FALSE(OldEnough({now.ticks + kHour}, {now.ticks - 48 * kHour}, now, day));  // future
    EXPECT_TRUE(OldEnough({now.ticks + kHour}, {now.ticks + kHour}, now, {}));         // no limit
    EXPECT_TRUE(OldEnough({now.ticks - 49 * kHour}, {now.ticks - 49 * kHour}, now, {2, true}));
    EXPECT_FALSE(OldEnough({now.ticks - 47 * kHour}, {now.ticks - 49 * kHour}, now, {2, true}));
}

TEST_F(CleaningHistoryTest, ACleanWithAnAgeLimitLeavesYoungFilesAndRecordsWhatHappened) {
    const FileTime now = fake.clock.UtcNow();
    const FileTime old{now.ticks - 30ULL * 3600 * 10'000'000};
    fake.fs.AddFile("C:\\Temp\\old.tmp", 100, {.written = old, .created = old});
    fake.fs.AddFile("C:\\Temp\\downloaded.tmp", 200, {.written = old, .created = now});
    fake.fs.AddFile("C:\\Temp\\sub\\fresh.tmp", 300, {.written = now, .created = old});
    fake.fs.AddFile("C:\\Temp\\sub\\old2.tmp", 400, {.written = old, .created = old});
    test::RecordingView view;
    DirectoryCleaning cleaning(fake.platform(), view.runner, fake.history);
    TargetOptions options;
    options.age = {24, false};
    CleanReport report;
    view.runner.Run(PassRunner::Kind::kStoppable,
                    [&] { report = cleaning.CleanTarget("C:\\Temp", options, true); });
    EXPECT_EQ(report.recycled, 2u);
    EXPECT_EQ(report.leftForAge, 2u);
    EXPECT_TRUE(fake.fs.Contains("C:\\Temp\\downloaded.tmp") &&
                fake.fs.Contains("C:\\Temp\\sub\\fresh.tmp") &&
                !fake.fs.Contains("C:\\Temp\\old.tmp"));
    EXPECT_THAT(CleanNote(report), ::testing::HasSubstr("Left 2 files"));
    std::vector<std::string> recorded;
    for (const HistoryLine& line : Lines()) {
        recorded.push_back(line.actionText + " " + line.path + " " + std::to_string(line.size) +
                           " " + line.detail);
    }
    EXPECT_THAT(recorded,
                ::testing::UnorderedElementsAre(
                    "Recycled C:\\Temp\\old.tmp 100 ", "Recycled C:\\Temp\\sub\\old2.tmp 400 ",
                    "Left for age C:\\Temp 500 2 files younger than 24 hours"));
}

TEST_F(CleaningHistoryTest, RestorePutsBackOnlyToAFreePlaceAndTrustsOnlyTheDisk) {
    for (const char* name : {"a", "b", "c", "d", "e"})
        fake.fs.AddFile(std::string("C:\\Temp\\") + name + ".tmp", 5);
    fake.shell.RecycleFiles({"C:\\Temp\\a.tmp", "C:\\Temp\\b.tmp", "C:\\Temp\\c.tmp",
                             "C:\\Temp\\d.tmp", "C:\\Temp\\e.tmp"});
    fake.fs.AddFile("C:\\Temp\\b.tmp", 99);  // a new file where b was
    fake.fs.FailLookups("C:\\Temp\\d.tmp");
    const auto line = [](const char* path, HistoryAction action = HistoryAction::kRecycled) {
        return HistoryLine{.action = action, .path = path, .size = 5};
    };
    const std::vector<HistoryLine> asked = {line("C:\\Temp\\a.tmp"), line("C:\\Temp\\b.tmp"),
                                            line("C:\\Temp\\never.tmp"), line("C:\\Temp\\d.tmp"),
                                            line("C:\\Temp\\c.tmp", HistoryAction::kDeleted)};
    const RestoreReport report = RestoreFromHistory(fake.platform(), fake.history, asked);
    // d failed: whether its place is free cannot be told.
    EXPECT_EQ(std::tie(report.restored, report.placeTaken, report.notInBin, report.failed,
                       report.notRecycled),
              std::tuple(1u, 1u, 1u, 1u, 1u));
    EXPECT_TRUE(fake.fs.Contains("C:\\Temp\\a.tmp"));
    EXPECT_EQ(fake.fs.Look("C:\\Temp\\b.tmp").size, 99u);
    EXPECT_FALSE(fake.fs.Contains("C:\\Temp\\c.tmp"));
    ASSERT_EQ(Lines().size(), 1u);
    EXPECT_EQ(Lines()[0].action, HistoryAction::kRestored);
    EXPECT_EQ(Lines()[0].tool, tool::kHistory);

    // A shell that says it restored without doing it restores nothing.
    fake.shell.SetRestoreOutcome(ShellOutcome::kClaimSuccess);
    const RestoreReport claimed =
        RestoreFromHistory(fake.platform(), fake.history, {line("C:\\Temp\\e.tmp")});
    EXPECT_EQ(claimed.restored, 0u);
    EXPECT_EQ(claimed.Text({line("C:\\Temp\\e.tmp")}), "C:\\Temp\\e.tmp could not be restored.");
    EXPECT_EQ(Lines().size(), 1u);
}

}  // namespace
}  // namespace sorvane
