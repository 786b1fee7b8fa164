// System facts, the registry, drives, the user's locale, where the help viewer comes from, and
// what runs on the thread's messages: timers, the event pump and message boxes.

#include <functional>
#include <stdexcept>
#include <tuple>
#include <utility>

#include "WineTestSupport.h"
#include "core/dirclean/TargetProfiles.h"
#include "core/utils/AllUtils.h"
#include "win/framework/HelpViewer.h"
#include "win/platform/EntryGuard.h"

namespace sorvane {
namespace {

using test::EnvironmentVariable;

TEST(System, FactsPrivilegesRegistryValuesWithoutMakingAKeyAndThePrefixDrives) {
    WinSystemInfo system;
    EXPECT_EQ(system.WindowsDirectory(), "C:\\windows");  // no trailing backslash
    EXPECT_TRUE(system.SetProcessPrivilege("SeShutdownPrivilege", true));
    EXPECT_FALSE(system.SetProcessPrivilege("SeNoSuchPrivilegeAtAll", true));
    // Application data, shared or the user's, asks before it becomes a target; %TEMP% not.
    const std::vector<std::string> folders = system.SystemFolders();
    for (const std::string name : {"APPDATA", "LOCALAPPDATA", "ProgramData", "TEMP"}) {
        ASSERT_FALSE(EnvironmentVariable(name).empty()) << name;
        EXPECT_EQ(FolderAtRisk(EnvironmentVariable(name), 0, folders).has_value(), name != "TEMP")
            << name;
    }

    // The registry service only ever opens keys, so the test makes its own and removes it.
    const std::string key = "Software\\SorvaneTests\\" + std::to_string(GetCurrentProcessId());
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, Widen(key).c_str(), L"E", REG_SZ, L"", 2), 0);
    WinRegistry registry;
    const std::string value =
        "\"C:\\Program Files\\Sorvane.exe\" Ελληνικά " + std::string(5000, 'v');
    EXPECT_TRUE(registry.KeyExists(key));
    EXPECT_EQ(registry.ReadString(key, "E"), "");
    ASSERT_TRUE(registry.WriteString(key, "Sorvane", value));
    EXPECT_EQ(registry.ReadString(key, "sorvane"), value);
    EXPECT_TRUE(registry.DeleteValue(key, "Sorvane"));
    EXPECT_FALSE(registry.ReadString(key, "Sorvane"));
    EXPECT_FALSE(registry.DeleteValue(key, "Sorvane"));
    EXPECT_FALSE(registry.WriteString(key + "\\Missing", "Name", "value"));
    EXPECT_FALSE(registry.KeyExists(key + "\\Missing"));
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\SorvaneTests");

    // The prefix drives, as scripts/setup-wine-prefix.sh makes them; Q: is absent.
    WinDrives drives;
    const std::tuple<char, unsigned, bool> rows[] = {
        {'A', drive::kRemovable, true}, {'B', drive::kRemovable, false},
        {'C', drive::kFixed, true},     {'D', drive::kCdRom, true},
        {'E', drive::kCdRom, false},    {'Q', drive::kNoRootDir, false}};
    for (const auto& [letter, type, ready] : rows) {
        const std::string root = std::string(1, letter) + ":\\";
        EXPECT_EQ(drives.DriveType(root), type) << root;
        EXPECT_EQ(DriveExists(drives, letter - 'A'), type != drive::kNoRootDir) << root;
        EXPECT_EQ(IsDriveReady(drives, letter), ready) << root;
        EXPECT_TRUE(ready || GetDiskSpace(drives, root).total == 0) << root;
    }
    const DiskSpace c = GetDiskSpace(drives, "C:\\");
    EXPECT_TRUE(c.total > 0 && c.free <= c.total);
}

