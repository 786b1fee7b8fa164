// The start-up values, the drive pop-up text and the power actions, on the fake platform.
#include <gtest/gtest.h>

#include "FakePlatform.h"
#include "core/app/DriveInfo.h"
#include "core/app/PowerActions.h"
#include "core/app/ScreenScaling.h"
#include "core/app/SharedValues.h"

namespace sorvane {
namespace {

constexpr char kWin9xFolders[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kNtFolders[] =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Explorer\\Shell Folders";

class SharedValuesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fake.system.SetUserName("guest");
        fake.system.SetProgramPath("C:\\Tools\\Sorvane.exe");
        fake.system.SetWindowsDirectory("C:\\WINDOWS");
    }
    void SetFolders(const std::string& key, const std::string& tag) {
        fake.registry.SetValue(key, "Start Menu", "C:\\" + tag + "\\Start Menu");
        fake.registry.SetValue(key, "Desktop", "C:\\" + tag + "\\Desktop");
    }
    SharedValues Compute() { return ComputeSharedValues(fake.system, fake.registry); }
    FakePlatform fake;
};

TEST_F(SharedValuesTest, SettingsFileIsTheUsersIniBesideTheProgram) {
    const SharedValues v = Compute();
    EXPECT_EQ(v.programDir, "C:\\Tools\\");
    EXPECT_EQ(v.settingsPath, "C:\\Tools\\guest.INI");
    EXPECT_EQ(v.windowsDir, "C:\\WINDOWS");

    // Another user of the same copy gets a file of their own.
    fake.system.SetUserName("admin");
    EXPECT_EQ(Compute().settingsPath, "C:\\Tools\\admin.INI");
}

TEST_F(SharedValuesTest, PlatformNames) {
    EXPECT_EQ(PlatformNameOf(0), "Windows 3.1");
    EXPECT_EQ(PlatformNameOf(1), "Windows 95/98");
    EXPECT_EQ(PlatformNameOf(2), "Windows NT");
    EXPECT_EQ(PlatformNameOf(3), "");
    EXPECT_EQ(PlatformNameOf(-1), "");
}

TEST_F(SharedValuesTest, ShellFoldersComeFromTheKeyOfThePlatform) {
    SetFolders(kWin9xFolders, "9x");
    SetFolders(kNtFolders, "NT");
    SetFolders("Shell Folders", "Top");

    fake.system.SetPlatformId(platform_id::kWindows9x);
    EXPECT_EQ(Compute().startMenuDir, "C:\\9x\\Start Menu");
    EXPECT_EQ(Compute().platformName, "Windows 95/98");

    fake.system.SetPlatformId(platform_id::kWindowsNt);
    EXPECT_EQ(Compute().desktopDir, "C:\\NT\\Desktop");

    fake.system.SetPlatformId(platform_id::kWin32s);
    EXPECT_EQ(Compute().startMenuDir, "C:\\Top\\Start Menu");
}

TEST_F(SharedValuesTest, NtSystemsWithoutTheirOwnKeyUseTheCommonShellFolders) {
    SetFolders(kWin9xFolders, "Common");
    fake.system.SetPlatformId(platform_id::kWindowsNt);
    const SharedValues v = Compute();
    EXPECT_EQ(v.startMenuDir, "C:\\Common\\Start Menu");
    EXPECT_EQ(v.desktopDir, "C:\\Common\\Desktop");
}

TEST_F(SharedValuesTest, UnreadableShellFoldersLeaveBothEmpty) {
    fake.system.SetPlatformId(platform_id::kWindows9x);
    const SharedValues v = Compute();
    EXPECT_EQ(v.startMenuDir, "");
    EXPECT_EQ(v.desktopDir, "");
    EXPECT_EQ(v.settingsPath, "C:\\Tools\\guest.INI");
}

TEST(ScreenScaling, GrowsWithTheScreenButNotOnTheDesignScreen) {
    EXPECT_EQ(ScaleToScreen({394, 323}, 800, 600), (Size{492, 403}));
    EXPECT_EQ(ScaleToScreen({394, 323}, 640, 480), (Size{394, 323}));
    EXPECT_EQ(ScaleToScreen({394, 323}, 640, 1024), (Size{394, 323}));
    EXPECT_EQ(ScaleToScreen({639, 451}, 1024, 768), (Size{1022, 721}));
}

ClusterSpace Space(std::uint64_t totalBytes, std::uint64_t freeBytes) {
    // One byte per sector and cluster keeps the figures exact.
    return {1, 1, freeBytes, totalBytes};
}

TEST(DriveInfoText, ListsOnlyFixedDrivesInLetterOrder) {
    FakePlatform fake;
    fake.drives.AddDrive('E', {drive::kFixed, Space(2147483648ull, 851443712ull)});
    fake.drives.AddDrive('A', {drive::kRemovable, Space(1474560, 0)});
    fake.drives.AddDrive('D', {drive::kCdRom, Space(700 * 1048576ull, 0)});
    fake.drives.AddDrive('F', {drive::kRemote, Space(1048576, 1048576)});
    fake.drives.AddDrive('C', {drive::kFixed, Space(1048576ull * 2047 + 1048576 / 2, 512)});
    EXPECT_EQ(BuildDriveInfoText(fake.drives),
              "C:\\ Total: 2.04 GB Free: 512 Bytes\r\n"
              "E:\\ Total: 2.04 GB Free: 812 MB\r\n");
}

TEST(DriveInfoText, EmptyWithoutFixedDrivesAndZeroForAFailingQuery) {
    FakePlatform fake;
    fake.drives.AddDrive('A', {drive::kRemovable});
    fake.drives.AddDrive('D', {drive::kCdRom});
    EXPECT_EQ(BuildDriveInfoText(fake.drives), "");

    fake.drives.AddDrive('C', {drive::kFixed, Space(1, 1), false});
    EXPECT_EQ(BuildDriveInfoText(fake.drives), "C:\\ Total: 0 Bytes Free: 0 Bytes\r\n");
}

class PowerActionsTest : public ::testing::Test {
  protected:
    PowerOutcome Run(PowerAction action) {
        return RunPowerAction(action, fake.prompts, fake.system);
    }
    FakePlatform fake;
};

TEST_F(PowerActionsTest, NoChangesNothing) {
    fake.prompts.QueueAnswers({false, false, false});
    EXPECT_EQ(Run(PowerAction::kShutDown), PowerOutcome::kDeclined);
    EXPECT_EQ(Run(PowerAction::kLogOff), PowerOutcome::kDeclined);
    EXPECT_EQ(Run(PowerAction::kReboot), PowerOutcome::kDeclined);
    EXPECT_TRUE(fake.system.ExitRequests().empty());
    EXPECT_EQ(fake.prompts.Questions(),
              (std::vector<std::string>{"Shut Down the computer?",
                                        "Close all programs and Log On as a different user?",
                                        "Restart the computer?"}));
}

TEST_F(PowerActionsTest, AcceptedRequestsCloseHungProgramsOnly) {
    fake.prompts.SetDefaultAnswer(true);
    fake.system.SetExitAccepted(true);
    EXPECT_EQ(Run(PowerAction::kShutDown), PowerOutcome::kAccepted);
    EXPECT_EQ(Run(PowerAction::kLogOff), PowerOutcome::kAccepted);
    EXPECT_EQ(Run(PowerAction::kReboot), PowerOutcome::kAccepted);
    EXPECT_EQ(fake.system.ExitRequests(), (std::vector<unsigned>{0x11, 0x10, 0x12}));
    EXPECT_TRUE(fake.prompts.Notices().empty());
}

TEST_F(PowerActionsTest, RefusalsAreReportedAndThePrivilegeIsDroppedAgain) {
    fake.prompts.SetDefaultAnswer(true);
    fake.system.SetExitAccepted(false);
    EXPECT_EQ(Run(PowerAction::kShutDown), PowerOutcome::kRefused);
    EXPECT_EQ(Run(PowerAction::kLogOff), PowerOutcome::kRefused);
    EXPECT_EQ(Run(PowerAction::kReboot), PowerOutcome::kRefused);
    EXPECT_EQ(fake.prompts.Notices(),
              (std::vector<std::string>{"Unable to shutdown. An application refused to close!",
                                        "Unable to logoff. An application refused to close!",
                                        "Unable to reboot. An application refused to close!"}));
    ASSERT_FALSE(fake.system.Calls().empty());
    EXPECT_EQ(fake.system.Calls().back(), "disable SeShutdownPrivilege");
}

TEST(ExitToDos, OpensTheShortcutOnlyWhenItIsStillThere) {
    FakePlatform fake;
    fake.prompts.SetDefaultAnswer(true);
    EXPECT_FALSE(RunExitToDos(fake.platform(), "C:\\WINDOWS"));
    EXPECT_TRUE(fake.shell.RunRequests().empty());

    fake.fs.AddFile("C:\\WINDOWS\\Exit To Dos.pif", 967);
    fake.prompts.QueueAnswers({false});
    EXPECT_FALSE(RunExitToDos(fake.platform(), "C:\\WINDOWS"));
    EXPECT_TRUE(fake.shell.RunRequests().empty());

    EXPECT_TRUE(RunExitToDos(fake.platform(), "C:\\WINDOWS"));
    ASSERT_EQ(fake.shell.RunRequests().size(), 1u);
    EXPECT_EQ(fake.shell.RunRequests()[0].file, "C:\\WINDOWS\\Exit To Dos.pif");
    EXPECT_EQ(fake.shell.RunRequests()[0].directory, "C:\\WINDOWS");
    EXPECT_EQ(fake.shell.RunRequests()[0].showMode, kShowNormal);
    EXPECT_EQ(fake.prompts.Questions().back(), "Restart the computer in MS-DOS mode?");
}

TEST(Help, OpensTheHelpFileOrSaysItIsMissing) {
    FakePlatform fake;
    OpenHelp(fake.platform(), "C:\\Tools\\");
    EXPECT_EQ(fake.prompts.Notices(), std::vector<std::string>{"Help File Is Missing!"});
    EXPECT_TRUE(fake.shell.RunRequests().empty());

    fake.fs.AddFile("C:\\Tools\\Sorvane.hlp", 100);
    OpenHelp(fake.platform(), "C:\\Tools\\");
    ASSERT_EQ(fake.shell.RunRequests().size(), 1u);
    EXPECT_EQ(fake.shell.RunRequests()[0].file, "C:\\Tools\\Sorvane.hlp");
    EXPECT_EQ(fake.shell.RunRequests()[0].directory, "C:\\Tools\\");
}

}  // namespace
}  // namespace sorvane
