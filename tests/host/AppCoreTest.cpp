// The start-up values, the drive pop-up text, the power actions and the directory tree, on
// the fake platform.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "FakePlatform.h"
#include "core/app/DriveInfo.h"
#include "core/app/PowerActions.h"
#include "core/app/ScreenScaling.h"
#include "core/app/SharedValues.h"
#include "core/dialogs/DirectoryPicking.h"

namespace sorvane {
namespace {

using Texts = std::vector<std::string>;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(SharedValues, SettingsFileAndShellFoldersOfThePlatform) {
    FakePlatform fake;
    fake.system.SetUserName("guest");
    fake.system.SetProgramPath("C:\\Tools\\Sorvane.exe");
    fake.system.SetWindowsDirectory("C:\\WINDOWS");
    const auto compute = [&] { return ComputeSharedValues(fake.system, fake.registry, fake.fs); };
    fake.system.SetPlatformId(platform_id::kWindows9x);
    const SharedValues v = compute();
    // The shell folders are unreadable yet.
    EXPECT_EQ(std::tie(v.programDir, v.settingsPath, v.windowsDir, v.startMenuDir, v.desktopDir),
              std::tuple("C:\\Tools\\", "C:\\Tools\\guest.INI", "C:\\WINDOWS", "", ""));

    const std::string key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    const std::string ntKey = "SOFTWARE\\Microsoft\\Windows NT" + key.substr(26);
    fake.registry.SetValue(key, "Start Menu", "C:\\9x\\Start Menu");
    fake.registry.SetValue(key, "Desktop", "C:\\9x\\Desktop");
    fake.registry.SetValue("Shell Folders", "Start Menu", "C:\\Top\\Start Menu");
    EXPECT_EQ(compute().startMenuDir, "C:\\9x\\Start Menu");
    EXPECT_EQ(compute().platformName, "Windows 95/98");
    // NT without its own key uses the common one.
    fake.system.SetPlatformId(platform_id::kWindowsNt);
    EXPECT_EQ(compute().desktopDir, "C:\\9x\\Desktop");
    fake.registry.SetValue(ntKey, "Desktop", "C:\\NT\\Desktop");
    EXPECT_EQ(compute().desktopDir, "C:\\NT\\Desktop");
    fake.system.SetPlatformId(platform_id::kWin32s);
    EXPECT_EQ(compute().startMenuDir, "C:\\Top\\Start Menu");

    const Texts names = {"Windows 3.1", "Windows 95/98", "Windows NT", "", ""};
    for (int id = -1; id < 4; ++id) EXPECT_EQ(PlatformNameOf(id), names[(id + 5) % 5]) << id;
}

TEST(ScreenScaling, GrowsWithTheScreenButNotOnTheDesignScreen) {
    EXPECT_EQ(ScaleToScreen({394, 323}, 800, 600), (Size{492, 403}));
    EXPECT_EQ(ScaleToScreen({394, 323}, 640, 480), (Size{394, 323}));
    EXPECT_EQ(ScaleToScreen({394, 323}, 640, 1024), (Size{394, 323}));
    EXPECT_EQ(ScaleToScreen({639, 451}, 1024, 768), (Size{1022, 721}));
}

TEST(DriveInfoText, ListsFixedDrivesInLetterOrderWithZeroForAFailingQuery) {
    FakePlatform fake;
    // One byte per sector and cluster keeps the figures exact.
    const auto space = [](std::uint64_t total, std::uint64_t free) {
        return ClusterSpace{1, 1, free, total};
    };
    fake.drives.AddDrive('A', {drive::kRemovable, space(1474560, 0)});
    fake.drives.AddDrive('D', {drive::kCdRom, space(700 * 1048576ull, 0)});
    EXPECT_EQ(BuildDriveInfoText(fake.drives), "");

    fake.drives.AddDrive('E', {drive::kFixed, space(2147483648ull, 851443712ull)});
    fake.drives.AddDrive('F', {drive::kRemote, space(1048576, 1048576)});
    fake.drives.AddDrive('C', {drive::kFixed, space(1048576ull * 2047 + 1048576 / 2, 512)});
    fake.drives.AddDrive('G', {drive::kFixed, space(1, 1), false});
    EXPECT_EQ(BuildDriveInfoText(fake.drives),
              "C:\\ Total: 2.04 GB Free: 512 Bytes\r\n"
              "E:\\ Total: 2.04 GB Free: 812 MB\r\n"
              "G:\\ Total: 0 Bytes Free: 0 Bytes\r\n");
}

// Beside the program whenever that works; in the user's application data for a program
// installed where the user cannot write.
TEST(SharedValues, SettingsFileStaysBesideTheProgramUnlessItCannotBeWrittenThere) {
    const struct {
        bool writable, fileBeside;
        const char* appData;
        const char* expected;
    } cases[] = {
        {true, false, "C:\\AppData", "C:\\Program Files\\Sorvane\\guest.INI"},
        {false, true, "C:\\AppData", "C:\\Program Files\\Sorvane\\guest.INI"},
        {false, false, "C:\\AppData", "C:\\AppData\\Sorvane\\guest.INI"},
        {false, false, "", "C:\\Program Files\\Sorvane\\guest.INI"},
    };
    for (const auto& c : cases) {
        FakePlatform fake;
        const std::string dir = "C:\\Program Files\\Sorvane\\";
        fake.fs.AddDir(dir);
        if (c.fileBeside) fake.fs.AddFile(dir + "guest.INI");
        if (!c.writable) fake.fs.DenyCreatingIn(dir);
        EXPECT_EQ(SettingsPathFor(fake.fs, dir, c.appData, "guest"), c.expected)
            << c.writable << c.fileBeside << c.appData;
    }
}

TEST(PowerActions, AskFirstCloseHungProgramsOnlyAndReportRefusals) {
    const struct {
        PowerAction action;
        const char* question;
        unsigned flags;
        const char* refusal;
    } cases[] = {{PowerAction::kShutDown, "Shut Down the computer?", 0x11, "shutdown"},
                 {PowerAction::kLogOff, "Close all programs and Log On as a different user?", 0x10,
                  "logoff"},
                 {PowerAction::kReboot, "Restart the computer?", 0x12, "reboot"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.question);
        FakePlatform fake;
        fake.system.SetPrivilegeResult(false);  // does not stop the request
        const auto run = [&] { return RunPowerAction(c.action, fake.prompts, fake.system); };
        EXPECT_EQ(run(), PowerOutcome::kDeclined);
        EXPECT_TRUE(fake.system.ExitRequests().empty());
        fake.prompts.SetDefaultAnswer(true);
        EXPECT_EQ(run(), PowerOutcome::kAccepted);
        fake.system.SetExitAccepted(false);
        EXPECT_EQ(run(), PowerOutcome::kRefused);
        EXPECT_EQ(fake.prompts.Questions(), Texts(3, c.question));
        EXPECT_EQ(fake.system.ExitRequests(), std::vector<unsigned>(2, c.flags));
        EXPECT_EQ(fake.prompts.Notices(), Texts{std::string("Unable to ") + c.refusal +
                                                ". An application refused to close!"});
    }
}

TEST(PowerActions, ExitToDosAndHelpOpenTheirFilesOnlyWhenPresent) {
    FakePlatform fake;
    fake.prompts.SetDefaultAnswer(true);
    EXPECT_FALSE(RunExitToDos(fake.platform(), "C:\\WINDOWS"));
    fake.fs.AddFile("C:\\WINDOWS\\Exit To Dos.pif", 967);
    fake.prompts.QueueAnswers({false});
    EXPECT_FALSE(RunExitToDos(fake.platform(), "C:\\WINDOWS"));
    EXPECT_TRUE(RunExitToDos(fake.platform(), "C:\\WINDOWS"));
    ASSERT_EQ(fake.shell.RunRequests().size(), 1u);
    EXPECT_EQ(fake.shell.RunRequests()[0], "C:\\WINDOWS\\Exit To Dos.pif");

    // The help file opens in the help viewer; without a viewer it cannot be read at all.
    std::vector<std::string> opened;
    bool viewerPresent = true;
    const auto help = [&] {
        OpenHelp(fake.platform(), "C:\\Tools\\", [&](const std::string& file) {
            opened.push_back(file);
            return viewerPresent;
        });
    };
    help();
    EXPECT_TRUE(opened.empty());
    fake.fs.AddFile("C:\\Tools\\Sorvane.chm", 100);
    help();
    EXPECT_EQ(opened, Texts{"C:\\Tools\\Sorvane.chm"});
    viewerPresent = false;
    help();
    EXPECT_EQ(fake.prompts.Notices(), Texts(2, "Help File Is Missing!"));
}

TEST(DirectoryPicking, ListsDrivesByTypeAndAcceptsThoseWithoutMediaUnasked) {
    FakePlatform fake;
    fake.drives.AddDrive('A', {drive::kRemovable, {}, false});
    fake.drives.AddDrive('C', {drive::kFixed, {}, true});
    fake.drives.AddDrive('N', {drive::kRemote, {}, false});
    fake.drives.AddDrive('R', {drive::kRamDisk, {}, false});
    fake.drives.AddDrive('U', {drive::kUnknown, {}, true});
    fake.drives.SetMask(fake.drives.LogicalDriveMask() | (1U << ('Q' - 'A')));  // no root

    std::vector<std::string> shown;
    for (const TreeDrive& d : ListTreeDrives(fake.drives, false)) {
        shown.push_back(d.root + " " + DriveDisplayName(d));
    }
    EXPECT_THAT(shown, ElementsAre("A:\\ Removable Disk (A:)", "C:\\ Local Disk (C:)",
                                   "N:\\ Network Drive (N:)", "R:\\ RAM Disk (R:)"));
    EXPECT_EQ(ListTreeDrives(fake.drives, true).size(), 6u);
    EXPECT_THAT(fake.drives.ErrorModesSet(), IsEmpty());  // no medium was touched

    fake.drives.AddDrive('D', {drive::kCdRom, {1, 2048, 0, 10}, true});
    fake.drives.AddDrive('E', {drive::kCdRom, {}, true});  // empty: no size
    for (const char* path : {"N:\\Share", "R:\\", "U:\\", "Q:\\Gone", "D:\\", kNoDirectory}) {
        EXPECT_TRUE(MayAcceptDirectory(fake.drives, fake.prompts, path)) << path;
    }
    EXPECT_THAT(fake.prompts.Questions(), IsEmpty());
    fake.prompts.QueueAnswers({false, true});
    EXPECT_FALSE(MayAcceptDirectory(fake.drives, fake.prompts, "E:\\Photos"));
    EXPECT_TRUE(MayAcceptDirectory(fake.drives, fake.prompts, "A:\\"));
    EXPECT_THAT(fake.prompts.Questions(),
                ElementsAre("Insert Disk Into Drive E:\\\r\nWhen Ready Press OK",
                            "Insert Disk Into Drive A:\\\r\nWhen Ready Press OK"));
}

TEST(DirectoryPicking, ListsEveryDirectoryButTheDotsInCollationOrderWithTheSystemBoxOff) {
    FakePlatform fake;
    fake.drives.AddDrive('C');
    fake.fs.AddDir("C:\\Data\\beta");
    fake.fs.AddDir("C:\\Data\\Alpha\\Deeper");
    fake.fs.AddDir("C:\\Data\\$Recycle.Bin", {attr::kHidden | attr::kSystem});
    fake.fs.AddDir("C:\\Data\\Gamma");
    fake.fs.AddFile("C:\\Data\\aardvark.txt", 10);

    EXPECT_THAT(ListSubdirectories(fake.fs, fake.drives, fake.locale, "C:\\Data"),
                ElementsAre("$Recycle.Bin", "Alpha", "beta", "Gamma"));
    EXPECT_THAT(ListSubdirectories(fake.fs, fake.drives, fake.locale, "C:\\"), ElementsAre("Data"));

    fake.fs.DenyListing("C:\\Data");
    EXPECT_THAT(ListSubdirectories(fake.fs, fake.drives, fake.locale, "C:\\Data"), IsEmpty());
    EXPECT_THAT(ListSubdirectories(fake.fs, fake.drives, fake.locale, "Q:\\"), IsEmpty());
}

}  // namespace
}  // namespace sorvane
