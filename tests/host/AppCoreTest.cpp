// The pieces every window shares, on the fake platform: the texts of sizes and records, the
// drives, one pass at a time, the start-with-Windows entry, the start-up values, the power
// actions and the directory tree.
#include <stdexcept>

#include "TestSupport.h"
#include "core/app/DriveInfo.h"
#include "core/app/PowerActions.h"
#include "core/app/ScreenScaling.h"
#include "core/app/SharedValues.h"
#include "core/dialogs/DirectoryPicking.h"
#include "core/settings/RunEntry.h"
#include "core/utils/AllUtils.h"
#include "core/utils/RecordCodec.h"
#include "core/utils/SortedTextList.h"

namespace sorvane {
namespace {

TEST(FormatByteSize, Texts) {
    // Kilobytes round half to even; below 100 MB one decimal, cut, with ".0" left out; from
    // 1000 MB two decimals cut from the megabyte digits.
    const std::pair<std::uint64_t, const char*> bytes[] = {
        {0, "0 Bytes"}, {1023, "1023 Bytes"}, {1535, "1 KB"},         {1536, "2 KB"},
        {2560, "2 KB"}, {1048575, "1024 KB"}, {104857599, "99.9 MB"}, {UINT64_MAX, "17.59 EB"}};
    for (const auto& [count, text] : bytes) EXPECT_EQ(FormatByteSize(count), text) << count;
    const std::pair<double, const char*> megabytes[] = {
        {1.05, "1 MB"},       {1.5, "1.5 MB"},         {12.39, "12.3 MB"}, {999.9, "999 MB"},
        {2047.98, "2.04 GB"}, {123456.7, "123.45 GB"}, {1e6, "1.00 TB"}};
    for (const auto& [mb, text] : megabytes) {
        EXPECT_EQ(FormatByteSize(static_cast<std::uint64_t>(mb * 1024 * 1024)), text) << mb;
    }
}

TEST(AllUtils, DrivesTheirSpaceAndReadinessLeavingDirectoryAndErrorModeAsTheyWere) {
    EXPECT_EQ(StripTrailingBackslash("C:\\Temp\\\\"), "C:\\Temp\\");
    EXPECT_EQ(StripTrailingBackslash(""), "");
    FakeDrives drives;
    drives.SetMask((1U << 2) | (1U << 31));
    for (const int index : {2, 31, 34}) EXPECT_TRUE(DriveExists(drives, index)) << index;
    for (const int index : {0, 3, 35}) EXPECT_FALSE(DriveExists(drives, index)) << index;
    // 2^32 clusters of 64 KiB: a product past 32 bits.
    drives.AddDrive('D', {.type = drive::kCdRom, .space = {128, 512, 1ULL << 31, 1ULL << 32}});
    drives.AddDrive('A', {.type = drive::kRemovable, .space = {1, 512, 10, 20}, .ready = false});
    drives.AddDrive('C');
    EXPECT_EQ(DriveTypeName(drives, "D:\\"), "CdRom");
    EXPECT_EQ(DriveTypeName(drives, "Q:\\"), "Path does not exists");
    const DiskSpace space = GetDiskSpace(drives, "D:\\");
    EXPECT_EQ(std::tuple(space.total, space.free), std::tuple(1ULL << 48, 1ULL << 47));
    for (const char* root : {"A:\\", "Q:\\"}) EXPECT_EQ(GetDiskSpace(drives, root).total, 0U);

    drives.ChangeDirectory("C:\\Work");
    drives.SetErrorMode(1);
    EXPECT_TRUE(IsDriveReady(drives, 'D'));
    EXPECT_FALSE(IsDriveReady(drives, 'A') || IsDriveReady(drives, 'Q'));
    EXPECT_EQ(drives.CurrentDirectory(), "C:\\Work");
    ASSERT_FALSE(drives.ErrorModesSet().empty());
    EXPECT_EQ(drives.ErrorModesSet().back(), 1U);
    // The drive is touched with no system error box.
    for (const DirectoryChange& c : drives.DirectoryChanges())
        EXPECT_TRUE(c.path == "C:\\Work" || c.errorMode == kFailCriticalErrors) << c.path;
}

TEST(RecordCodec, EncodesEveryFieldQuotedAndDecodesWhateverComes) {
    EXPECT_EQ(EncodeRecord({"C:\\Temp", "say \"hi\"", ""}), R"("C:\Temp","say ""hi""","")");
    EXPECT_EQ(EncodeRecord({}), "");
    const std::pair<const char*, Texts> cases[] = {
        {R"("a,b","c")", {"a,b", "c"}},
        {R"("say ""hi""","""")", {"say \"hi\"", "\""}},
        {"", {}},
        {R"("")", {""}},
        {"a,,b", {"a", "", "b"}},
        {R"("a",)", {"a", ""}},
        {R"(12, spaced ,"q",x"y)", {"12", " spaced ", "q", "x\"y"}},
        // Broken quoting keeps its text.
        {R"("never closed,still here)", {"never closed,still here"}},
        {R"("ab"cd,"e")", {"abcd", "e"}}};
    for (const auto& [record, fields] : cases) EXPECT_EQ(DecodeRecord(record), fields) << record;
    for (const Texts& fields : {Texts{"Größe.txt", "日本語", "12,5 MB", "😀"},
                                Texts{"\"", "\"\"", ",", "\",\"", " "}, Texts{"", ""}}) {
        EXPECT_EQ(DecodeRecord(EncodeRecord(fields)), fields) << EncodeRecord(fields);
    }
}

TEST(SortedTextList, OrdersAndFindsWithoutRegardToCaseKeepingTheFirstSpelling) {
    FakeLocale locale;
    SortedTextList list(locale);
    for (const char* text : {"delta", "Bravo", "bravo"}) list.Add(text);
    EXPECT_EQ(list.Count(), 2U);
    // Adds after a read merge into order and lose to earlier equal entries.
    for (const char* text : {"charlie", "BRAVO", "alpha", "Charlie", "echo", "ALPHA"}) {
        list.Add(text);
    }
    EXPECT_THAT(list.Items(), ElementsAre("alpha", "Bravo", "charlie", "delta", "echo"));
    EXPECT_EQ(list.IndexOf("ECHO"), 4U);
    EXPECT_EQ(list.IndexOf("brav"), std::nullopt);
    EXPECT_TRUE(list.Contains("DELTA"));
    list.RemoveAt(1);
    EXPECT_THAT(list.Items(), ElementsAre("alpha", "charlie", "delta", "echo"));
    EXPECT_EQ(list.IndexOf("delta"), 2U);
    EXPECT_THROW(list.RemoveAt(4), std::out_of_range);
    EXPECT_THROW((void)list[4], std::out_of_range);
}

TEST(PassRunnerTest, ASecondPassIsRefusedAndWaitingWorkRunsOnceAfterTheFirst) {
    test::RecordingView view;
    PassRunner other(view.gate, view);
    Texts log;
    const bool ran = view.runner.Run(PassRunner::Kind::kStoppable, [&] {
        EXPECT_TRUE(view.runner.Running() && view.busy);
        EXPECT_FALSE(other.Run(PassRunner::Kind::kAction, [&] { log.push_back("nested"); }));
        EXPECT_EQ(view.status, kPassBusyStatus);
        for (int tick = 0; tick < 3; ++tick) {
            view.gate.RunWhenIdle("clean", [&] { log.push_back("clean"); });
        }
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
    const struct {
        const char* platform;
        bool ntKey;             // the user has the NT Run key
        const char* writtenTo;  // nullptr: no key, nothing is touched
    } cases[] = {{"Windows 95/98", true, kWin9xRunKey},
                 {"Windows NT", true, kNtRunKey},
                 {"Windows NT", false, kWin9xRunKey},
                 {"Windows 3.1", true, nullptr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.platform);
        FakeRegistry registry;
        registry.AddKey(kWin9xRunKey);
        if (c.ntKey) registry.AddKey(kNtRunKey);
        const RunEntry entry(registry, RunKeyFor(c.platform, registry));
        EXPECT_FALSE(entry.Present(kProgram));
        entry.Register(kProgram);
        for (const char* key : {kWin9xRunKey, kNtRunKey}) {
            const bool written = c.writtenTo != nullptr && std::string(key) == c.writtenTo;
            EXPECT_EQ(registry.ReadString(key, "Sorvane"),
                      written ? std::optional<std::string>(kQuoted) : std::nullopt);
        }
        EXPECT_EQ(entry.Present(kProgram), c.writtenTo != nullptr);
        entry.Unregister();
        EXPECT_FALSE(entry.Present(kProgram));
        if (c.writtenTo != nullptr) continue;
        // Without a key even an entry already there stays.
        registry.SetValue(kWin9xRunKey, "Sorvane", kQuoted);
        EXPECT_FALSE(entry.Present(kProgram));
        entry.Unregister();
        EXPECT_TRUE(registry.ReadString(kWin9xRunKey, "Sorvane"));
    }
}

TEST(RunEntryTest, TheEntryCountsWhenItNamesThisProgramQuotedOrNot) {
    const std::pair<const char*, bool> cases[] = {
        {kQuoted, true},
        {kProgram, true},  // written before the quotes
        {"\"c:\\program files\\SORVANE\\sorvane.EXE\"", true},
        {"", false},
        {"\"\"", false},
        {"\"C:\\Program Files\\Sorvane\\Sorvane.exe", false},
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
    fake.system.SetWindowsDirectory("C:\\WINDOWS");
    const auto compute = [&] { return ComputeSharedValues(fake.system, fake.registry, fake.fs); };
    fake.system.SetPlatformId(platform_id::kWindows9x);
    const SharedValues v = compute();
    // The shell folders are unreadable yet.
    EXPECT_EQ(std::tie(v.programDir, v.settingsPath, v.windowsDir, v.startMenuDir, v.desktopDir),
              std::tuple("C:\\Tools\\", "C:\\Tools\\guest.INI", "C:\\WINDOWS", "", ""));
    const std::string key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    fake.registry.SetValue(key, "Start Menu", "C:\\9x\\Start Menu");
    fake.registry.SetValue(key, "Desktop", "C:\\9x\\Desktop");
    fake.registry.SetValue("Shell Folders", "Start Menu", "C:\\Top\\Start Menu");
    EXPECT_EQ(compute().startMenuDir, "C:\\9x\\Start Menu");
    EXPECT_EQ(compute().platformName, "Windows 95/98");
    // NT without its own key uses the common one.
    fake.system.SetPlatformId(platform_id::kWindowsNt);
    EXPECT_EQ(compute().desktopDir, "C:\\9x\\Desktop");
    fake.registry.SetValue("SOFTWARE\\Microsoft\\Windows NT" + key.substr(26), "Desktop", "C:\\NT");
    EXPECT_EQ(compute().desktopDir, "C:\\NT");
    fake.system.SetPlatformId(platform_id::kWin32s);
    EXPECT_EQ(compute().startMenuDir, "C:\\Top\\Start Menu");
    const Texts names = {"Windows 3.1", "Windows 95/98", "Windows NT", "", ""};
    for (int id = -1; id < 4; ++id) EXPECT_EQ(PlatformNameOf(id), names[(id + 5) % 5]) << id;
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

TEST(ScreenScaling, GrowsWithTheScreenButNotOnTheDesignScreen) {
    EXPECT_EQ(ScaleToScreen({394, 323}, 800, 600), (Size{492, 403}));
    EXPECT_EQ(ScaleToScreen({394, 323}, 640, 1024), (Size{394, 323}));
    EXPECT_EQ(ScaleToScreen({639, 451}, 1024, 768), (Size{1022, 721}));
}

TEST(DriveInfoText, ListsFixedDrivesInLetterOrderWithZeroForAFailingQuery) {
    FakeDrives drives;
    // One byte per sector and cluster keeps the figures exact.
    const auto space = [](std::uint64_t total, std::uint64_t free) {
        return ClusterSpace{1, 1, free, total};
    };
    drives.AddDrive('A', {drive::kRemovable, space(1474560, 0)});
    EXPECT_EQ(BuildDriveInfoText(drives), "");
    drives.AddDrive('E', {drive::kFixed, space(2147483648ull, 851443712ull)});
    drives.AddDrive('F', {drive::kRemote, space(1048576, 1048576)});
    drives.AddDrive('C', {drive::kFixed, space(1048576ull * 2047 + 1048576 / 2, 512)});
    drives.AddDrive('G', {drive::kFixed, space(1, 1), false});
    EXPECT_EQ(BuildDriveInfoText(drives),
              "C:\\ Total: 2.04 GB Free: 512 Bytes\r\n"
              "E:\\ Total: 2.04 GB Free: 812 MB\r\n"
              "G:\\ Total: 0 Bytes Free: 0 Bytes\r\n");
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
    EXPECT_EQ(fake.shell.RunRequests(), Texts{"C:\\WINDOWS\\Exit To Dos.pif"});

    // The help file opens in the help viewer; without a viewer it cannot be read at all.
    Texts opened;
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
    Texts shown;
    for (const TreeDrive& d : ListTreeDrives(fake.drives, false)) {
        shown.push_back(d.root + " " + DriveDisplayName(d));
    }
    EXPECT_THAT(shown, ElementsAre("A:\\ Removable Disk (A:)", "C:\\ Local Disk (C:)",
                                   "N:\\ Network Drive (N:)", "R:\\ RAM Disk (R:)"));
    EXPECT_EQ(ListTreeDrives(fake.drives, true).size(), 6u);
    EXPECT_THAT(fake.drives.ErrorModesSet(), IsEmpty());  // no medium was touched
    // The window tests ask for a disk in an empty drive; these have no medium to ask for.
    for (const char* path : {"N:\\Share", "R:\\", "U:\\", "Q:\\Gone", kNoDirectory}) {
        EXPECT_TRUE(MayAcceptDirectory(fake.drives, fake.prompts, path)) << path;
    }
    EXPECT_THAT(fake.prompts.Questions(), IsEmpty());

    // Every directory but the dots, in collation order, the system box off.
    fake.fs.AddDir("C:\\Data\\beta");
    fake.fs.AddDir("C:\\Data\\Alpha\\Deeper");
    fake.fs.AddDir("C:\\Data\\$Recycle.Bin", {attr::kHidden | attr::kSystem});
    fake.fs.AddDir("C:\\Data\\Gamma");
    fake.fs.AddFile("C:\\Data\\aardvark.txt", 10);
    const auto list = [&](const char* dir) {
        return ListSubdirectories(fake.fs, fake.drives, fake.locale, dir);
    };
    EXPECT_THAT(list("C:\\Data"), ElementsAre("$Recycle.Bin", "Alpha", "beta", "Gamma"));
    EXPECT_THAT(list("C:\\"), ElementsAre("Data"));
    fake.fs.DenyListing("C:\\Data");
    EXPECT_THAT(list("C:\\Data"), IsEmpty());
    EXPECT_THAT(list("Q:\\"), IsEmpty());
}

}  // namespace
}  // namespace sorvane
