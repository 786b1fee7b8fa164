// Clean Directories: what a clean takes and never takes, the stored targets, the schedule.
#include "TestSupport.h"
#include "core/dirclean/DirectoryCleaning.h"
#include "core/dirclean/Schedule.h"
#include "core/dirclean/TargetProfiles.h"

namespace sorvane {
namespace {

constexpr char kIni[] = "C:\\Tools\\guest.INI";

TEST(TargetMasks, ExtensionsAgainstTheMasksOfATarget) {
    FakeLocale locale;
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"*.tmp", "a.tmp", true},      {"*.tmp", "B.TMP", true},   {"*.tmp", "tmp", false},
        {"*.tmp", "a.tmp.bak", false}, {"*.tmp", "a.tmpx", false}, {"*.t?p", "a.tmp", true},
        {"*.t?p", "b.top", true},      {"*.t?p", "c.tmpx", true},  {"*.t?p", "d.tops", true},
        {"*.t?p", "e.tp", false},      {"*.t?p", "f.txt", false},  {"*.t?p", "noext", false},
        {"*.t*", "a.tmp", false},      {"*.t*", "a.t", false},     {"*", "noext", true},
        {"*", "a.tmp", false},         {"a*.tmp", "a.tmp", false}};
    for (const auto& [mask, name, matches] : cases) {
        const std::string n = name;
        const auto dot = n.find_last_of('.');
        const std::string extension = dot == std::string::npos ? "" : n.substr(dot);
        EXPECT_EQ(MatchesMask(extension, mask, locale), matches) << mask << " " << name;
    }
    EXPECT_TRUE(WildcardMatch("abcabd", "*ab?"));
    EXPECT_FALSE(WildcardMatch("abc", "abc**"));  // only a last single star takes the rest
    EXPECT_TRUE(WildcardMatch(std::string(300, 'a') + "b", std::string(255, 'a')));
}

class DirectoryCleaningTest : public ::testing::Test {
  protected:
    DirectoryCleaningTest() {
        fake.clock.SetAutoAdvance(5);
        for (const char* file : {"C:\\Temp\\a.tmp", "C:\\Temp\\B.TMP", "C:\\Temp\\keep.txt",
                                 "C:\\Temp\\sub\\c.tmp", "C:\\Temp\\sub\\deeper\\d.log"})
            fake.fs.AddFile(file, 100);
        fake.fs.AddDir("C:\\Temp\\empty");
        fake.fs.AddFile("C:\\Users\\me\\Documents\\thesis.doc", 5000);
        fake.fs.AddDir("C:\\Temp\\docs", {.attributes = attr::kReparsePoint});
        fake.fs.AddFile("C:\\Temp\\docs\\thesis.doc", 5000);  // what the link shows
    }
    CleanReport Clean(const TargetOptions& options, bool unattended = false) {
        CleanReport report;
        InPass([&] { report = cleaning.CleanTarget("C:\\Temp", options, unattended); });
        return report;
    }
    void InPass(const std::function<void()>& work) {
        view.runner.Run(PassRunner::Kind::kStoppable, work);
    }
    std::vector<std::string> Left() {
        std::vector<std::string> left;
        for (const char* file :
             {"C:\\Temp\\a.tmp", "C:\\Temp\\B.TMP", "C:\\Temp\\keep.txt", "C:\\Temp\\sub\\c.tmp",
              "C:\\Temp\\sub\\deeper\\d.log", "C:\\Temp\\docs\\thesis.doc"}) {
            if (fake.fs.Contains(file)) left.push_back(file);
        }
        return left;
    }

    FakePlatform fake;
    test::RecordingView view;
    DirectoryCleaning cleaning{fake.platform(), view.runner, fake.history};
};

