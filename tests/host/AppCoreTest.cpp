// The pieces every window shares: drives, one pass at a time, start-up, power actions.
#include <stdexcept>

#include "TestSupport.h"
#include "core/app/PowerActions.h"
#include "core/app/SharedValues.h"
#include "core/dialogs/DirectoryPicking.h"
#include "core/settings/RunEntry.h"
#include "core/utils/AllUtils.h"

namespace sorvane {
namespace {

TEST(AllUtils, DiskSpacePast32BitsAndReadinessLeavingTheDirectoryAsItWas) {
    FakeDrives drives;
    // 2^32 clusters of 64 KiB: a product past 32 bits.
    drives.AddDrive('D', {.type = drive::kCdRom, .space = {128, 512, 1ULL << 31, 1ULL << 32}});
    drives.AddDrive('A', {.type = drive::kRemovable, .ready = false});
    drives.AddDrive('C');
    EXPECT_EQ(GetDiskSpace(drives, "D:\\").total, 1ULL << 48);
    drives.ChangeDirectory("C:\\Work");
    EXPECT_TRUE(IsDriveReady(drives, 'D'));
    EXPECT_FALSE(IsDriveReady(drives, 'A'));
    EXPECT_EQ(drives.CurrentDirectory(), "C:\\Work");
    for (const DirectoryChange& c : drives.DirectoryChanges())  // with no system error box
        EXPECT_TRUE(c.path == "C:\\Work" || c.errorMode == kFailCriticalErrors) << c.path;
}

TEST(PassRunnerTest, ASecondPassIsRefusedAndWaitingWorkRunsOnceAfterTheFirst) {
    test::RecordingView view;
    PassRunner other(view.gate, view);
    Texts log;
    const bool ran = view.runner.Run(PassRunner::Kind::kStoppable, [&] {
        EXPECT_TRUE(view.runner.Running() && view.busy);
        EXPECT_FALSE(other.Run(PassRunner::Kind::kAction, [&] { log.push_back("nested"); }));
        EXPECT_EQ(view.status, kPassBusyStatus);
        for (int tick = 0; tick < 3; ++tick)
            view.gate.RunWhenIdle("clean", [&] { log.push_back("clean"); });
        view.gate.RunWhenIdle("check", [&] {
            // Work that waited may run a pass of its own.
            EXPECT_TRUE(other.Run(PassRunner::Kind::kAction, [&] { log.push_back("check"); }));
        });
        view.gate.StopAll();
        EXPECT_FALSE(view.runner.Running());
        log.push_back("scan");
    });
    EXPECT_TRUE(ran);
    EXPECT_THAT(log, ElementsAre("scan", "clean", "check"));
    EXPECT_FALSE(view.busy);
    // A pass that fails leaves the window idle and the gate open.
    EXPECT_THROW(view.runner.Run(PassRunner::Kind::kStoppable,
                                 [] { throw std::runtime_error("disk gone"); }),
                 std::runtime_error);
    EXPECT_FALSE(view.runner.Active() || view.busy);
    EXPECT_TRUE(view.runner.CanRun());
}

constexpr char kProgram[] = "C:\\Program Files\\Sorvane\\Sorvane.exe";
constexpr char kQuoted[] = "\"C:\\Program Files\\Sorvane\\Sorvane.exe\"";

TEST(RunEntryTest, EachPlatformRegistersAQuotedPathUnderItsRunKey) {
    // The platform, whether the user has the NT Run key, and the key written (none: nothing).
    const std::tuple<const char*, bool, const char*> cases[] = {
        {"Windows 95/98", true, kWin9xRunKey},
        {"Windows NT", true, kNtRunKey},
        {"Windows NT", false, kWin9xRunKey},
        {"Windows 3.1", true, nullptr}};
    for (const auto& [platform, ntKey, writtenTo] : cases) {
        SCOPED_TRACE(platform);
        FakeRegistry registry;
        registry.AddKey(kWin9xRunKey);
        if (ntKey) registry.AddKey(kNtRunKey);
        const RunEntry entry(registry, RunKeyFor(platform, registry));
        entry.Register(kProgram);
        for (const char* key : {kWin9xRunKey, kNtRunKey}) {
            const bool written = writtenTo != nullptr && std::string(key) == writtenTo;
            EXPECT_EQ(registry.ReadString(key, "Sorvane"),
                      written ? std::optional<std::string>(kQuoted) : std::nullopt);
        }
        entry.Unregister();
        EXPECT_FALSE(entry.Present(kProgram));
    }
}

TEST(RunEntryTest, TheEntryCountsWhenItNamesThisProgramQuotedOrNot) {
    const std::pair<const char*, bool> cases[] = {
        {kQuoted, true},
        {kProgram, true},  // written before the quotes
        {"\"c:\\program files\\SORVANE\\sorvane.EXE\"", true},
        {"\"\"", false},
        {"\"C:\\Program Files\\Sorvane\\Sorvane.exe\" /min", false}};
    FakeRegistry registry;
    const RunEntry entry(registry, kWin9xRunKey);
    for (const auto& [value, present] : cases) {
        registry.SetValue(kWin9xRunKey, "Sorvane", value);
        EXPECT_EQ(entry.Present(kProgram), present) << value;
    }
}

TEST(SharedValues, SettingsFileAndShellFoldersOfThePlatform) {
    FakePlatform fake;
    fake.system.SetUserName("guest");
    fake.system.SetProgramPath("C:\\Tools\\Sorvane.exe");
    const auto compute = [&] { return ComputeSharedValues(fake.system, fake.registry, fake.fs); };
    EXPECT_EQ(compute().settingsPath, "C:\\Tools\\guest.INI");
    // NT without its own key uses the common one.
    const std::string key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    fake.registry.SetValue(key, "Desktop", "C:\\9x\\Desktop");
    EXPECT_EQ(compute().desktopDir, "C:\\9x\\Desktop");
    fake.registry.SetValue("SOFTWARE\\Microsoft\\Windows NT" + key.substr(26), "Desktop", "C:\\NT");
    EXPECT_EQ(compute().desktopDir, "C:\\NT");
}

// Beside the program whenever that works; in the user's application data for a program
// installed where the user cannot write.
TEST(SharedValues, SettingsFileStaysBesideTheProgramUnlessItCannotBeWrittenThere) {
    // Writable, a settings file already beside the program, the application data folder.
    const std::tuple<bool, bool, const char*, const char*> cases[] = {
        {true, false, "C:\\AppData", "C:\\Program Files\\Sorvane\\guest.INI"},
        {false, true, "C:\\AppData", "C:\\Program Files\\Sorvane\\guest.INI"},
        {false, false, "C:\\AppData", "C:\\AppData\\Sorvane\\guest.INI"},
        {false, false, "", "C:\\Program Files\\Sorvane\\guest.INI"}};
    for (const auto& [writable, fileBeside, appData, expected] : cases) {
        FakePlatform fake;
        const std::string dir = "C:\\Program Files\\Sorvane\\";
        fake.fs.AddDir(dir);
        if (fileBeside) fake.fs.AddFile(dir + "guest.INI");
        if (!writable) fake.fs.DenyCreatingIn(dir);
        EXPECT_EQ(SettingsPathFor(fake.fs, dir, appData, "guest"), expected) << expected;
    }
}

TEST(PowerActions, AskFirstCloseHungProgramsOnlyAndReportRefusals) {
    // The action, its question, the flags of its request (hung programs only are closed) and
    // the word for its refusal.
    const std::tuple<PowerAction, const char*, unsigned, const char*> cases[] = {
        {PowerAction::kShutDown, "Shut Down the computer?", 0x11, "shutdown"},
        {PowerAction::kLogOff, "Close all programs and Log On as a different user?", 0x10,
         "logoff"},
        {PowerAction::kReboot, "Restart the computer?", 0x12, "reboot"}};
    for (const auto& [action, question, flags, refusal] : cases) {
        SCOPED_TRACE(question);
        FakePlatform fake;
        fake.system.SetPrivilegeResult(false);  // does not stop the request
        const auto run = [&, action = action] {
            return RunPowerAction(action, fake.prompts, fake.system);
        };
        EXPECT_EQ(run(), PowerOutcome::kDeclined);
        fake.prompts.SetDefaultAnswer(true);
        EXPECT_EQ(run(), PowerOutcome::kAccepted);
        fake.system.SetExitAccepted(false);
        EXPECT_EQ(run(), PowerOutcome::kRefused);
        EXPECT_EQ(fake.prompts.Questions(), Texts(3, question));
        EXPECT_EQ(fake.system.ExitRequests(), std::vector<unsigned>(2, flags));
        EXPECT_EQ(fake.prompts.Notices(), Texts{std::string("Unable to ") + refusal +
                                                ". An application refused to close!"});
    }
    FakePlatform fake;
    fake.fs.AddFile("C:\\WINDOWS\\Exit To Dos.pif", 967);
    fake.prompts.QueueAnswers({false, true});
    EXPECT_FALSE(RunExitToDos(fake.platform(), "C:\\WINDOWS"));
    EXPECT_TRUE(RunExitToDos(fake.platform(), "C:\\WINDOWS"));
    EXPECT_EQ(fake.shell.RunRequests(), Texts{"C:\\WINDOWS\\Exit To Dos.pif"});
}

TEST(DirectoryPicking, ListsDrivesAndAcceptsThoseWithoutMediaUnasked) {
    FakePlatform fake;
    fake.drives.AddDrive('A', {drive::kRemovable, {}, false});
    fake.drives.AddDrive('N', {drive::kRemote, {}, false});
    fake.drives.AddDrive('U', {drive::kUnknown, {}, true});
    EXPECT_EQ(ListTreeDrives(fake.drives, false).size(), 2u);
    for (const char* path : {"N:\\Share", "U:\\", "Q:\\Gone", kNoDirectory})
        EXPECT_TRUE(MayAcceptDirectory(fake.drives, fake.prompts, path)) << path;
    EXPECT_THAT(fake.prompts.Questions(), IsEmpty());
    EXPECT_THAT(fake.drives.ErrorModesSet(), IsEmpty());  // no medium was touched
}

}  // namespace
}  // namespace sorvane
