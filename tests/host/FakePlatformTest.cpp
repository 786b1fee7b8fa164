// The parts of the fake platform with rules of their own: the shell over the fake disk, the
// settings files, dates and timers.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "FakeCalendar.h"
#include "FakePlatform.h"

namespace sorvane {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class FakeShellTest : public ::testing::Test {
  protected:
    FakeShellTest() {
        fs.AddFile("C:\\Temp\\a.tmp", 100);
        fs.AddFile("C:\\Temp\\Old\\b.tmp", 200);
    }
    FakeFileSystem fs;
    FakeShell shell{fs};
};

TEST_F(FakeShellTest, RecyclingTakesEntriesIntoTheBin) {
    EXPECT_TRUE(shell.RecycleFiles({"C:\\Temp\\a.tmp", "C:\\Temp\\Old"}));

    EXPECT_THAT(fs.AllPaths(), ElementsAre("C:\\Temp"));
    ASSERT_EQ(shell.Bin().size(), 2U);
    EXPECT_EQ(shell.Bin()[0].path, "C:\\Temp\\a.tmp");
    EXPECT_EQ(shell.Bin()[0].data.size, 100U);
    EXPECT_EQ(shell.Bin()[1].data.name, "Old");
}

TEST_F(FakeShellTest, RecyclingReportsFailureWhenAnEntryStays) {
    fs.Lock("C:\\Temp\\Old\\b.tmp");
    EXPECT_FALSE(shell.RecycleFiles({"C:\\Temp\\a.tmp", "C:\\Temp\\Old", "C:\\Temp\\none"}));
    EXPECT_THAT(fs.AllPaths(), ElementsAre("C:\\Temp", "C:\\Temp\\Old", "C:\\Temp\\Old\\b.tmp"));
}

TEST_F(FakeShellTest, CanFailOrClaimSuccessWithoutTouchingAnything) {
    shell.SetRecycleOutcome(ShellOutcome::kFail);
    EXPECT_FALSE(shell.RecycleFiles({"C:\\Temp\\a.tmp"}));
    shell.SetRecycleOutcome(ShellOutcome::kClaimSuccess);
    EXPECT_TRUE(shell.RecycleFiles({"C:\\Temp\\a.tmp"}));
    shell.SetMoveOutcome(ShellOutcome::kClaimSuccess);
    EXPECT_TRUE(shell.MoveFiles({"C:\\Temp\\a.tmp"}, {"C:\\Moved\\a.tmp"}));

    EXPECT_TRUE(fs.Contains("C:\\Temp\\a.tmp"));
    EXPECT_FALSE(fs.Contains("C:\\Moved"));
    EXPECT_THAT(shell.Bin(), IsEmpty());
    EXPECT_EQ(shell.RecycleRequests().size(), 2U);
    EXPECT_EQ(shell.MoveRequests().size(), 1U);
}

TEST_F(FakeShellTest, MovesPairByPair) {
    EXPECT_TRUE(shell.MoveFiles({"C:\\Temp\\a.tmp", "C:\\Temp\\Old\\b.tmp"},
                                {"C:\\Keep\\x\\a.tmp", "C:\\Keep\\b.tmp"}));
    EXPECT_TRUE(fs.FileExists("C:\\Keep\\x\\a.tmp"));
    EXPECT_TRUE(fs.FileExists("C:\\Keep\\b.tmp"));
    EXPECT_FALSE(shell.MoveFiles({"C:\\Keep\\b.tmp"}, {}));
    EXPECT_TRUE(fs.FileExists("C:\\Keep\\b.tmp"));
}

TEST_F(FakeShellTest, NamesTypesByExtensionAndReadsKnownShortcuts) {
    shell.SetTypeName("TXT", "Text Document");
    EXPECT_EQ(shell.FileTypeName("notes.Txt"), "Text Document");
    EXPECT_EQ(shell.FileTypeName("C:\\dir.txt\\noext"), "");
    EXPECT_EQ(shell.FileTypeName("a.doc"), "");

    shell.AddShortcut("C:\\Links\\Tool.lnk", "C:\\Tools\\tool.exe");
    shell.AddBrokenShortcut("C:\\Links\\Bad.lnk");
    const ShortcutInfo tool = shell.ReadShortcut("c:\\links\\tool.LNK");
    EXPECT_TRUE(tool.loaded);
    EXPECT_EQ(tool.target, "C:\\Tools\\tool.exe");
    EXPECT_FALSE(shell.ReadShortcut("C:\\Links\\Bad.lnk").loaded);

    fs.Erase("C:\\Links\\Tool.lnk");
    EXPECT_FALSE(shell.ReadShortcut("C:\\Links\\Tool.lnk").loaded);
}

TEST(FakeSettingsStoreFiles, MatchNamesWithoutCaseAndKeepFileOrder) {
    FakeSettingsStore store;
    const std::string path = "C:\\app.ini";
    store.SetFileText(path, "; comment\r\n[One]\r\n a = 1 \r\n\r\n[Two]\r\nb=2\r\n");

    EXPECT_EQ(store.ReadString("c:\\APP.INI", "one", "A", "?"), "1");
    store.WriteString(path, "ONE", "c", "3");
    store.WriteString(path, "one", "A", "10");
    store.WriteString(path, "Three", "d", "4");
    EXPECT_EQ(store.FileText(path), "[One]\na=10\nc=3\n\n[Two]\nb=2\n\n[Three]\nd=4\n");
    EXPECT_THAT(store.ReadKeys(path, "one"), ElementsAre("a", "c"));

    store.EraseSection(path, "two");
    EXPECT_EQ(store.ReadString(path, "Two", "b", "gone"), "gone");
    EXPECT_THAT(store.ReadKeys(path, "Two"), IsEmpty());
}

TEST(FakeSettingsStoreFiles, TurnReadOnlyAfterTheGivenWrites) {
    FakeSettingsStore store;
    store.SetReadOnlyAfter("x.ini", 1);
    store.WriteString("x.ini", "S", "a", "1");
    EXPECT_THROW(store.WriteString("x.ini", "S", "b", "2"), SettingsWriteError);
    EXPECT_THROW(store.WriteString("x.ini", "S", "c", "3"), SettingsWriteError);
    store.SetReadOnly("x.ini", false);
    store.WriteString("x.ini", "S", "d", "4");
    EXPECT_EQ(store.FileText("x.ini"), "[S]\na=1\nd=4\n");
}

TEST(FakeLocaleDates, ConvertFileTimesToCalendarFields) {
    FakeLocale locale;
    EXPECT_EQ(locale.FromFileTime(0), (DateTime{1601, 1, 1, 0, 0, 0}));
    // 1 January 2000 is 125911584000000000 ticks after 1601.
    EXPECT_EQ(locale.FromFileTime(125911584000000000ULL), (DateTime{2000, 1, 1, 0, 0, 0}));
    EXPECT_EQ(locale.FromFileTime(125911584000000000ULL + 59 * 86400 * fake::kTicksPerSecond +
                                  (13 * 3600 + 5 * 60 + 9) * fake::kTicksPerSecond),
              (DateTime{2000, 2, 29, 13, 5, 9}));
    EXPECT_EQ(locale.FromFileTime(1ULL << 63), std::nullopt);

    for (const DateTime& moment :
         {DateTime{1601, 1, 1, 0, 0, 1}, DateTime{1900, 3, 1, 0, 0, 0},
          DateTime{2024, 12, 31, 23, 59, 59}, DateTime{30828, 9, 14, 2, 48, 5}}) {
        EXPECT_EQ(locale.FromFileTime(fake::FileTimeOf(moment).ticks), moment);
    }
}

TEST(FakeLocaleDates, FormatAndParseDayMonthYear) {
    FakeLocale locale;
    EXPECT_EQ(locale.FormatDateTime({2024, 3, 5, 14, 7, 9}), "05/03/2024 14:07:09");
    EXPECT_EQ(locale.FormatDateTime({2024, 3, 5, 0, 0, 0}), "05/03/2024");

    EXPECT_EQ(locale.ParseDateTime("05/03/2024 14:07:09"), (DateTime{2024, 3, 5, 14, 7, 9}));
    EXPECT_EQ(locale.ParseDateTime(" 5/3/2024 "), (DateTime{2024, 3, 5, 0, 0, 0}));
    EXPECT_EQ(locale.ParseDateTime("29/02/2024 8:30"), (DateTime{2024, 2, 29, 8, 30, 0}));
    for (const char* bad : {"", "29/02/2023", "31/04/2024", "05/13/2024", "05/03/24",
                            "05/03/2024 24:00", "05/03/2024 10", "05/03/2024x", "5-3-2024"}) {
        EXPECT_EQ(locale.ParseDateTime(bad), std::nullopt) << bad;
    }
}

TEST(FakeLocaleText, ComparesAndFoldsOnlyAsciiCase) {
    FakeLocale locale;
    EXPECT_EQ(locale.CompareText("abc", "ABC"), 0);
    EXPECT_LT(locale.CompareText("Apple", "banana"), 0);
    EXPECT_GT(locale.CompareText("b", "A"), 0);
    EXPECT_EQ(locale.Upper("straße é"), "STRAßE é");
}

TEST(FakeClockTime, MovesOnlyWhenTold) {
    FakeClock clock;
    clock.SetNow({2024, 12, 31, 23, 59, 59});
    clock.Advance(2500);
    EXPECT_EQ(clock.Milliseconds(), 2500U);
    EXPECT_EQ(clock.Now(), (DateTime{2025, 1, 1, 0, 0, 1}));

    clock.SetAutoAdvance(10);
    EXPECT_EQ(clock.Milliseconds(), 2500U);
    EXPECT_EQ(clock.Milliseconds(), 2510U);
}

TEST(FakeTimers, TickWhenFiredAndStopWhenTheTimerGoes) {
    FakeTimerService timers;
    int ticks = 0;
    auto timer = timers.Start(250, [&] { ++ticks; });
    std::unique_ptr<ITimer> second;
    second = timers.Start(1000, [&] { second.reset(); });  // stops itself

    timers.FireAll();
    timers.FireAll();
    EXPECT_EQ(ticks, 2);
    EXPECT_EQ(timers.Period(0), 250U);
    EXPECT_FALSE(timers.IsRunning(1));

    timer.reset();
    EXPECT_FALSE(timers.Fire(0));
    EXPECT_EQ(ticks, 2);
    EXPECT_EQ(timers.RunningCount(), 0U);
}

TEST(FakeUserInteraction, AnswersFromTheScriptThenTheDefault) {
    ScriptedPrompts prompts;
    prompts.QueueAnswers({true, false});
    EXPECT_TRUE(prompts.Confirm("Delete 3 files?"));
    prompts.Notice("Done");
    EXPECT_FALSE(prompts.Confirm("Really?"));
    EXPECT_FALSE(prompts.Confirm("Again?"));
    prompts.SetDefaultAnswer(true);
    EXPECT_TRUE(prompts.Confirm("Once more?"));
    prompts.Error("Oops");

    EXPECT_THAT(prompts.Texts(),
                ElementsAre("Delete 3 files?", "Done", "Really?", "Again?", "Once more?", "Oops"));
    EXPECT_THAT(prompts.Errors(), ElementsAre("Oops"));
    EXPECT_EQ(prompts.PendingAnswers(), 0U);
}

TEST(FakeUserInteraction, PumpRunsItsActionWithTheCallNumber) {
    FakeEventPump pump;
    std::vector<std::size_t> seen;
    pump.SetOnProcess([&](std::size_t call) { seen.push_back(call); });
    pump.ProcessPending();
    pump.ProcessPending();
    EXPECT_EQ(pump.Calls(), 2U);
    EXPECT_THAT(seen, ElementsAre(1U, 2U));
}

TEST(FakeRegistryKeys, OpenOnlyExistingKeys) {
    FakeRegistry registry;
    registry.SetValue("Software\\Run", "Sorvane", "C:\\s.exe");
    EXPECT_EQ(registry.ReadString("software\\RUN", "sorvane"), "C:\\s.exe");
    EXPECT_FALSE(registry.WriteString("Software\\Missing", "x", "1"));
    EXPECT_TRUE(registry.DeleteValue("Software\\Run", "Sorvane"));
    EXPECT_FALSE(registry.DeleteValue("Software\\Run", "Sorvane"));
    registry.SetFailing(true);
    EXPECT_FALSE(registry.KeyExists("Software\\Run"));
    EXPECT_FALSE(registry.WriteString("Software\\Run", "x", "1"));
}

}  // namespace
}  // namespace sorvane
