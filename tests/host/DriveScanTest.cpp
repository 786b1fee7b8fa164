// The Clean Drive(s) scan: the records, the criteria, Stop, and disks that misbehave.
#include "TestSupport.h"
#include "core/driveclean/DriveScan.h"

namespace sorvane {
namespace {

constexpr char kScanning[] = "Sorvane v2.03 - Scanning Files";

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

    DriveScanResult Scan() {
        hooks.statuses.clear();
        return DriveScan(fake.platform(), runner, liveLimits).Run(criteria, table);
    }
    Texts Names() const { return test::Column(table); }
    Texts Row(std::size_t row) const {
        Texts cells;
        for (std::size_t c = 0; c < 7; ++c) cells.push_back(table.Cell(row, c));
        return cells;
    }
    void AddFiles(std::initializer_list<const char*> names, std::uint64_t size = 1) {
        for (const char* name : names)
            fake.fs.AddFile(std::string("C:\\data\\") + name, size, Dated({2024, 5, 1}));
    }
    static std::string Question(const std::string& dir) {
        return "Found an empty directory\r\n" + dir + "\r\nDelete the directory?";
    }

    FakePlatform fake;
    DriveScanCriteria criteria;
    ResultTable table = MakeCleanTable();
    test::RecordingView hooks;  // the window as the scan sees it
    PassRunner& runner = hooks.runner;
    LiveLimits liveLimits;
};

TEST_F(DriveScanTest, RecordsHoldTheSevenFieldsSortedByName) {
    fake.shell.SetTypeName(".txt", "Text Document");
    fake.fs.AddFile("C:\\data\\b.TXT", 3'000'000'000,
                    Dated({2024, 3, 1, 10, 0, 5}, {2024, 3, 2}, attr::kArchive | attr::kHidden));
    fake.fs.AddFile("C:\\data\\C", 0, {.attributes = 0});  // no times at all
    fake.fs.AddFile("C:\\data\\a", 1, Dated({2024, 3, 1}, {2024, 3, 1}, attr::kSystem));
    EXPECT_EQ(StatusTextOf(Scan()), "3 files were found");
    EXPECT_THAT(Names(), ElementsAre("a", "b.TXT", "C"));
    EXPECT_THAT(Row(2), ElementsAre("b.TXT", "3000000000", "01/03/2024 10:00:05", "02/03/2024",
                                    "C:\\data\\", "ARH", "Text Document"));
    EXPECT_THAT(Row(3), ElementsAre("C", "0", "Unknown", "Unknown", "C:\\data\\", "None", ""));
}

TEST_F(DriveScanTest, EveryModeCombinesItsTestsWithAndOrOr) {
    // Eight files cover every truth of the three tests: bit 4 of the number says the mask
    // holds, bit 2 the size, bit 1 the date.
    for (int f = 0; f < 8; ++f) {
        fake.fs.AddFile("C:\\data\\f" + std::to_string(f) + (f & 4 ? ".tmp" : ".dat"),
                        f & 2 ? 5000 : 10, Dated({f & 1 ? 2020 : 2025, 1, 1}));
    }
    criteria.masks = {{"*.tmp", true}, {"*.old", false}};
    std::tie(criteria.biggerOn, criteria.biggerKBytes, criteria.accessedOn,
             criteria.modifiedBefore) = std::tuple(true, 5, false, "01/01/2023");
    for (int mode = 0; mode < 16; ++mode) {  // the same bits say which are on; 8: all must hold
        std::tie(criteria.maskGroup, criteria.sizeGroup, criteria.dateGroup, criteria.collective) =
            std::tuple(mode & 4, mode & 2, mode & 1, mode & 8);
        std::vector<std::string> expected;
        for (int f = 0; f < 8; ++f) {
            const int on = mode & 7;
            if (on == 0 || (criteria.collective ? (f & on) == on : (f & on) != 0))
                expected.push_back("f" + std::to_string(f) + (f & 4 ? ".tmp" : ".dat"));
        }
        table.Clear();
        SCOPED_TRACE(mode);
        EXPECT_EQ(Scan().count, expected.size());
        EXPECT_EQ(Names(), expected);
    }
}

TEST_F(DriveScanTest, MasksMatchWholeExtensionsOnly) {
    AddFiles({"A.TMP", "b.tmp", "README", "x.txt", "a1.log", "q.tap", "z.tmp.bak", "n.tmpx"});
    criteria.masks = {{"*.tmp", true},  {"*", true},   {"*.TXT", true},
                      {"a*.log", true}, {"*.*", true}, {"*.t?p", true}};
    Scan();
    EXPECT_THAT(Names(), ElementsAre("A.TMP", "b.tmp", "README"));
    // Masks listed but none checked: the criterion is on and matches nothing; the table stays.
    for (ScanMask& mask : criteria.masks) mask.checked = false;
    EXPECT_EQ(StatusTextOf(Scan()), "No files were found");
    EXPECT_EQ(Names().size(), 3u);
}

TEST_F(DriveScanTest, SizesAreKBytesOfAThousandWithEitherOrBothBoxes) {
    for (const std::uint64_t size : {0ull, 999ull, 1000ull, 5000ull, 5001ull, 4'000'000'000ull})
        fake.fs.AddFile("C:\\data\\" + std::to_string(size), size);
    criteria.sizeGroup = true;
    const auto scan = [&](bool biggerOn, std::int64_t bigger, bool smallerOn,
                          std::int64_t smaller) {
        std::tie(criteria.biggerOn, criteria.biggerKBytes) = std::tuple(biggerOn, bigger);
        std::tie(criteria.smallerOn, criteria.smallerKBytes) = std::tuple(smallerOn, smaller);
        table.Clear();
        Scan();
        return Names();
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
    EXPECT_EQ(Names(), Texts{"noAccess"});
    EXPECT_EQ(table.Cell(1, 3), "Unknown");

    criteria.accessedBefore = "not a date";
    EXPECT_EQ(Scan().outcome, DriveScanOutcome::kNothingFound);
}

// Hidden and System narrow the listing, Archive and Read-only do not; links are not followed
// (one back to its parent would make the walk endless) unless chosen themselves.
TEST_F(DriveScanTest, AttributesAndJunctionsNarrowTheListing) {
    fake.fs.AddDir("C:\\data\\secret", {.attributes = attr::kHidden});
    fake.fs.AddFile("C:\\data\\secret\\inside.txt", 1, {.attributes = 0});
    fake.fs.AddFile("C:\\data\\secret\\shy.txt", 1, {.attributes = attr::kHidden});
    fake.fs.AddFile("C:\\data\\hidden.txt", 1, {.attributes = attr::kHidden | attr::kArchive});
    fake.fs.AddFile("C:\\data\\system.txt", 1, {.attributes = attr::kSystem});
    fake.fs.AddFile("C:\\data\\ro.txt", 1, {.attributes = attr::kReadOnly});
    fake.fs.AddDir("C:\\data\\loop", {.attributes = attr::kReparsePoint});
    fake.fs.AddFile("C:\\data\\loop\\again.txt");
    fake.fs.AddDir("C:\\data\\only", {});
    fake.fs.AddDir("C:\\data\\only\\link", {.attributes = attr::kReparsePoint});
    criteria.emptyDirectoryCheck = true;
    criteria.attributeGroup = true;  // Archive Files only
    Scan();
    EXPECT_THAT(Names(), ElementsAre("inside.txt", "ro.txt"));
    EXPECT_THAT(fake.prompts.Questions(), IsEmpty());  // the link counts as an entry

    criteria.hidden = true;
    Scan();
    EXPECT_THAT(Names(), ElementsAre("hidden.txt", "inside.txt", "ro.txt", "shy.txt"));
    criteria.attributeGroup = false;
    Scan();
    EXPECT_THAT(Names(),
                ElementsAre("hidden.txt", "inside.txt", "ro.txt", "shy.txt", "system.txt"));
    criteria.locations = {"C:\\data\\loop"};
    Scan();
    EXPECT_THAT(Names(), ElementsAre("again.txt"));
}

TEST_F(DriveScanTest, LocationsAreFullPathsAndEachFileIsListedOnce) {
    fake.fs.AddFile("C:\\top.txt");
    fake.fs.AddFile("C:\\data\\sub\\deep.txt");
    fake.fs.AddFile("C:\\Program Files\\app.txt");
    const struct {
        std::vector<std::string> locations;
        bool subdirectories;
        std::vector<std::string> found;  // none: the user is told
    } cases[] = {{{"C:", "C:\\data", "c:\\DATA\\sub"},
                  true,
                  {"C:\\Program Files\\app.txt", "C:\\data\\sub\\deep.txt", "C:\\top.txt"}},
                 {{"C:\\data\\sub", "c:\\DATA\\SUB\\", "C:\\x\\..\\data\\.\\sub", "C:/data/sub"},
                  false,
                  {"C:\\data\\sub\\deep.txt"}},
                 // Relative ones would become the root of the current drive.
                 {{"", "data", "..\\data", "\\data", "C:data", "C:\\data\\sub"},
                  false,
                  {"C:\\data\\sub\\deep.txt"}},
                 {{"", "sub"}, true, {}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locations.front());
        criteria.locations = c.locations;
        criteria.subdirectories = c.subdirectories;
        table.Clear();
        const std::size_t notices = fake.prompts.Notices().size();
        const DriveScanResult result = Scan();
        EXPECT_EQ(test::Paths(table), c.found);
        if (!c.found.empty()) continue;
        EXPECT_EQ(StatusTextOf(result), "Select a drive or directory first!");
        EXPECT_EQ(fake.prompts.Notices(), Texts(notices + 1, kSelectLocationMessage));
    }
}

TEST_F(DriveScanTest, EmptyDirectoriesAreOfferedBeforeTheDescent) {
    fake.fs.AddDir("C:\\data\\outer\\inner");
    fake.fs.AddDir("C:\\data\\plain");
    fake.fs.AddFile("C:\\data\\keep.txt");
    fake.fs.AddDir("E:\\");  // a drive without a medium has an empty root
    fake.fs.Lock("C:\\data\\plain");
    criteria.locations = {"C:\\data", "E:"};
    Scan();  // the option off asks nothing, nor does a scan without subdirectories
    criteria.emptyDirectoryCheck = true;
    criteria.subdirectories = false;
    Scan();
    EXPECT_THAT(fake.prompts.Questions(), IsEmpty());
    criteria.subdirectories = true;
    fake.prompts.QueueAnswers({true, true, true});
    EXPECT_EQ(Scan().count, 1u);
    EXPECT_THAT(fake.prompts.Questions(),
                ElementsAre(Question("C:\\data\\outer\\inner\\"), Question("C:\\data\\plain\\"),
                            Question("E:\\")));
    EXPECT_THAT(fake.prompts.Notices(), ElementsAre("Directory deleted succesfully."));
    EXPECT_THAT(fake.prompts.Errors(),
                ElementsAre("Unable to delete\r\nC:\\data\\plain\\", "Unable to delete\r\nE:\\"));
    EXPECT_FALSE(fake.fs.Contains("C:\\data\\outer\\inner"));
    Scan();  // answered No; outer is empty now
    ASSERT_THAT(fake.prompts.Questions(), testing::SizeIs(6));
    EXPECT_EQ(fake.prompts.Questions()[3], Question("C:\\data\\outer\\"));
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

    // Stop at each turn after the preparation in turn, up to those while the rows are written:
    // they are built aside, so nothing shows until the scan is complete.
    bool scanning = false;
    std::size_t turns = 0;
    std::size_t stopAt = 0;
    hooks.onCaption = [&](const std::string& c) {
        scanning = c == kScanning;
        turns = 0;
    };
    fake.pump.SetOnProcess([&](std::size_t) {
        if (scanning && ++turns == stopAt) runner.Stop();
    });
    for (stopAt = 1; stopAt < 20; ++stopAt) {
        const auto result = Scan();
        if (result.outcome != DriveScanOutcome::kStopped) break;
        EXPECT_EQ(StatusTextOf(result), "Scan Stopped");
        EXPECT_THAT(Names(), ElementsAre("old.txt"));
        EXPECT_EQ(table.SelectedRow(), 1u);
    }
    EXPECT_EQ(fake.prompts.Questions().size(), stopAt);  // the preparation had run each time
    EXPECT_GE(stopAt, 3u);  // a turn per directory, then one per row written
    EXPECT_THAT(Names(), ElementsAre("a.txt", "b.txt"));  // later turns let it finish
}

// Found in an order (parents first, by upper-cased name) unlike the finished list's; some
// entries cannot be listed or go while C:\data is being listed.
TEST_F(DriveScanTest, EveryDirectoryIsListedOnceAndUnlistableOrVanishedOnesGiveNothing) {
    const Texts expected = {"C:\\data\\a\\in_a", "C:\\data\\a\\c\\in_ac", "C:\\data\\b\\in_b",
                            "C:\\data\\B_\\in_B_", "C:\\data\\z.txt"};
    for (const std::string& path : expected) fake.fs.AddFile(path);
    fake.fs.AddFile("C:\\data\\zz.txt");
    fake.fs.AddFile("C:\\data\\locked\\hidden.txt");
    fake.fs.AddFile("C:\\data\\gone\\lost.txt");
    fake.fs.DenyListing("C:\\data\\locked");
    // The preparation may not list b; the file phase lists it then.
    fake.fs.DenyListing("C:\\data\\b");
    hooks.onCaption = [this](const std::string& c) {
        if (c == kScanning) fake.fs.DenyListing("C:\\data\\b", false);
    };
    // The directory goes once it has been seen but before its own listing, the file before
    // the listing reaches it.
    hooks.onStatus = [this](const std::string& s) {
        if (s == "C:\\data\\gone") fake.fs.Erase("C:\\data\\gone");
        if (s == "C:\\data\\z.txt") fake.fs.Erase("C:\\data\\zz.txt");
    };
    criteria.emptyDirectoryCheck = true;
    Scan();
    EXPECT_EQ(test::Paths(table), expected);
    // Neither could be listed, so both count as empty.
    EXPECT_THAT(fake.prompts.Questions(),
                ElementsAre(Question("C:\\data\\b\\"), Question("C:\\data\\gone\\"),
                            Question("C:\\data\\locked\\")));
}

TEST_F(DriveScanTest, LimitsChangedDuringTheScanApplyToLaterFiles) {
    AddFiles({"a", "b", "c", "d"}, 5000);
    std::string changeAt;
    hooks.onStatus = [&](const std::string& s) {
        if (s == changeAt) changeAt = "now";
    };
    // The window's controls as they are when read; the group boxes there are ignored.
    liveLimits = [&](DriveScanCriteria& c) {
        if (changeAt != "now") return false;
        changeAt.clear();
        c.biggerKBytes = 5;
        c.sizeGroup = false;
        return true;
    };
    criteria.sizeGroup = criteria.biggerOn = true;
    criteria.biggerKBytes = 6;
    changeAt = "C:\\data\\c";
    Scan();
    EXPECT_THAT(Names(), ElementsAre("c", "d"));
    // Read only when events have run: without a time slice ending, never.
    fake.clock.SetAutoAdvance(0);
    changeAt = "C:\\data\\a";
    table.Clear();
    EXPECT_EQ(Scan().outcome, DriveScanOutcome::kNothingFound);
}

}  // namespace
}  // namespace sorvane
