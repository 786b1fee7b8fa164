// The Clean Drive(s) scan on the fake platform: the records, the criteria and their
// combinations, the directory preparation, Stop, and disks that misbehave.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "FakeCalendar.h"
#include "FakePlatform.h"
#include "ResultTestSupport.h"
#include "core/driveclean/DriveScan.h"
#include "core/utils/AllUtils.h"

namespace sorvane {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

// Forwards to the fake disk, counting the listings per pattern.
class CountingFileSystem final : public IFileSystem {
  public:
    explicit CountingFileSystem(IFileSystem& inner) : inner_(inner) {}
    std::map<std::string, int> listed;

    std::unique_ptr<IFindHandle> FindFirst(const std::string& pattern, FindData& first) override {
        ++listed[pattern];
        return inner_.FindFirst(pattern, first);
    }
    std::optional<std::uint32_t> Attributes(const std::string& p) override {
        return inner_.Attributes(p);
    }
    bool SetAttributes(const std::string& p, std::uint32_t a) override {
        return inner_.SetAttributes(p, a);
    }
    bool RemoveFile(const std::string& p) override { return inner_.RemoveFile(p); }
    bool RemoveDir(const std::string& p) override { return inner_.RemoveDir(p); }
    bool MakeDir(const std::string& p) override { return inner_.MakeDir(p); }
    std::unique_ptr<IFileReader> OpenRead(const std::string& p) override {
        return inner_.OpenRead(p);
    }
    bool WriteFile(const std::string& p, const std::string& b, std::string& e) override {
        return inner_.WriteFile(p, b, e);
    }
    std::string FullPath(const std::string& p) override { return inner_.FullPath(p); }
    std::optional<FileTime> ToLocalTime(FileTime utc) override { return inner_.ToLocalTime(utc); }

  private:
    IFileSystem& inner_;
};

FakeEntryOptions Dated(DateTime written, DateTime accessed = {2024, 6, 1, 12, 0, 0},
                       std::uint32_t attributes = attr::kArchive) {
    return {.attributes = attributes,
            .accessed = fake::FileTimeOf(accessed),
            .written = fake::FileTimeOf(written)};
}

class DriveScanTest : public ::testing::Test {
  protected:
    DriveScanTest() {
        fake.fs.AddDir("C:\\data");
        criteria.locations = {"C:\\data"};
        fake.clock.SetAutoAdvance(30);  // every entry ends a time slice
    }

    DriveScanResult Scan() { return DriveScan(platform, runner, liveLimits).Run(criteria, table); }
    std::vector<std::string> Column(std::size_t column) const {
        std::vector<std::string> cells;
        for (std::size_t row = 1; row < table.RowCount(); ++row) {
            cells.push_back(table.Cell(row, column));
        }
        return cells;
    }
    std::vector<std::string> Names() const { return Column(0); }
    std::vector<std::string> Row(std::size_t row) const {
        std::vector<std::string> cells;
        for (std::size_t c = 0; c < 7; ++c) cells.push_back(table.Cell(row, c));
        return cells;
    }
    // Files named by the names, of `size` bytes, dated in 2024.
    void AddFiles(std::initializer_list<const char*> names, std::uint64_t size = 1) {
        for (const char* name : names) {
            fake.fs.AddFile(std::string("C:\\data\\") + name, size, Dated({2024, 5, 1}));
        }
    }

