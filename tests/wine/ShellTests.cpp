// The shell: moves, type names, documents, shortcuts, and the recycle bin, which Wine keeps in
// $XDG_DATA_HOME/Trash, with giving recycled files back.
#include <shlobj.h>

#include <algorithm>
#include <cstdint>
#include <tuple>

#include "WineTestSupport.h"
#include "core/platform/Drives.h"
#include "core/shortcuts/ShortcutJudgement.h"
#include "core/utils/AsciiText.h"

namespace sorvane {
namespace {

using test::ReadBytes;
using test::WriteBytes;

class Shell : public ::testing::Test {
  protected:
    const test::TempDir dir;  // under %TEMP%
    const ComApartment com;
    WinEventPump pump;
    WinShell shell{&pump};
};

TEST_F(Shell, MovesPairSourcesWithDestinationsTypeNamesNeedNoFileDocumentsRunInTheirDirectory) {
    for (const char* name : {"one.txt", "two.txt", "x.txt"}) WriteBytes(dir / name, name);
    ASSERT_TRUE(shell.MoveFiles({dir / "one.txt", dir / "two.txt"},
                                {dir / "new\\deeper\\first.txt", dir / "x.txt"}));
    EXPECT_FALSE(test::PathExists(dir / "one.txt"));
    EXPECT_EQ(ReadBytes(dir / "new\\deeper\\first.txt"), "one.txt");
    EXPECT_EQ(ReadBytes(dir / "x.txt"), "two.txt");  // replaced

    EXPECT_FALSE(shell.FileTypeName("C:\\nowhere\\at\\all\\x.txt").empty());
    // A relative output name lands in the working directory only if that was passed on.
    shell.RunDocument("C:\\windows\\system32\\cmd.exe", "/c echo launched> out.txt", dir.Path(),
                      kShowNoActivate);
    EXPECT_TRUE(test::PumpUntil(
        [&] { return ReadBytes(dir / "out.txt").rfind("launched", 0) == 0; }, 10000));
}

void Put32(std::string& bytes, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>(value >> shift);
}

// A shortcut file as other programs write it, for what Wine's shell link cannot save: a path in
// its link information (ANSI).
std::string LinkBytes(const std::string& localPath) {
    std::string bytes;
    Put32(bytes, 0x4C);
    bytes += std::string("\x01\x14\x02\0\0\0\0\0\xC0\0\0\0\0\0\0\x46", 16);  // the link class
    Put32(bytes, 0x82);  // has link information, Unicode strings
    bytes.resize(0x4C, '\0');
    std::string volume;
    for (const std::uint32_t field : {0x11u, 3u, 0u, 0x10u}) Put32(volume, field);
    volume += '\0';
    const std::uint32_t pathAt = 0x1C + volume.size();
    const std::uint32_t suffixAt = pathAt + localPath.size() + 1;
    for (const auto field : {suffixAt + 1, 0x1Cu, 1u, 0x1Cu, pathAt, 0u, suffixAt})
        Put32(bytes, field);
    bytes += volume + localPath + '\0' + '\0';
    Put32(bytes, 0);  // no more blocks
    return bytes;
}

// A shortcut saved through the shell's own link object: to `target`, or to This PC (a shell
// item, no path) when it is empty.
void SaveLink(const std::string& lnk, const std::string& target) {
    ComPtr<IShellLinkW> link;
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                              IID_IShellLinkW, link.PutVoid()));
    PIDLIST_ABSOLUTE item = nullptr;
    if (target.empty()) SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &item);
    ASSERT_HRESULT_SUCCEEDED(item ? link->SetIDList(item) : link->SetPath(Widen(target).c_str()));
    CoTaskMemFree(item);
    ASSERT_HRESULT_SUCCEEDED(
        link.As<IPersistFile>(IID_IPersistFile)->Save(Widen(lnk).c_str(), TRUE));
}

// The file's bytes and last-write time, which reading must leave as they were.
std::string Snapshot(const std::string& path) {
    std::error_code e;
    const auto time = std::filesystem::last_write_time(Widen(path), e).time_since_epoch();
    return ReadBytes(path) + "@" + std::to_string(time.count());
}

