// Check Shortcuts on the fake platform: which shortcuts are dead, what the scan walks and
// reports, deleting only what is still as judged, and the stored options.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "FakePlatform.h"
#include "RecordingView.h"
#include "core/platform/Drives.h"
#include "core/shortcuts/ShortcutDeletion.h"
#include "core/shortcuts/ShortcutOptions.h"
#include "core/shortcuts/ShortcutScan.h"

namespace sorvane {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Read = ShortcutInfo::Read;

constexpr char kMenu[] = "C:\\Users\\Tester\\Start Menu";
constexpr char kDesk[] = "C:\\Users\\Tester\\Desktop";

TEST(ShortcutJudgement, OnlyAGoneFileSystemTargetOrAFileThatIsNoShortcutIsDead) {
    FakeFileSystem fs;
    fs.AddFile("C:\\Apps\\tool.exe");
    fs.AddDir("C:\\Apps\\Data");
    const std::string longTarget = "C:\\Apps\\" + std::string(300, 'x') + "\\tool.exe";
    fs.AddFile(longTarget);
    const DiscardOptions all;
    const DiscardOptions none{false, false, false};
    const struct {
        Read read;
        std::string target;
        unsigned driveType;
        Verdict withDiscard, withoutDiscard;
    } cases[] = {
        {Read::kLoaded, "C:\\Apps\\tool.exe", drive::kFixed, Verdict::kAlive, Verdict::kAlive},
        {Read::kLoaded, "C:\\Apps\\Data", drive::kFixed, Verdict::kAlive, Verdict::kAlive},
        {Read::kLoaded, longTarget, drive::kFixed, Verdict::kAlive, Verdict::kAlive},
        {Read::kLoaded, "C:\\Apps\\gone.exe", drive::kFixed, Verdict::kDead, Verdict::kDead},
        {Read::kLoaded, "R:\\gone.exe", drive::kRamDisk, Verdict::kDead, Verdict::kDead},
        {Read::kLoaded, "", drive::kUnknown, Verdict::kNotExamined, Verdict::kNotExamined},
        {Read::kLoaded, "A:\\x.exe", drive::kRemovable, Verdict::kNotExamined, Verdict::kDead},
        {Read::kLoaded, "D:\\x.exe", drive::kCdRom, Verdict::kNotExamined, Verdict::kDead},
        {Read::kLoaded, "\\\\srv\\s\\x.exe", drive::kRemote, Verdict::kNotExamined,
         Verdict::kDead},
        {Read::kUnopenable, "", drive::kUnknown, Verdict::kNotExamined, Verdict::kNotExamined},
        {Read::kNotAShortcut, "", drive::kUnknown, Verdict::kDead, Verdict::kDead},
    };
    for (const auto& c : cases) {
        const ShortcutInfo info{c.read, c.target, c.driveType};
        EXPECT_EQ(JudgeShortcut(info, all, fs), c.withDiscard) << c.target;
        EXPECT_EQ(JudgeShortcut(info, none, fs), c.withoutDiscard) << c.target;
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
    EXPECT_THAT(Paths(result.items),
                ElementsAre("C:\\Users\\Tester\\Desktop\\dead.lnk",
                            "C:\\USERS\\TESTER\\START MENU\\PROGRAMS\\broken.lnk",
                            "C:\\USERS\\TESTER\\START MENU\\PROGRAMS\\Dead One.LNK",
                            "C:\\USERS\\TESTER\\START MENU\\PROGRAMS\\OUTER\\INNER"));
    EXPECT_TRUE(result.items.back().directory);
    EXPECT_EQ(result.items[0].judged.target, "C:\\gone.exe");
    EXPECT_EQ(view.status, "Found 4 items.");
    EXPECT_EQ(fake.shell.ShortcutReads(), 5u);  // never the .pif, the excluded or the linked

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
    // The user mends one shortcut meanwhile and fills the empty folder.
    Link(found[1].path, "C:\\Apps\\tool.exe");
    fake.fs.AddFile(found[3].path + "\\new.txt");
    fake.prompts.QueueAnswers({false, true, true, true});
    const std::vector<DeadItem> left =
        ShortcutDeletion(fake.platform(), view.runner).Delete(found, {0, 1, 2, 3}, {true, true});
    EXPECT_THAT(fake.prompts.Questions(),
                ElementsAre("Proceed to delete\r\n" + found[0].path,
                            "Proceed to delete\r\n" + found[1].path,
                            "Proceed to delete\r\n" + found[2].path,
                            "Delete the empty directory?\r\n" + found[3].path));
    EXPECT_THAT(fake.shell.RecycleRequests(), ElementsAre(ElementsAre(found[2].path)));
    EXPECT_THAT(fake.prompts.Errors(), ElementsAre("Unable to delete\r\n" + found[3].path));
    EXPECT_THAT(Paths(left), ElementsAre(found[0].path, found[1].path, found[3].path));

    // Permanently and unasked, a read-only shortcut goes too.
    fake.fs.AddFile(found[0].path, 0, {attr::kReadOnly});
    fake.shell.SetShortcut(found[0].path, found[0].judged);
    ShortcutDeletion(fake.platform(), view.runner).Delete(found, {0}, {false, false});
    EXPECT_FALSE(fake.fs.Contains(found[0].path));
    EXPECT_EQ(view.status, "The Selected Shortcut Deleted Permanently.");
}

TEST(ShortcutOptions, DefaultsRoundTripAndStaleItemsBeyondTheCount) {
    FakeSettingsStore store;
    Settings settings(store, "C:\\guest.INI");
    ShortcutWindowOptions read = ReadShortcutOptions(settings, 567, 555);
    EXPECT_EQ(read.bounds.width, 567);
    EXPECT_TRUE(read.confirm && read.scan.startMenu && read.scan.desktop);
    EXPECT_EQ(read.scan.discard, DiscardOptions{});
    EXPECT_FALSE(read.startupScan || read.scan.emptyDirectories);

    read.scan.excludedDirectories = {"C:\\A", "C:\\B", "C:\\C"};
    WriteShortcutOptions(settings, read);
    read.scan.excludedDirectories = {"C:\\B"};
    read.scan.discard.cdRom = false;
    WriteShortcutOptions(settings, read);
    EXPECT_THAT(store.FileText("C:\\guest.INI"),
                ::testing::HasSubstr("[ShortcutOptions]\nS_Left=1\nS_Top=1\nS_Width=567\n"
                                     "S_Height=555\nS_Startup=0\nS_Confirm=1\nS_State=1\n"
                                     "Floppy_Check=1\nCdrom_Check=0\nNetwork_Check=1\n"
                                     "Startmenu_Check=1\nDesktop_Check=1\nEmptydir_Check=0\n\n"
                                     "[ShortcutOptions_Exclude]\nExclude_Count=1\nItem0=C:\\B\n"
                                     "Item1=C:\\B\nItem2=C:\\C\n"));
    settings.WriteInteger("ShortcutOptions_LinkExclude", "Exclude_Count", 2);
    settings.WriteString("ShortcutOptions_LinkExclude", "Item1", "X.LNK");  // Item0 missing
    const ShortcutWindowOptions again = ReadShortcutOptions(settings, 1, 1);
    EXPECT_THAT(again.scan.excludedDirectories, ElementsAre("C:\\B"));
    EXPECT_THAT(again.scan.excludedLinks, ElementsAre("X.LNK"));
    EXPECT_FALSE(again.scan.discard.cdRom);
}

}  // namespace
}  // namespace sorvane
