// Check Shortcuts: which are dead, what the scan walks, deleting only what is still as judged.
#include "TestSupport.h"
#include "core/shortcuts/ShortcutDeletion.h"
#include "core/shortcuts/ShortcutOptions.h"
#include "core/shortcuts/ShortcutScan.h"

namespace sorvane {
namespace {

using Read = ShortcutInfo::Read;

constexpr char kMenu[] = "C:\\Users\\Tester\\Start Menu";
constexpr char kDesk[] = "C:\\Users\\Tester\\Desktop";

// Verdicts under five Discard settings, in this order: all boxes ticked, all cleared, and each
// box ticked alone. 'A' alive, 'D' dead, '-' not examined.
TEST(ShortcutJudgement, OnlyATargetReportedNotFoundOnADriveThatIsThereIsDead) {
    FakeFileSystem fs;
    fs.AddFile("C:\\Apps\\tool.exe");
    fs.AddDir("C:\\Apps\\Data");
    for (const char* root : {"R:\\", "A:\\", "D:\\", "N:\\"}) fs.AddDir(root);
    fs.AddFile("A:\\here.exe");
    // Not there now: a floppy without its disk, a share that does not answer, a denied folder.
    for (const char* path : {"B:\\", "M:\\", "C:\\Locked"}) fs.FailLookups(path);
    const DiscardOptions options[] = {{},
                                      {false, false, false},
                                      {true, false, false},
                                      {false, true, false},
                                      {false, false, true}};
    const struct {
        Read read;
        std::string target;
        unsigned driveType;
        std::string verdicts;
    } cases[] = {
        {Read::kLoaded, "C:\\Apps\\tool.exe", drive::kFixed, "AAAAA"},
        {Read::kLoaded, "C:\\Apps\\Data", drive::kFixed, "AAAAA"},
        {Read::kLoaded, "C:\\Apps\\gone.exe", drive::kFixed, "DDDDD"},
        {Read::kLoaded, "R:\\gone.exe", drive::kRamDisk, "DDDDD"},
        {Read::kLoaded, "A:\\here.exe", drive::kRemovable, "-D-DD"},
        {Read::kLoaded, "D:\\gone.exe", drive::kCdRom, "-DD-D"},
        {Read::kLoaded, "N:\\gone.exe", drive::kRemote, "-DDD-"},
        {Read::kLoaded, "B:\\x.exe", drive::kRemovable, "-----"},
        {Read::kLoaded, "M:\\x.exe", drive::kRemote, "-----"},
        {Read::kLoaded, "C:\\Locked\\x.exe", drive::kFixed, "-----"},
        {Read::kLoaded, "Q:\\x.exe", drive::kNoRootDir, "-----"},
        {Read::kLoaded, "F:\\x.exe", drive::kFixed, "-----"},  // its drive went since the read
        {Read::kLoaded, "C:\\Apps\\gone.exe", drive::kUnknown, "-----"},
        {Read::kLoaded, "", drive::kUnknown, "-----"},
        {Read::kUnopenable, "", drive::kUnknown, "-----"},
        {Read::kNotAShortcut, "", drive::kUnknown, "DDDDD"},
    };
    const auto letter = [](Verdict v) {
        return v == Verdict::kAlive ? 'A' : v == Verdict::kDead ? 'D' : '-';
    };
    for (const auto& c : cases) {
        std::string verdicts;
        for (const DiscardOptions& discard : options)
            verdicts += letter(JudgeShortcut({c.read, c.target, c.driveType}, discard, fs));
        EXPECT_EQ(verdicts, c.verdicts) << c.target << " of type " << c.driveType;
    }
}

class ShortcutScanTest : public ::testing::Test {
  protected:
    ShortcutScanTest() {
        fake.clock.SetAutoAdvance(5);
        Link(std::string(kMenu) + "\\good.lnk", "C:\\Apps\\tool.exe");
        Link(std::string(kMenu) + "\\Programs\\Dead One.LNK", "C:\\Apps\\gone.exe");
        Link(std::string(kMenu) + "\\Programs\\Folder.lnk", "C:\\Apps");
        Link(std::string(kMenu) + "\\Programs\\Skipped\\dead.lnk", "C:\\gone.exe");
        Link(std::string(kMenu) + "\\Programs\\old.pif", "C:\\gone.exe");
        fake.fs.AddFile(std::string(kMenu) + "\\Programs\\broken.lnk");  // not a shortcut
        fake.fs.AddDir(std::string(kMenu) + "\\Programs\\Outer\\Inner");
        Link(std::string(kDesk) + "\\dead.lnk", "C:\\gone.exe");
        Link(std::string(kDesk) + "\\excluded.lnk", "C:\\gone.exe");
        fake.fs.AddDir(std::string(kDesk) + "\\Junction", {attr::kDirectory | attr::kReparsePoint});
        Link(std::string(kDesk) + "\\Junction\\behind.lnk", "C:\\gone.exe");
        fake.fs.AddFile("C:\\Apps\\tool.exe");
        options.emptyDirectories = true;
        options.excludedDirectories = {"c:\\users\\tester\\start menu\\programs\\skipped"};
        options.excludedLinks = {"C:\\USERS\\TESTER\\DESKTOP\\EXCLUDED.LNK"};
    }
    void Link(const std::string& path, const std::string& target) {
        fake.fs.AddFile(path);
        fake.shell.SetShortcut(path, {Read::kLoaded, target, drive::kFixed});
    }
    ShortcutScanResult Scan() {
        ShortcutScanResult result;
        view.runner.Run(PassRunner::Kind::kStoppable, [&] {
            result = ShortcutScan(fake.platform(), view.runner).Run(kMenu, kDesk, options);
        });
        return result;
    }
    static std::vector<std::string> Paths(const std::vector<DeadItem>& items) {
        std::vector<std::string> paths;
        for (const DeadItem& item : items) paths.push_back(item.path);
        return paths;
    }