TEST_F(Shell, ShortcutsGiveTheirFullTargetAndDriveAndAreNeverWritten) {
    WinFileSystem fs;

    const std::string file = dir / "Целевой файл.txt", gone = dir / "gone.txt";
    for (const std::string& path : {file, gone}) WriteBytes(path, "t");
    const std::string temp = test::EnvironmentVariable("TEMP");
    const std::string underTemp = dir.Path().substr(temp.size()) + "\\env target.txt";
    WriteBytes(temp + underTemp, "e");
    // Wine's own shell link saves a mangled path beyond MAX_PATH; other programs' links hold it.
    std::string deep = dir.Path();
    for (const char c : std::string("abcdef")) {
        deep += "\\" + std::string(60, c);
        ASSERT_TRUE(CreateDirectoryW(Widen("\\\\?\\" + deep).c_str(), nullptr));
    }
    deep += "\\deep target.txt";
    WriteBytes("\\\\?\\" + deep, "d");
    const std::string onCd = "D:\\" + test::UniqueName("gone") + ".txt";
    const std::string onShare = "\\\\server\\share\\x.txt";
    const auto loaded = ShortcutInfo::Read::kLoaded, unopenable = ShortcutInfo::Read::kUnopenable;
    const unsigned fixed = drive::kFixed, cd = drive::kCdRom;
    const Verdict alive = Verdict::kAlive, dead = Verdict::kDead, open = Verdict::kNotExamined;
    enum How { kSaved, kRaw, kNone };  // through the shell's link object, as bytes, not at all
    // Name, how made, the saved target or the bytes, how it reads, target, drive type, and the
    // verdicts by default and with all options cleared.
    const std::tuple<std::string, How, std::string, ShortcutInfo::Read, std::string, unsigned,
                     Verdict, Verdict>
        rows[] = {
            {"file", kSaved, file, loaded, file, fixed, alive, alive},
            {"folder", kSaved, dir.Path(), loaded, dir.Path(), fixed, alive, alive},
            {"gone file", kSaved, gone, loaded, gone, fixed, dead, dead},
            {"environment", kRaw, LinkBytes("%TEMP%" + underTemp), loaded, temp + underTemp, fixed,
             alive, alive},
            {"long", kRaw, LinkBytes(deep), loaded, deep, fixed, alive, alive},
            {"CD", kSaved, onCd, loaded, onCd, cd, open, dead},
            // Not there now: a server that does not answer, an optical drive without its disc.
            {"share", kSaved, onShare, loaded, onShare, drive::kRemote, open, open},
            {"no disc", kRaw, LinkBytes("E:\\x.txt"), loaded, "E:\\x.txt", cd, open, open},
            {"This PC", kSaved, "", loaded, "", 0, open, open},
            {"relative", kRaw, LinkBytes("gone\\x.txt"), loaded, "", 0, open, open},
            {"plain text", kRaw, "plain text", ShortcutInfo::Read::kNotAShortcut, "", 0, dead,
             dead},
            {"missing", kNone, "", unopenable, "", 0, open, open},
            {"locked", kSaved, file, unopenable, "", 0, open, open},
        };
    for (const auto& [name, how, content, read, target, type, byDefault, allCleared] : rows) {
        if (how == kSaved) SaveLink(dir / (name + ".lnk"), content);
        if (how == kRaw) WriteBytes(dir / (name + ".lnk"), content);
    }
    test::RemoveTree(gone);

    const UniqueFile lock(CreateFileW(Widen(dir / "locked.lnk").c_str(), GENERIC_READ, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    for (const auto& [name, how, content, read, target, type, byDefault, allCleared] : rows) {
        SCOPED_TRACE(name);
        const std::string lnk = dir / (name + ".lnk");
        const std::string before = Snapshot(lnk);
        const ShortcutInfo info = shell.ReadShortcut(lnk);
        EXPECT_EQ(info.read, read);
        EXPECT_STRCASEEQ(info.target.c_str(), target.c_str());
        EXPECT_EQ(info.driveType, type);
        EXPECT_EQ(JudgeShortcut(info, DiscardOptions{}, fs), byDefault);
        EXPECT_EQ(JudgeShortcut(info, DiscardOptions{false, false, false}, fs), allCleared);
        EXPECT_EQ(Snapshot(lnk), before);
    }
}

// How many of the bin's files were deleted as `path`: a second one of a name gets a suffix.
int InTrash(const std::string& trash, const std::string& path) {
    const std::wstring name = Widen(path.substr(path.rfind('\\') + 1));
    const std::filesystem::directory_iterator files(Widen(trash)), end;
    return std::count_if(
        files, end, [&](const auto& f) { return f.path().filename().wstring().starts_with(name); });
}

// A request goes to the bin whatever the names hold and keeps events running; a restore puts
// back the latest deleted from the place, and only while nothing stands there.
TEST_F(Shell, RecyclingKeepsEventsRunningAndRestoreTakesTheLatestOnlyWhileThePlaceIsFree) {
    const std::string trash = test::TrashFiles();
    if (trash.empty()) GTEST_SKIP() << "XDG_DATA_HOME is not set: would recycle into ~";
    // A ";" or a blank must not split a path.
    const std::string once = dir / (test::UniqueName("Ωμέγα файл;Σ") + ".txt"),
                      taken = dir / (test::UniqueName("taken") + ".txt");
    std::vector<std::string> twice;
    for (const char* stem : {"twice", "δύο", "again", "extensionless"}) {
        twice.push_back(dir / (test::UniqueName(stem) + (twice.size() < 3 ? ".dat" : "")));
    }
    std::vector<std::string> first = twice;
    first.insert(first.end(), {once, taken});
    for (int i = 0; i < 300; ++i) first.push_back(dir / test::UniqueName("busy"));
    for (const std::string& path : first) WriteBytes(path, "earlier " + path);
    // A thread timer: it ticks only while someone handles this thread's events.
    static int ticks = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 5, [](HWND, UINT, UINT_PTR, DWORD) { ++ticks; });
    ASSERT_TRUE(shell.RecycleFiles(first));
    KillTimer(nullptr, timer);
    EXPECT_GT(ticks, 0);
    for (const std::string& file : first) EXPECT_FALSE(test::PathExists(file)) << file;
    EXPECT_EQ(ReadBytes(trash + once.substr(dir.Path().size() + 1)), "earlier " + once);
    Sleep(1100);  // Wine's bin keeps the time of deletion to the second
    for (const std::string& path : twice) WriteBytes(path, "later " + path);
    ASSERT_TRUE(shell.RecycleFiles(twice));
    WriteBytes(taken, "new");

    // The place, the place asked for, the result, the bytes at the place afterwards (empty for
    // nothing there) and how many the bin keeps of the place.
    const std::tuple<std::string, std::string, RestoreResult, std::string, int> rows[] = {
        {once, once, RestoreResult::kRestored, "earlier " + once, 0},
        {twice[0], twice[0], RestoreResult::kRestored, "later " + twice[0], 1},
        {twice[1], twice[1], RestoreResult::kRestored, "later " + twice[1], 1},
        {twice[2], LowerAscii(twice[2]), RestoreResult::kRestored, "later " + twice[2], 1},
        {twice[3], twice[3], RestoreResult::kRestored, "later " + twice[3], 1},
        {taken, taken, RestoreResult::kPlaceTaken, "new", 1},
        {dir / "never.txt", dir / "never.txt", RestoreResult::kNotInBin, "", 0},
        // The file system cannot tell whether anything stands there.
        {dir / "what?.txt", dir / "what?.txt", RestoreResult::kFailed, "", 0},
    };
    for (const auto& [path, asked, result, bytes, leftInBin] : rows) {
        EXPECT_EQ(shell.RestoreRecycled(asked), result) << asked;
        EXPECT_EQ(test::PathExists(path) ? ReadBytes(path) : "", bytes) << path;
        EXPECT_EQ(InTrash(trash, path), leftInBin) << path;
    }

    // Fixed drives keep a bin; floppies, optical drives and paths on no drive do not.
    EXPECT_TRUE(shell.HasRecycleBin("C:\\windows\\win.ini"));
    for (const char* path : {"A:\\x.txt", "D:\\x.txt", "relative.txt"}) {
        EXPECT_FALSE(shell.HasRecycleBin(path)) << path;
    }
}

}  // namespace
}  // namespace sorvane