TEST_F(DirectoryCleaningTest, PermanentCleansTakeFilesOnlyAndNeverGoThroughALink) {
    constexpr std::uint32_t kGuarded = attr::kReadOnly | attr::kHidden | attr::kSystem;
    fake.fs.SetAttributes("C:\\Temp\\a.tmp", kGuarded);
    fake.fs.SetAttributes("C:\\Temp\\B.TMP", kGuarded);
    fake.fs.DenyRemoval("C:\\Temp\\B.TMP");  // held open: it stays as it was
    EXPECT_EQ(Clean({.useRecycle = false, .includeSubdirs = false}).deleted, 2u);
    EXPECT_THAT(Left(), ElementsAre("C:\\Temp\\B.TMP", "C:\\Temp\\sub\\c.tmp",
                                    "C:\\Temp\\sub\\deeper\\d.log", "C:\\Temp\\docs\\thesis.doc"));
    EXPECT_EQ(fake.fs.Attributes("C:\\Temp\\B.TMP"), kGuarded);
    fake.fs.DenyRemoval("C:\\Temp\\B.TMP", false);
    fake.pump.SetOnProcess([&](std::size_t) { view.runner.Stop(); });
    EXPECT_TRUE(Clean({.useRecycle = false}).stopped);
    EXPECT_TRUE(fake.fs.Contains("C:\\Temp\\sub\\c.tmp"));
    fake.pump.SetOnProcess({});
    Clean({.useRecycle = false});
    EXPECT_THAT(Left(), ElementsAre("C:\\Temp\\docs\\thesis.doc"));
    for (const char* dir : {"C:\\Temp", "C:\\Temp\\empty", "C:\\Temp\\sub\\deeper"})
        EXPECT_TRUE(fake.fs.DirExists(dir)) << dir;
    EXPECT_THAT(fake.shell.RecycleRequests(), IsEmpty());
}

TEST_F(DirectoryCleaningTest, ARecycledTargetIsOneRequestEachFileOnceAndNothingWhenStopped) {
    const TargetOptions masks{.deleteAll = false, .masks = {"*.tmp", "*.t?p", "*.t*"}};
    // Stopped after a.tmp and B.TMP were gathered: they stay too.
    fake.clock.SetAutoAdvance(20);
    fake.pump.SetOnProcess([&](std::size_t call) {
        if (call >= 5) view.runner.Stop();
    });
    EXPECT_TRUE(Clean(masks).stopped);
    EXPECT_THAT(fake.shell.RecycleRequests(), IsEmpty());
    fake.pump.SetOnProcess({});
    EXPECT_EQ(Clean(masks).recycled, 3u);
    EXPECT_THAT(
        fake.shell.RecycleRequests(),
        ElementsAre(ElementsAre("C:\\Temp\\a.tmp", "C:\\Temp\\B.TMP", "C:\\Temp\\sub\\c.tmp")));

    // Nobody watching and no recycle bin: the files stay rather than go for good.
    fake.shell.SetRecycleBin("C:\\", false);
    const CleanReport report = Clean({}, true);
    EXPECT_EQ(report.keptWithoutBin, 2u);
    EXPECT_EQ(report.recycled, 0u);
    EXPECT_EQ(Left().size(), 3u);
}

TEST_F(DirectoryCleaningTest, AFileTheShellCannotTakeEndsNoMoreThanItself) {
    fake.fs.Lock("C:\\Temp\\B.TMP");  // the shell's request stops there, and its retry too
    fake.fs.Lock("C:\\Temp\\sub\\c.tmp");
    const CleanReport report = Clean({.deleteAll = false, .masks = {"*.tmp"}});
    EXPECT_EQ(std::tuple(report.recycled, report.notRecycled), std::tuple(1u, 2u));
    EXPECT_THAT(fake.shell.Bin(), ElementsAre("C:\\Temp\\a.tmp"));
    EXPECT_EQ(CleanNote(report), "2 files could not be recycled and stay.");
}