    FakePlatform fake;
    test::RecordingView view;
    ShortcutScanOptions options;
};

TEST_F(ShortcutScanTest, ReportsDeadShortcutsAndEmptyFoldersButNothingExcludedOrBehindALink) {
    const ShortcutScanResult result = Scan();
    ASSERT_THAT(Paths(result.items),
                ElementsAre("C:\\Users\\Tester\\Desktop\\dead.lnk",
                            "C:\\USERS\\TESTER\\START MENU\\PROGRAMS\\broken.lnk",
                            "C:\\USERS\\TESTER\\START MENU\\PROGRAMS\\Dead One.LNK",
                            "C:\\USERS\\TESTER\\START MENU\\PROGRAMS\\OUTER\\INNER"));
    EXPECT_TRUE(result.items.back().directory);
    EXPECT_EQ(result.items[0].judged.target, "C:\\gone.exe");
    EXPECT_EQ(view.status, "Found 4 items.");

    // Empty top folders are never offered; nothing chosen scans nothing.
    fake.fs.DeleteTree(kMenu);
    fake.fs.AddDir(kMenu);
    options.desktop = false;
    EXPECT_THAT(Scan().items, IsEmpty());
    options.startMenu = false;
    EXPECT_THAT(Scan().items, IsEmpty());
    EXPECT_EQ(view.status, "No directories were selected!");
}

TEST_F(ShortcutScanTest, StopEndsTheScanWithAnEmptyListInEitherPhase) {
    for (const char* phase : {"Reading ", "Scanning "}) {
        fake.pump.SetOnProcess([&](std::size_t) {
            if (view.status.rfind(phase, 0) == 0) view.runner.Stop();
        });
        const ShortcutScanResult result = Scan();
        EXPECT_TRUE(result.stopped) << phase;
        EXPECT_THAT(result.items, IsEmpty());
        EXPECT_EQ(view.status, "Scan Stopped");
    }
}

TEST_F(ShortcutScanTest, DeletionActsOnlyOnItemsStillAsJudgedAndAsksForEach) {
    const std::vector<DeadItem> found = Scan().items;
    ASSERT_EQ(found.size(), 4u);
    // Meanwhile one target comes back, the user points another shortcut elsewhere (as dead),
    // and fills the empty folder.
    fake.fs.AddFile(found[0].judged.target);
    Link(found[2].path, "C:\\Apps\\also-gone.exe");
    fake.fs.AddFile(found[3].path + "\\new.txt");
    fake.prompts.QueueAnswers({true, true, true, true});
    const std::vector<DeadItem> left = ShortcutDeletion(fake.platform(), view.runner, fake.history)
                                           .Delete(found, {0, 1, 2, 3}, {true, true});
    EXPECT_THAT(fake.prompts.Questions(),
                ElementsAre("Proceed to delete\r\n" + found[0].path,
                            "Proceed to delete\r\n" + found[1].path,
                            "Proceed to delete\r\n" + found[2].path,
                            "Delete the empty directory?\r\n" + found[3].path));
    EXPECT_THAT(fake.shell.RecycleRequests(), ElementsAre(ElementsAre(found[1].path)));
    EXPECT_THAT(fake.prompts.Errors(), ElementsAre("Unable to delete\r\n" + found[3].path));
    EXPECT_THAT(Paths(left), ElementsAre(found[0].path, found[2].path, found[3].path));

    // Permanently and unasked, a read-only shortcut goes too.
    fake.fs.AddFile(found[1].path, 0, {attr::kReadOnly});
    ShortcutDeletion(fake.platform(), view.runner, fake.history).Delete(found, {1}, {false, false});
    EXPECT_FALSE(fake.fs.Contains(found[1].path));
    EXPECT_EQ(view.status, "The Selected Shortcut Deleted Permanently.");
    // A recycle the shell only claims deleted nothing.
    fake.fs.AddFile(found[1].path);
    fake.shell.SetRecycleOutcome(ShellOutcome::kClaimSuccess);
    ShortcutDeletion(fake.platform(), view.runner, fake.history).Delete(found, {1}, {false, true});
    EXPECT_EQ(view.status, "Unable To Delete The Selected Shortcut.");
}

// The window test sees the keys written and read back; here, lists that shrink or hold gaps.
TEST(ShortcutOptions, AShorterListLeavesStaleItemsThatAreNotReadBackAndEmptyItemsAreSkipped) {
    FakeSettingsStore store;
    Settings settings(store, "C:\\guest.INI");
    ShortcutWindowOptions options = ReadShortcutOptions(settings, 567, 555);
    options.scan.excludedDirectories = {"C:\\A", "C:\\B", "C:\\C"};
    WriteShortcutOptions(settings, options);
    options.scan.excludedDirectories = {"C:\\B"};
    options.scan.discard = {true, false, true};  // each box read back as its own
    WriteShortcutOptions(settings, options);
    settings.WriteInteger("ShortcutOptions_LinkExclude", "Exclude_Count", 2);
    settings.WriteString("ShortcutOptions_LinkExclude", "Item1", "X.LNK");  // Item0 missing
    const ShortcutWindowOptions again = ReadShortcutOptions(settings, 1, 1);
    EXPECT_THAT(again.scan.excludedDirectories, ElementsAre("C:\\B"));
    EXPECT_THAT(again.scan.excludedLinks, ElementsAre("X.LNK"));
    EXPECT_EQ(again.scan.discard, options.scan.discard);
}

}  // namespace
}  // namespace sorvane
