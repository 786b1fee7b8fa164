// System facts, privileges, the registry, drives, the user's locale, and where the help
// viewer comes from.
#include <gtest/gtest.h>

#include "WineTestSupport.h"
#include "core/dirclean/TargetProfiles.h"
#include "core/utils/AllUtils.h"
#include "win/framework/HelpViewer.h"
#include "win/platform/WinDrives.h"
#include "win/platform/WinLocale.h"
#include "win/platform/WinRegistry.h"
#include "win/platform/WinSystemInfo.h"

namespace sorvane {
namespace {

TEST(System, FactsAboutTheSystemAndTheProgramAndPrivilegesByName) {
    WinSystemInfo system;
    EXPECT_FALSE(system.UserName().empty());
    EXPECT_EQ(system.WindowsDirectory(), "C:\\windows");  // no trailing backslash
    EXPECT_NE(system.ProgramPath().find("\\platform_tests.exe"), std::string::npos);
    EXPECT_TRUE(system.SetProcessPrivilege("SeShutdownPrivilege", true));
    EXPECT_FALSE(system.SetProcessPrivilege("SeNoSuchPrivilegeAtAll", true));

    // Application data, shared or the user's, asks before it becomes a target; %TEMP% not.
    const std::vector<std::string> folders = system.SystemFolders();
    for (const char* name : {"APPDATA", "LOCALAPPDATA", "ProgramData"}) {
        const std::string value = test::EnvironmentVariable(name);
        ASSERT_FALSE(value.empty()) << name;
        EXPECT_TRUE(FolderAtRisk(value, 0, folders)) << value;
    }
    EXPECT_FALSE(FolderAtRisk(test::EnvironmentVariable("TEMP"), 0, folders));
}

// The registry service only ever opens keys, so the test makes its own and removes it.
TEST(Registry, StringValuesRoundTripAndMissingKeysAreNeverCreated) {
    const std::string key = "Software\\SorvaneTests\\" + std::to_string(GetCurrentProcessId());
    HKEY handle = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, Widen(key).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &handle, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(handle);
    WinRegistry registry;
    const std::string value =
        "\"C:\\Program Files\\Sorvane\\Sorvane.exe\" Ελληνικά " + std::string(5000, 'v');
    EXPECT_TRUE(registry.KeyExists(key));
    ASSERT_TRUE(registry.WriteString(key, "Sorvane", value) && registry.WriteString(key, "E", ""));
    EXPECT_EQ(registry.ReadString(key, "sorvane"), value);
    EXPECT_EQ(registry.ReadString(key, "E"), "");
    EXPECT_TRUE(registry.DeleteValue(key, "Sorvane"));
    EXPECT_FALSE(registry.ReadString(key, "Sorvane"));
    EXPECT_FALSE(registry.DeleteValue(key, "Sorvane"));
    EXPECT_FALSE(registry.WriteString(key + "\\Missing", "Name", "value"));
    EXPECT_FALSE(registry.KeyExists(key + "\\Missing"));
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\SorvaneTests");
}

// The prefix drives (scripts/setup-wine-prefix.sh): A: floppy with a disk, B: floppy
// without one, D: CD-ROM with a disc, E: empty CD-ROM, Q: absent.
TEST(Drives, TypesMaskReadinessAndSpaceOfThePrefixDrives) {
    WinDrives drives;
    const struct {
        char letter;
        unsigned type;
        bool ready;
    } rows[] = {{'A', drive::kRemovable, true}, {'B', drive::kRemovable, false},
                {'C', drive::kFixed, true},     {'D', drive::kCdRom, true},
                {'E', drive::kCdRom, false},    {'Q', drive::kNoRootDir, false}};
    for (const auto& row : rows) {
        const std::string root = std::string(1, row.letter) + ":\\";
        EXPECT_EQ(drives.DriveType(root), row.type) << root;
        EXPECT_EQ(IsDriveReady(drives, row.letter), row.ready) << root;
        EXPECT_TRUE(row.ready || GetDiskSpace(drives, root).total == 0) << root;
    }
    EXPECT_TRUE(DriveExists(drives, 3));
    EXPECT_FALSE(DriveExists(drives, 16));  // Q:
    const DiskSpace c = GetDiskSpace(drives, "C:\\");
    EXPECT_GT(c.total, 0u);
    EXPECT_LE(c.free, c.total);
}

TEST(Locale, SortKeysOrderLikeTheCaseBlindComparison) {
    WinLocale locale;
    const std::string texts[] = {"",      "a",      "A",       "Abd",        "Äpfel",
                                 "äpfel", "Apfel",  "résumé",  "RÉSUMÉ",     "resume",
                                 "file9", "file10", "co-op",   "coop",       "Ωmega",
                                 "ωMEGA", "straße", "STRASSE", "C:\\Temp\\", "C:\\TEMP"};
    const auto sign = [](int v) { return (v > 0) - (v < 0); };
    for (const std::string& a : texts) {
        for (const std::string& b : texts) {
            EXPECT_EQ(sign(locale.SortKey(a).compare(locale.SortKey(b))),
                      sign(locale.CompareText(a, b)))
                << a << " against " << b;
        }
    }
    EXPECT_EQ(locale.CompareText("Résumé", "RÉSUMÉ"), 0);
    EXPECT_NE(locale.CompareText("resume", "résumé"), 0);
    EXPECT_LT(locale.CompareText("apple", "Banana"), 0);
    EXPECT_EQ(locale.Upper("àéî σω жя abc"), "ÀÉÎ ΣΩ ЖЯ ABC");
    EXPECT_EQ(locale.Lower("ÀÉÎ ΣΩ ЖЯ ABC"), "àéî σω жя abc");
}

TEST(Locale, DateTimesReadBackAndMidnightShowsTheDateAlone) {
    WinLocale locale;
    const DateTime values[] = {
        {2023, 12, 31, 15, 5, 9},  // afternoon: a 12-hour format must keep it apart from 3 AM
        {1999, 11, 22, 12, 0, 1},  // noon
        {2024, 2, 29, 0, 0, 1},    // just after midnight
        {2022, 6, 15, 0, 0, 0}};
    for (const DateTime& value : values) {
        const std::string text = locale.FormatDateTime(value);
        EXPECT_EQ(locale.ParseDateTime(text), value) << text;
    }
    const std::string date = locale.FormatDateTime({2022, 6, 15, 0, 0, 0});
    EXPECT_EQ(date.find(' '), std::string::npos) << date;
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
}

// A portable copy unpacked into Downloads may have a file of the viewer's name beside it.
TEST(HelpViewer, LoadsTheSystemsLibraryNotOnePlantedBesideTheProgram) {
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

}  // namespace
}  // namespace sorvane