TEST(Locale, SortKeysFollowTheComparisonCaseMapsBeyondAsciiDateTimesReadBackAndHelpIsTheSystems) {
    WinLocale locale;
    const std::string texts[] = {"",      "a",      "A",       "Abd",        "Äpfel",
                                 "äpfel", "Apfel",  "résumé",  "RÉSUMÉ",     "resume",
                                 "file9", "file10", "co-op",   "coop",       "Ωmega",
                                 "ωMEGA", "straße", "STRASSE", "C:\\Temp\\", "C:\\TEMP"};
    const auto sign = [](int v) { return (v > 0) - (v < 0); };
    for (const std::string& a : texts) {
        for (const std::string& b : texts) {
            const int byKey = locale.SortKey(a).compare(locale.SortKey(b));
            EXPECT_EQ(sign(byKey), sign(locale.CompareText(a, b))) << a << " against " << b;
        }
    }
    EXPECT_EQ(locale.CompareText("Résumé", "RÉSUMÉ"), 0);
    EXPECT_NE(locale.CompareText("resume", "résumé"), 0);
    EXPECT_LT(locale.CompareText("apple", "Banana"), 0);
    EXPECT_EQ(locale.Upper("àéî σω жя abc"), "ÀÉÎ ΣΩ ЖЯ ABC");
    EXPECT_EQ(locale.Lower("ÀÉÎ ΣΩ ЖЯ ABC"), "àéî σω жя abc");

    // An afternoon a 12-hour format must keep apart from 3 AM, noon, just after midnight.
    for (const DateTime& value :
         {DateTime{2023, 12, 31, 15, 5, 9}, DateTime{1999, 11, 22, 12, 0, 1},
          DateTime{2024, 2, 29, 0, 0, 1}, DateTime{2022, 6, 15, 0, 0, 0}}) {
        EXPECT_EQ(locale.ParseDateTime(locale.FormatDateTime(value)), value);
    }
    const std::string date = locale.FormatDateTime({2022, 6, 15, 0, 0, 0});
    EXPECT_EQ(locale.ParseDateTime(date + " 13:45"), (DateTime{2022, 6, 15, 13, 45, 0}));
    EXPECT_EQ(locale.ParseDateTime("  " + date + " 7:08:09  "), (DateTime{2022, 6, 15, 7, 8, 9}));
    // Nonsense, an hour or minute too many, and 30 February in the user's own field order.
    const std::string february = locale.FormatDateTime({2021, 2, 28, 0, 0, 0});
    const std::size_t at = february.find("28");
    ASSERT_NE(at, std::string::npos);
    for (const std::string& bad :
         {std::string(), std::string("abc"), std::string("12"), date + " nonsense", date + " 25:00",
          date + " 10:61", february.substr(0, at) + "30" + february.substr(at + 2)}) {
        EXPECT_FALSE(locale.ParseDateTime(bad)) << bad;
    }
    // File times: one second and a tenth after 1970 began, the fraction dropped.
    EXPECT_EQ(locale.FromFileTime(116444736000000000ull + 11'000'000ull),
              (DateTime{1970, 1, 1, 0, 0, 1}));
    EXPECT_FALSE(locale.FromFileTime(0x8000'0000'0000'0000ull));

    // A portable copy unpacked into Downloads may have a file of the help viewer's name beside
    // it: the system's library is loaded.
    const std::string program = WinSystemInfo().ProgramPath();
    const std::string folder = program.substr(0, program.rfind('\\') + 1);
    const std::wstring planted = Widen(folder + "hhctrl.ocx");
    ASSERT_TRUE(CopyFileW(Widen(folder + "planted-hhctrl.dll").c_str(), planted.c_str(), FALSE));
    wchar_t loaded[MAX_PATH]{}, system[MAX_PATH]{};
    {
        HtmlHelpViewer viewer;
        EXPECT_FALSE(viewer.ShowContents(nullptr, "Z:\\no\\such\\Sorvane.chm"));
        GetModuleFileNameW(GetModuleHandleW(L"hhctrl.ocx"), loaded, MAX_PATH);
    }
    DeleteFileW(planted.c_str());
    GetSystemDirectoryW(system, MAX_PATH);
    EXPECT_STRCASEEQ(Narrow(loaded).c_str(), (Narrow(system) + "\\hhctrl.ocx").c_str());
}

// Presses the button `g_press` in this thread's message box, from inside its modal loop, and
// notes what the box showed, as "caption|text|buttons", and whether `g_owner` owns it.
int g_press = 0;
HWND g_owner = nullptr;
std::wstring g_seen;
void CALLBACK AnswerBox(HWND, UINT, UINT_PTR, DWORD) {
    const HWND box = GetActiveWindow();
    if (box == nullptr || g_press == 0) return;
    wchar_t caption[256], text[256];
    GetWindowTextW(box, caption, 256);
    GetDlgItemTextW(box, 0xFFFF, text, 256);  // the message text's static control
    g_seen = std::wstring(caption) + L"|" + text +
             (GetDlgItem(box, IDCANCEL) ? L"|ok/cancel" : L"|ok") +
             (GetWindow(box, GW_OWNER) == g_owner ? L"" : L"|not owned");
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(g_press, BN_CLICKED), 0);
    g_press = 0;
}

// A failing tick is reported like any error of the program, and its timer goes on.
TEST(Messages, TimersTickInTheLoopThePumpLeavesQuitAndPromptsHoldTheirOwner) {
    std::string error;
    SetErrorHandler([&](const std::string& message) { error = error.empty() ? message : error; });
    std::unique_ptr<ITimer> selfStopping;
    int ticks = 0, failing = 0, once = 0;
    {
        WinTimerService timers;
        auto timer = timers.Start(10, [&] { ++ticks; });
        const auto thrower =
            timers.Start(10, [&] { ++failing, throw std::runtime_error("failed"); });
        selfStopping = timers.Start(10, [&] { ++once, selfStopping.reset(); });
        EXPECT_EQ(ticks, 0);  // nothing happens outside the message loop
        ASSERT_TRUE(test::PumpUntil([&] { return ticks >= 3 && failing >= 2; }, 5000));
        timer.reset();
        const int stopped = ticks;
        test::PumpUntil([] { return false; }, 100);
        EXPECT_TRUE(ticks == stopped && once == 1);
        selfStopping = timers.Start(10, [] {});
    }
    selfStopping.reset();  // a timer may outlive its service
    SetErrorHandler(nullptr);
    EXPECT_EQ(error, "failed");

    // The event pump handles what waits and leaves a quit for the main loop.
    PostThreadMessageW(GetCurrentThreadId(), WM_APP, 0, 0);
    PostQuitMessage(7);
    WinEventPump().ProcessPending();
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE) && msg.message == WM_QUIT &&
                msg.wParam == 7);

    // Prompts (Yes and No: the end-to-end and window tests); without an X display Wine's message
    // boxes return at once without showing anything.
    if (EnvironmentVariable("DISPLAY").empty()) GTEST_SKIP() << "run under Xvfb";
    const UniqueWindow owner(CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 100,
                                             100, nullptr, nullptr, nullptr, nullptr));
    WinPrompts prompts("Sorvane Ελληνικά", g_owner = owner.Get());
    const auto answered = [](int button, const std::function<bool()>& ask) {
        g_press = button;
        const UINT_PTR timer = SetTimer(nullptr, 0, 20, &AnswerBox);
        const bool answer = ask();
        KillTimer(nullptr, timer);
        return (answer ? L"yes|" : L"no|") + std::exchange(g_seen, L"");
    };
    const auto insertDisk = [&] { return prompts.Ask("Insert a disk", Buttons::kOkCancel); };
    EXPECT_EQ(answered(IDOK, insertDisk), L"yes|Confirm|Insert a disk|ok/cancel");
    EXPECT_EQ(answered(IDCANCEL, insertDisk), L"no|Confirm|Insert a disk|ok/cancel");
    EXPECT_EQ(answered(IDOK, [&] { return prompts.Error("Unable to write"), false; }),
              L"no|Sorvane Ελληνικά|Unable to write|ok");
}

}  // namespace
}  // namespace sorvane