    FakePlatform fake;
    CountingFileSystem fs{fake.fs};
    Platform platform{
        fs,          fake.drives, fake.shell,  fake.system,  fake.registry, fake.settings,
        fake.locale, fake.clock,  fake.timers, fake.prompts, fake.pump};
    DriveScanCriteria criteria;
    ResultTable table = test::CleanDriveTable();
    std::vector<std::string> captions;
    std::vector<std::string> statuses;
    // The window as the scan sees it; tests put their own reactions in place.
    struct HookView final : IPassView {
        std::function<void(const std::string&)> status, caption;
        void SetStatus(const std::string& s) override { status(s); }
        void SetCaption(const std::string& c) override { caption(c); }
        void SetBusy(bool, bool) override {}
    };
    HookView hooks = [this] {
        HookView view;
        view.status = [this](const std::string& s) { statuses.push_back(s); };
        view.caption = [this](const std::string& c) { captions.push_back(c); };
        return view;
    }();
    PassGate gate;
    PassRunner runner{gate, hooks};
    LiveLimits liveLimits;
};

TEST_F(DriveScanTest, RecordsHoldTheSevenFieldsSortedByName) {
    fake.shell.SetTypeName(".txt", "Text Document");
    fake.shell.SetTypeName(".log", "Log File");
    fake.fs.AddFile("C:\\data\\c.log", 1, Dated({2024, 3, 1}, {2024, 3, 1}));  // after b.TXT
    fake.fs.AddFile("C:\\data\\b.TXT", 3'000'000'000,
                    Dated({2024, 3, 1, 10, 0, 5}, {2024, 3, 2}, attr::kArchive | attr::kHidden));
    fake.fs.AddFile("C:\\data\\sub\\a.txt", 7, Dated({2024, 3, 1}, {2024, 3, 1}, attr::kReadOnly));
    fake.fs.AddFile("C:\\data\\C", 0, {.attributes = 0});  // no times at all
    fake.fs.AddFile("C:\\data\\a", 1, Dated({2024, 3, 1}, {2024, 3, 1}, attr::kSystem));

    const DriveScanResult result = Scan();

    EXPECT_EQ(result.outcome, DriveScanOutcome::kFound);
    EXPECT_EQ(StatusTextOf(result), "5 files were found");
    EXPECT_THAT(captions,
                ElementsAre("Sorvane v2.03 - Preparing the directory list",
                            "Sorvane v2.03 - Scanning Files", "Sorvane v2.03 - Clean Drive(s)"));
    EXPECT_THAT(Names(), ElementsAre("a", "a.txt", "b.TXT", "C", "c.log"));
    // Each row keeps its own extension's type, however the extensions came in.
    EXPECT_THAT(Column(6), ElementsAre("", "Text Document", "Text Document", "", "Log File"));
    EXPECT_THAT(Row(2), ElementsAre("a.txt", "7", "01/03/2024", "01/03/2024", "C:\\data\\sub\\",
                                    "AR", "Text Document"));
    EXPECT_THAT(Row(3), ElementsAre("b.TXT", "3000000000", "01/03/2024 10:00:05", "02/03/2024",
                                    "C:\\data\\", "ARH", "Text Document"));
    EXPECT_THAT(Row(4), ElementsAre("C", "0", "Unknown", "Unknown", "C:\\data\\", "None", ""));
    EXPECT_EQ(table.Cell(1, 5), "ARHS");
    EXPECT_THAT(statuses, testing::Contains("C:\\data\\sub\\a.txt"));
}

TEST_F(DriveScanTest, SameNamesOrderByTheRestOfTheRecordAndTypeNamesAreAskedOncePerExtension) {
    fake.shell.SetTypeName(".log", "Log");
    for (const char* dir : {"C:\\data\\b\\", "C:\\data\\a\\", "C:\\data\\"}) {
        const std::string d = dir;
        fake.fs.AddFile(d + "x.log", d == "C:\\data\\b\\" ? 10 : 2, Dated({2024, 1, 1}));
        fake.fs.AddFile(d + "y.LOG", 1, Dated({2024, 1, 1}));
    }
    // The record text puts the quote after a name, so "x.log!" comes before "x.log".
    fake.fs.AddFile("C:\\data\\x.log!", 9, Dated({2024, 1, 1}));
    for (int row = 0; row < 9; ++row) table.AppendRow(test::FileRow("C:\\old\\", "old.txt"));
    table.SelectRow(7);

    Scan();

    EXPECT_THAT(Names(),
                ElementsAre("x.log!", "x.log", "x.log", "x.log", "y.LOG", "y.LOG", "y.LOG"));
    // Then by size as text ("10" before "2"), then by path.
    EXPECT_EQ(table.Cell(2, 4), "C:\\data\\b\\");
    EXPECT_EQ(table.Cell(3, 4), "C:\\data\\");
    EXPECT_EQ(table.Cell(4, 4), "C:\\data\\a\\");
    EXPECT_EQ(table.SelectedRow(), 7u);  // the row number stays, whatever file is there now
    EXPECT_EQ(fake.shell.TypeNameQueries(), 2u);  // ".log" and ".log!"
    EXPECT_EQ(table.Cell(7, 6), "Log");
}

// Eight files cover every truth of the three tests: the name says which hold.
TEST_F(DriveScanTest, EveryModeCombinesItsTestsWithAndOrOr) {
    for (int m = 0; m < 2; ++m) {
        for (int s = 0; s < 2; ++s) {
            for (int d = 0; d < 2; ++d) {
                const std::string name = "f" + std::to_string(m * 100 + s * 10 + d);
                fake.fs.AddFile("C:\\data\\" + name + (m ? ".tmp" : ".dat"), s ? 5000 : 10,
                                Dated(d ? DateTime{2020, 1, 1} : DateTime{2025, 1, 1}));
            }
        }
    }
    criteria.masks = {{"*.tmp", true}, {"*.old", false}};
    criteria.biggerOn = true;
    criteria.biggerKBytes = 5;
    criteria.accessedOn = false;
    criteria.modifiedBefore = "01/01/2023";

    for (int active = 0; active < 8; ++active) {
        for (const bool collective : {true, false}) {
            criteria.maskGroup = active & 4;
            criteria.sizeGroup = active & 2;
            criteria.dateGroup = active & 1;
            criteria.collective = collective;
            std::vector<std::string> expected;
            for (const int f : {0, 1, 10, 11, 100, 101, 110, 111}) {
                const bool tests[] = {f >= 100, f % 100 >= 10, f % 10 == 1};
                bool all = true;
                bool any = false;
                for (int t = 0; t < 3; ++t) {
                    if (!(active & (4 >> t))) continue;
                    all = all && tests[t];
                    any = any || tests[t];
                }
                const bool kept = active == 0 || (collective ? all : any);
                if (kept)
                    expected.push_back("f" + std::to_string(f) + (f >= 100 ? ".tmp" : ".dat"));
            }
            std::sort(expected.begin(), expected.end());
            table.Clear();
            const auto result = Scan();
            SCOPED_TRACE(testing::Message() << "criteria " << active << " and " << collective);
            EXPECT_EQ(result.count, expected.size());
            if (!expected.empty()) {
                EXPECT_EQ(Names(), expected);
            }
        }
    }
}

TEST_F(DriveScanTest, MasksMatchWholeExtensionsOnly) {
    AddFiles({"A.TMP", "b.tmp", "README", "x.txt", "a1.log", "q.tap", "z.tmp.bak", "n.tmpx"});
    criteria.masks = {{"*.tmp", true},  {"*", true},   {"*.TXT", true},
                      {"a*.log", true}, {"*.*", true}, {"*.t?p", true}};
    Scan();
    EXPECT_THAT(Names(), ElementsAre("A.TMP", "b.tmp", "README"));

    // Masks listed but none checked: the criterion is on and matches nothing.
    for (ScanMask& mask : criteria.masks) mask.checked = false;
    const auto result = Scan();
    EXPECT_EQ(StatusTextOf(result), "No files were found");
    EXPECT_THAT(Names(), ElementsAre("A.TMP", "b.tmp", "README"));  // the table is unchanged
}

TEST_F(DriveScanTest, SizesAreKBytesOfAThousandWithEitherOrBothBoxes) {
    for (const std::uint64_t size : {0ull, 999ull, 1000ull, 5000ull, 5001ull, 4'000'000'000ull}) {
        fake.fs.AddFile("C:\\data\\" + std::to_string(size), size);
    }
    criteria.sizeGroup = true;
    const auto scan = [&](bool biggerOn, std::int64_t bigger, bool smallerOn,
                          std::int64_t smaller) {
        criteria.biggerOn = biggerOn;
        criteria.biggerKBytes = bigger;
        criteria.smallerOn = smallerOn;
        criteria.smallerKBytes = smaller;
        table.Clear();
        return Scan().count == 0 ? std::vector<std::string>{} : Names();
    };
    EXPECT_THAT(scan(false, 1000, true, 0), ElementsAre("0"));
    EXPECT_THAT(scan(true, 1, true, 5), ElementsAre("1000", "5000"));
    EXPECT_THAT(scan(true, 5, false, 0), ElementsAre("4000000000", "5000", "5001"));
    EXPECT_THAT(scan(true, 6, true, 5), IsEmpty());
    EXPECT_THAT(scan(false, 1, false, 5), IsEmpty());
}

TEST_F(DriveScanTest, DateLimitsAreStrictAndUnknownTimesCountAsEarliest) {
    fake.fs.AddFile("C:\\data\\onLimit", 1, Dated({2024, 3, 10}, {2024, 3, 1}));
    fake.fs.AddFile("C:\\data\\dayBefore", 1, Dated({2024, 3, 9, 23, 59, 59}, {2024, 3, 1}));
    fake.fs.AddFile("C:\\data\\noAccess", 1,
                    {.attributes = attr::kArchive, .written = fake::FileTimeOf({2024, 1, 1})});
    fake.fs.AddFile("C:\\data\\noTimes", 1, {});
    fake.fs.AddFile("C:\\data\\before1980", 1, Dated({1979, 12, 31}, {1979, 12, 31}));
    criteria.dateGroup = true;
    criteria.accessedOn = false;
    criteria.modifiedBefore = "10/03/2024";
    Scan();
    EXPECT_THAT(Names(), ElementsAre("dayBefore", "noAccess"));

    criteria.accessedOn = true;
    criteria.accessedBefore = "1/1/2024";
    Scan();
    EXPECT_THAT(Names(), ElementsAre("noAccess"));
    EXPECT_THAT(Row(1),
                ElementsAre("noAccess", "1", "01/01/2024", "Unknown", "C:\\data\\", "A", ""));

    criteria.accessedBefore = "not a date";
    EXPECT_EQ(Scan().outcome, DriveScanOutcome::kNothingFound);
}

TEST_F(DriveScanTest, HiddenAndSystemNarrowTheListingButArchiveAndReadOnlyDoNot) {
    fake.fs.AddDir("C:\\data\\secret", {.attributes = attr::kHidden});
    fake.fs.AddFile("C:\\data\\secret\\inside.txt", 1, {.attributes = 0});
    fake.fs.AddFile("C:\\data\\secret\\shy.txt", 1, {.attributes = attr::kHidden});
    fake.fs.AddFile("C:\\data\\hidden.txt", 1, {.attributes = attr::kHidden | attr::kArchive});
    fake.fs.AddFile("C:\\data\\system.txt", 1, {.attributes = attr::kSystem});
    fake.fs.AddFile("C:\\data\\ro.txt", 1, {.attributes = attr::kReadOnly});
    criteria.attributeGroup = true;  // Archive Files only
    Scan();
    EXPECT_THAT(Names(), ElementsAre("inside.txt", "ro.txt"));

    criteria.hidden = true;
    Scan();
    EXPECT_THAT(Names(), ElementsAre("hidden.txt", "inside.txt", "ro.txt", "shy.txt"));
    criteria.attributeGroup = false;
    Scan();
    EXPECT_THAT(Names(),
                ElementsAre("hidden.txt", "inside.txt", "ro.txt", "shy.txt", "system.txt"));
}

TEST_F(DriveScanTest, JunctionsAreNotFollowedUnlessChosenThemselves) {
    // A link back to its own parent would make the walk endless; one elsewhere would offer
    // files outside the chosen locations for removal.
    fake.fs.AddDir("C:\\data\\loop", {.attributes = attr::kReparsePoint});
    fake.fs.AddFile("C:\\data\\loop\\again.txt");
    fake.fs.AddDir("C:\\data\\only", {});
    fake.fs.AddDir("C:\\data\\only\\link", {.attributes = attr::kReparsePoint});
    fake.fs.AddFile("C:\\data\\own.txt");
    criteria.emptyDirectoryCheck = true;
    Scan();
    EXPECT_THAT(Names(), ElementsAre("own.txt"));
    EXPECT_THAT(fake.prompts.Questions(), IsEmpty());  // the link counts as an entry

    criteria.locations = {"C:\\data\\loop"};
    Scan();
    EXPECT_THAT(Names(), ElementsAre("again.txt"));
}

TEST_F(DriveScanTest, LocationsAreFullPathsAndEachDirectoryIsScannedOnce) {
    fake.fs.AddFile("C:\\top.txt");
    fake.fs.AddFile("C:\\data\\sub\\deep.txt");
    fake.fs.AddFile("C:\\Program Files\\app.txt");
    fake.fs.AddAlias("C:\\PROGRA~1", "C:\\Program Files");
    const struct {
        std::vector<std::string> locations;
        bool subdirectories;
        std::vector<std::string> found;  // path and name; none: the user is told
    } cases[] = {{{"C:", "C:\\data", "c:\\DATA\\sub"},
                  true,
                  {"C:\\Program Files\\app.txt", "C:\\data\\sub\\deep.txt", "C:\\top.txt"}},
                 {{"C:\\data", "C:\\data\\sub"}, false, {"C:\\data\\sub\\deep.txt"}},
                 {{"C:\\data\\sub", "c:\\DATA\\SUB\\", "C:\\x\\..\\data\\.\\sub", "C:/data/sub"},
                  false,
                  {"C:\\data\\sub\\deep.txt"}},
                 {{"C:\\PROGRA~1", "C:\\Program Files\\"}, true, {"C:\\Program Files\\app.txt"}},
                 // Relative ones would become the root of the current drive.
                 {{"", "data", "..\\data", "\\data", "C:data", "C:\\data\\sub"},
                  false,
                  {"C:\\data\\sub\\deep.txt"}},
                 {{"", "sub"}, true, {}},
                 {{}, true, {}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locations.empty() ? "none" : c.locations.front());
        criteria.locations = c.locations;
        criteria.subdirectories = c.subdirectories;
        fs.listed.clear();
        table.Clear();
        const std::size_t notices = fake.prompts.Notices().size();
        const DriveScanResult result = Scan();
        std::vector<std::string> found;
        for (std::size_t row = 1; row < table.RowCount() && !table.Empty(); ++row) {
            found.push_back(table.FullPath(row));
        }
        EXPECT_EQ(found, c.found);
        for (const auto& [pattern, times] : fs.listed) {
            EXPECT_TRUE(IsFullPath(pattern)) << pattern;
            if (!c.subdirectories) {
                EXPECT_EQ(times, 1) << pattern;
            }
        }
        if (!c.found.empty()) continue;
        EXPECT_EQ(StatusTextOf(result), "Select a drive or directory first!");
        EXPECT_EQ(fake.prompts.Notices().size(), notices + 1);
        EXPECT_EQ(fake.prompts.Notices().back(), kSelectLocationMessage);
    }
}

TEST_F(DriveScanTest, EmptyDirectoriesAreOfferedBeforeTheDescent) {
    fake.fs.AddDir("C:\\data\\outer\\inner");
    fake.fs.AddDir("C:\\data\\plain");
    fake.fs.AddFile("C:\\data\\keep.txt");
    fake.fs.AddDir("E:\\");  // a drive without a medium has an empty root
    fake.fs.Lock("C:\\data\\plain");
    criteria.locations = {"C:\\data", "E:"};
    Scan();  // the option off asks nothing
    EXPECT_THAT(fake.prompts.Questions(), IsEmpty());
    criteria.emptyDirectoryCheck = true;
    fake.prompts.QueueAnswers({true, true, true});
    const auto result = Scan();

    EXPECT_THAT(
        fake.prompts.Questions(),
        ElementsAre("Found an empty directory\r\nC:\\data\\outer\\inner\\\r\nDelete the "
                    "directory?",
                    "Found an empty directory\r\nC:\\data\\plain\\\r\nDelete the directory?",
                    "Found an empty directory\r\nE:\\\r\nDelete the directory?"));
    EXPECT_THAT(fake.prompts.Notices(), ElementsAre("Directory deleted succesfully."));
    EXPECT_THAT(fake.prompts.Errors(),
                ElementsAre("Unable to delete\r\nC:\\data\\plain\\", "Unable to delete\r\nE:\\"));
    EXPECT_FALSE(fake.fs.Contains("C:\\data\\outer\\inner"));
    EXPECT_TRUE(fake.fs.Contains("C:\\data\\outer"));  // it was not empty when asked about
    EXPECT_EQ(result.count, 1u);

    Scan();                                          // answered No
    EXPECT_EQ(fake.prompts.Questions().size(), 6u);  // plain, outer (now empty) and E:
    EXPECT_EQ(fake.prompts.Questions()[3],
              "Found an empty directory\r\nC:\\data\\outer\\\r\nDelete the directory?");
    EXPECT_TRUE(fake.fs.Contains("C:\\data\\outer"));
}

TEST_F(DriveScanTest, StopInEitherPhaseLeavesTheTableAsItWas) {
    AddFiles({"a.txt", "b.txt"});
    fake.fs.AddDir("C:\\data\\empty");
    criteria.emptyDirectoryCheck = true;
    table.AppendRow(test::FileRow("C:\\old\\", "old.txt"));
    table.SelectRow(1);

    fake.pump.SetOnProcess([this](std::size_t) { runner.Stop(); });
    EXPECT_EQ(Scan().outcome, DriveScanOutcome::kStopped);
    EXPECT_THAT(fake.prompts.Questions(), IsEmpty());  // stopped before the question

    bool scanning = false;
    hooks.caption = [&](const std::string& c) { scanning = c == "Sorvane v2.03 - Scanning Files"; };
    fake.pump.SetOnProcess([&](std::size_t) {
        if (scanning) runner.Stop();
    });
    const auto result = Scan();
    EXPECT_EQ(StatusTextOf(result), "Scan Stopped");
    EXPECT_THAT(Names(), ElementsAre("old.txt"));
    EXPECT_EQ(table.SelectedRow(), 1u);
    EXPECT_EQ(fake.prompts.Questions().size(), 1u);  // the preparation had run

    // Stop at each turn after the preparation in turn, up to those while the rows are written:
    // they are built aside, so nothing shows until the scan is complete.
    std::size_t turns = 0;
    std::size_t stopAt = 0;
    hooks.caption = [&](const std::string& c) {
        scanning = c == "Sorvane v2.03 - Scanning Files";
        turns = 0;
    };
    fake.pump.SetOnProcess([&](std::size_t) {
        if (scanning && ++turns == stopAt) runner.Stop();
    });
    for (stopAt = 1; stopAt < 20; ++stopAt) {
        if (Scan().outcome != DriveScanOutcome::kStopped) break;
        EXPECT_THAT(Names(), ElementsAre("old.txt"));
    }
    EXPECT_GE(stopAt, 3u);  // a turn per directory, then one per row written
    EXPECT_THAT(Names(), ElementsAre("a.txt", "b.txt"));  // later turns let it finish
}

TEST_F(DriveScanTest, UnlistableDirectoriesAndVanishedEntriesGiveNothing) {
    AddFiles({"a.txt", "z.txt", "zz.txt"});
    fake.fs.AddFile("C:\\data\\locked\\hidden.txt");
    fake.fs.AddFile("C:\\data\\gone\\lost.txt");
    fake.fs.DenyListing("C:\\data\\locked");
    criteria.emptyDirectoryCheck = true;
    // Both go while C:\data is being listed: the directory once it has been seen but before
    // its own listing, the file before the listing reaches it.
    hooks.status = [this](const std::string& s) {
        if (s == "C:\\data\\gone") fake.fs.Erase("C:\\data\\gone");
        if (s == "C:\\data\\z.txt") fake.fs.Erase("C:\\data\\zz.txt");
    };
    fake.prompts.QueueAnswers({false, false});
    Scan();
    // Neither could be listed, so both count as empty.
    EXPECT_THAT(fake.prompts.Questions(),
                ElementsAre("Found an empty directory\r\nC:\\data\\gone\\\r\nDelete the directory?",
                            "Found an empty directory\r\nC:\\data\\locked\\\r\nDelete the "
                            "directory?"));
    EXPECT_THAT(Names(), ElementsAre("a.txt", "z.txt"));
}

TEST_F(DriveScanTest, EveryDirectoryIsListedOnceAndRecordsKeepTheirPaths) {
    // Found in an order (parents first, by upper-cased name) unlike the finished list's.
    const std::map<std::string, std::string> expected = {{"in_a", "C:\\data\\a\\"},
                                                         {"in_ac", "C:\\data\\a\\c\\"},
                                                         {"in_b", "C:\\data\\b\\"},
                                                         {"in_B_", "C:\\data\\B_\\"},
                                                         {"in_data", "C:\\data\\"}};
    for (const auto& [name, dir] : expected) fake.fs.AddFile(dir + name);
    // The preparation may not list b; the file phase lists it then.
    fake.fs.DenyListing("C:\\data\\b");
    hooks.caption = [this](const std::string& c) {
        if (c == "Sorvane v2.03 - Scanning Files") fake.fs.DenyListing("C:\\data\\b", false);
    };
    Scan();

    std::map<std::string, std::string> found;
    for (std::size_t row = 1; row < table.RowCount(); ++row) {
        found[table.Cell(row, 0)] = table.Cell(row, 4);
    }
    EXPECT_EQ(found, expected);
    for (const auto& [pattern, times] : fs.listed) {
        EXPECT_EQ(times, pattern == "C:\\data\\b\\*" ? 2 : 1) << pattern;
    }
    EXPECT_EQ(fs.listed.size(), 5u);
}

TEST_F(DriveScanTest, WithoutSubdirectoriesOnlyTheLocationsAreListedAndStopStillHolds) {
    AddFiles({"a.txt", "b.txt", "c.txt"});
    fake.fs.AddFile("C:\\data\\sub\\deep.txt");
    fake.fs.AddDir("C:\\data\\empty");
    criteria.subdirectories = false;
    criteria.emptyDirectoryCheck = true;  // asks nothing: there is no preparation walk
    Scan();
    EXPECT_THAT(Names(), ElementsAre("a.txt", "b.txt", "c.txt"));
    EXPECT_THAT(fake.prompts.Questions(), IsEmpty());
    EXPECT_THAT(fs.listed, ElementsAre(std::pair{std::string("C:\\data\\*"), 1}));

    // Here the files are tested in the file phase; Stop there changes nothing either.
    table.SelectRow(2);
    hooks.status = [this](const std::string& s) {
        if (s == "C:\\data\\b.txt") runner.Stop();
    };
    EXPECT_EQ(Scan().outcome, DriveScanOutcome::kStopped);
    EXPECT_THAT(Names(), ElementsAre("a.txt", "b.txt", "c.txt"));
    EXPECT_EQ(table.SelectedRow(), 2u);
}

TEST_F(DriveScanTest, SizeAndDateLimitsChangedDuringTheScanApplyToLaterFiles) {
    for (const char* name : {"a", "b", "c", "d"}) {
        fake.fs.AddFile(std::string("C:\\data\\") + name, 5000, Dated({2024, 5, 1}));
    }
    std::string changeAt;
    int calls = 0;
    hooks.status = [&](const std::string& s) {
        if (s == changeAt) changeAt = "now";
    };
    // The window's controls as they are when read; the group boxes there are ignored.
    liveLimits = [&](DriveScanCriteria& c) {
        ++calls;
        if (changeAt != "now") return false;
        changeAt.clear();
        c.biggerKBytes = 5;
        c.modifiedBefore = "01/01/2025";
        c.sizeGroup = false;
        c.dateGroup = false;
        return true;
    };
    criteria.sizeGroup = true;
    criteria.biggerOn = true;
    criteria.biggerKBytes = 6;
    changeAt = "C:\\data\\c";
    Scan();
    EXPECT_THAT(Names(), ElementsAre("c", "d"));

    criteria.sizeGroup = false;
    criteria.dateGroup = true;
    criteria.accessedOn = false;
    criteria.modifiedBefore = "01/01/2020";
    changeAt = "C:\\data\\b";
    Scan();
    EXPECT_THAT(Names(), ElementsAre("b", "c", "d"));

    // Read only when events have run: without a time slice ending, never.
    fake.clock.SetAutoAdvance(0);
    calls = 0;
    changeAt = "C:\\data\\a";
    table.Clear();
    EXPECT_EQ(Scan().outcome, DriveScanOutcome::kNothingFound);
    EXPECT_EQ(calls, 0);
}

}  // namespace
}  // namespace sorvane
