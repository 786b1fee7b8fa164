// The shell's recycle bin, moves, type names, document launching and shortcuts.
#include <gtest/gtest.h>
#include <shlobj.h>

#include "WineTestSupport.h"
#include "win/platform/Utf.h"
#include "win/platform/WinHandles.h"
#include "win/platform/WinShell.h"

namespace sorvane {
namespace {

using test::PathExists;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

class ShellTest : public ::testing::Test {
  protected:
    ComApartment com_;
    TempDir dir_;
    WinShell shell_;
};

// Under Wine the recycle bin is the freedesktop trash below XDG_DATA_HOME.
class RecycleBinTest : public ShellTest {
  protected:
    void SetUp() override {
        const std::string xdg = test::EnvironmentVariable("XDG_DATA_HOME");
        if (xdg.empty()) GTEST_SKIP() << "XDG_DATA_HOME is not set: would recycle into ~";
        trashFiles_ = test::WinePathOfUnix(xdg) + "\\Trash\\files";
    }
    // A name no earlier run left in the trash.
    static std::string UniqueName(const std::string& stem) {
        return stem + "-" + std::to_string(GetCurrentProcessId()) + "-" +
               std::to_string(GetTickCount64()) + ".txt";
    }
    std::string trashFiles_;
};

TEST_F(RecycleBinTest, ARecycledFileArrivesInTheTrash) {
    const std::string name = UniqueName("recycled");
    WriteBytes(dir_ / name, "contents");

    ASSERT_TRUE(shell_.RecycleFiles({dir_ / name}));

    EXPECT_FALSE(PathExists(dir_ / name));
    const std::string trashed = trashFiles_ + "\\" + name;
    ASSERT_TRUE(PathExists(trashed));
    EXPECT_EQ(ReadBytes(trashed), "contents");
}

TEST_F(RecycleBinTest, OneRequestRecyclesSeveralFilesWhateverTheirNamesHold) {
    // A ";" or a blank must not split a path: the list is NUL-separated.
    const std::string first = UniqueName("one;two");
    const std::string second = UniqueName("Σ three");
    WriteBytes(dir_ / first, "1");
    WriteBytes(dir_ / second, "2");

    ASSERT_TRUE(shell_.RecycleFiles({dir_ / first, dir_ / second}));

    EXPECT_FALSE(PathExists(dir_ / first));
    EXPECT_FALSE(PathExists(dir_ / second));
    EXPECT_TRUE(PathExists(trashFiles_ + "\\" + first));
    EXPECT_TRUE(PathExists(trashFiles_ + "\\" + second));
}

TEST_F(ShellTest, AMoveCreatesTheMissingDestinationDirectories) {
    WriteBytes(dir_ / "report.txt", "moved");
    const std::string destination = dir_ / "new\\deeper\\report.txt";

    ASSERT_TRUE(shell_.MoveFiles({dir_ / "report.txt"}, {destination}));

    EXPECT_FALSE(PathExists(dir_ / "report.txt"));
    EXPECT_EQ(ReadBytes(destination), "moved");
}

TEST_F(ShellTest, AMoveReplacesAFileOfTheSameName) {
    WriteBytes(dir_ / "a.txt", "new");
    test::MakeDirectory(dir_ / "out");
    WriteBytes(dir_ / "out\\a.txt", "old");

    ASSERT_TRUE(shell_.MoveFiles({dir_ / "a.txt"}, {dir_ / "out\\a.txt"}));

    EXPECT_EQ(ReadBytes(dir_ / "out\\a.txt"), "new");
}

TEST_F(ShellTest, SeveralPairsMoveEachSourceToItsOwnDestination) {
    WriteBytes(dir_ / "one.txt", "1");
    WriteBytes(dir_ / "two.txt", "2");

    ASSERT_TRUE(shell_.MoveFiles({dir_ / "one.txt", dir_ / "two.txt"},
                                 {dir_ / "x\\first.txt", dir_ / "y\\second.txt"}));

    EXPECT_EQ(ReadBytes(dir_ / "x\\first.txt"), "1");
    EXPECT_EQ(ReadBytes(dir_ / "y\\second.txt"), "2");
}

TEST_F(ShellTest, UnequalListsAreNotMoved) {
    WriteBytes(dir_ / "one.txt", "1");
    EXPECT_FALSE(shell_.MoveFiles({dir_ / "one.txt"}, {}));
    EXPECT_TRUE(PathExists(dir_ / "one.txt"));
}

TEST_F(ShellTest, TypeNamesNeedNoFileOnDisk) {
    EXPECT_FALSE(shell_.FileTypeName("x.txt").empty());
    EXPECT_FALSE(shell_.FileTypeName("C:\\nowhere\\at\\all\\x.txt").empty());
}

TEST_F(ShellTest, RunDocumentPassesParametersAndWorkingDirectory) {
    wchar_t system[MAX_PATH];
    ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
    const std::string cmd = Narrow(system) + "\\cmd.exe";

    // A relative output name lands in the working directory only if that was passed on.
    shell_.RunDocument(cmd, "/c echo launched> out.txt", dir_.Path(), kShowNoActivate);

    const bool written = test::PumpUntil(
        [&] { return PathExists(dir_ / "out.txt") && ReadBytes(dir_ / "out.txt").size() >= 8; },
        10000);
    ASSERT_TRUE(written);
    EXPECT_EQ(ReadBytes(dir_ / "out.txt").substr(0, 8), "launched");
}

// Saves a shortcut to `target` the way the shell itself writes one.
void SaveShortcut(const std::string& linkPath, const std::string& target) {
    ComPtr<IShellLinkW> link;
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                              IID_IShellLinkW, link.PutVoid()));
    ASSERT_HRESULT_SUCCEEDED(link->SetPath(Widen(target).c_str()));
    const ComPtr<IPersistFile> file = link.As<IPersistFile>(IID_IPersistFile);
    ASSERT_TRUE(file);
    ASSERT_HRESULT_SUCCEEDED(file->Save(Widen(linkPath).c_str(), TRUE));
}

TEST_F(ShellTest, AShortcutLeadsToItsTarget) {
    const std::string target = dir_ / "Целевой файл.txt";
    WriteBytes(target, "t");
    SaveShortcut(dir_ / "to target.lnk", target);

    const ShortcutInfo info = shell_.ReadShortcut(dir_ / "to target.lnk");

    EXPECT_TRUE(info.loaded);
    EXPECT_EQ(CompareStringOrdinal(Widen(info.target).c_str(), -1, Widen(target).c_str(), -1, TRUE),
              CSTR_EQUAL)
        << info.target;
}

TEST_F(ShellTest, AShortcutToAVanishedTargetStillLoads) {
    const std::string target = dir_ / "gone.txt";
    WriteBytes(target, "t");
    SaveShortcut(dir_ / "dead.lnk", target);
    test::RemoveTree(target);

    const ShortcutInfo info = shell_.ReadShortcut(dir_ / "dead.lnk");

    EXPECT_TRUE(info.loaded);
    EXPECT_FALSE(PathExists(info.target));
}

TEST_F(ShellTest, AFileThatIsNoShortcutDoesNotLoad) {
    WriteBytes(dir_ / "fake.lnk", "this is plain text");
    EXPECT_FALSE(shell_.ReadShortcut(dir_ / "fake.lnk").loaded);
    EXPECT_FALSE(shell_.ReadShortcut(dir_ / "missing.lnk").loaded);
}

}  // namespace
}  // namespace sorvane