TEST_F(DirectoryCleaningTest, StatisticsCountTheWholeTreeIn64BitsButNoLinkedTree) {
    fake.fs.AddFile("C:\\Temp\\sub\\big.iso", 5'000'000'000ull);  // one file above 4 GiB
    fake.fs.AddFile("C:\\Temp\\big2.iso", 2'000'000'000ull);
    DirectoryStats stats, gone;
    InPass([&] {
        stats = cleaning.GatherStats("C:\\Temp");
        gone = cleaning.GatherStats("C:\\Gone");
    });
    EXPECT_EQ(stats.subdirectories, 3u);
    EXPECT_EQ(stats.files, 7u);
    EXPECT_EQ(stats.bytes, 7'000'000'500ull);
    EXPECT_EQ(SizeText(stats.bytes), "6835937 Kb");
    EXPECT_EQ(gone.files, 0u);
}

TEST_F(DirectoryCleaningTest, CleanAllReadsEachTargetsStoredOptionsAndSkipsVanishedOnes) {
    Settings settings(fake.settings, kIni);
    AddTargetToSettings(settings, {"Gone", "C:\\Gone"}, false);
    AddTargetToSettings(settings, {"Temp", "C:\\Temp"}, true);
    SaveTargetOptions(
        settings, "C:\\Temp",
        {.useRecycle = false, .deleteAll = false, .maskMode = true, .masks = {"*.log"}});
    std::vector<std::string> told;
    CleanReport report;
    InPass([&] {
        report = cleaning.CleanAll(settings, LoadTargets(settings), true,
                                   [&](const Target& t) { told.push_back(t.name); });
    });
    EXPECT_THAT(told, ElementsAre("Gone", "Temp"));
    EXPECT_EQ(report.deleted, 1u);
    EXPECT_FALSE(fake.fs.Contains("C:\\Temp\\sub\\deeper\\d.log"));
}

TEST(TargetProfiles, StoredAsTheSettingsFileKeepsThemAndReadBack) {
    FakeSettingsStore store;
    Settings settings(store, kIni);
    AddTargetToSettings(settings, {"Bin", "D:\\RECYCLED"}, false);
    AddTargetToSettings(settings, {"Temp", "C:\\Temp"}, false);
    // A target stored before the age limit existed takes files of any age.
    EXPECT_FALSE(ReadTargetOptions(settings, "C:\\Temp").age.Active());
    SaveTargetOptions(settings, "C:\\Temp", {.age = {2, true}});
    EXPECT_EQ(ReadTargetOptions(settings, "C:\\Temp").age, (AgeLimit{2, true}));
    // Masks are not taken while "Delete All Files" is chosen.
    SaveTargetOptions(settings, "C:\\Temp", {.deleteAll = true, .maskMode = false});
    EXPECT_THAT(ReadTargetOptions(settings, "C:\\Temp").masks, IsEmpty());
    RemoveTargetFromSettings(settings, "D:\\RECYCLED", {"C:\\Temp"});
    const auto targets = LoadTargets(settings);
    ASSERT_EQ(targets.size(), 1u);
    EXPECT_EQ(targets[0].path, "C:\\Temp");
}

TEST(TargetProfiles, FoldersTheSystemNeedsAreNamedBeforeTheyBecomeTargets) {
    const std::vector<std::string> system = {"C:\\Windows", "C:\\Program Files", "C:\\Users\\me"};
    const std::tuple<const char*, std::uint32_t, std::optional<std::string>> cases[] = {
        {"C:\\WINDOWS", 0, "C:\\Windows"},
        {"C:\\Users", 0, "C:\\Users\\me"},
        {"C:\\Users\\me", 0, "C:\\Users\\me"},
        {"C:\\Users\\me\\AppData\\Local\\Temp", 0, std::nullopt},
        {"C:\\Windows\\Temp", 0, std::nullopt},
        {"C:\\Program", 0, std::nullopt},
        {"D:\\System Volume Information", attr::kSystem | attr::kHidden,
         "D:\\System Volume Information"},
        {"D:\\Cache\\Sys", attr::kSystem, std::nullopt}};
    for (const auto& [target, attributes, risk] : cases)
        EXPECT_EQ(FolderAtRisk(target, attributes, system), risk) << target;
}

TEST(Schedule, PeriodsFromTheSliders) {
    EXPECT_EQ(ScheduleInterval(60, 24), 90'000'000u);
    EXPECT_EQ(ScheduleInterval(99, 99), 90'000'000u);
    FakeTimerService timers;
    int cleans = 0;
    CleanSchedule schedule(timers, [&] { ++cleans; });
    schedule.Apply({.periodic = true, .minutes = 30, .hours = 1});
    timers.Advance(5'399'999);
    EXPECT_EQ(cleans, 0);
    timers.Advance(1);
    EXPECT_EQ(cleans, 1);
    schedule.Apply({.periodic = true, .minutes = 0, .hours = 0});  // keeps the old period
    EXPECT_THAT(timers.Running(), ElementsAre(5'400'000u));
    schedule.Apply({.periodic = true, .minutes = 20});
    EXPECT_THAT(timers.Running(), ElementsAre(1'200'000u));
    schedule.Apply({.periodic = false, .minutes = 20});
    EXPECT_THAT(timers.Running(), IsEmpty());
}

}  // namespace
}  // namespace sorvane
