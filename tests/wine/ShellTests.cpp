// The shell: moves, type names, documents, shortcuts, and deleting checked rows to the
// recycle bin, which Wine keeps in $XDG_DATA_HOME/Trash.
#include <gtest/gtest.h>
#include <shlobj.h>

#include "FakePlatform.h"
#include "RecordingView.h"
#include "WineTestSupport.h"
#include "core/results/FileActions.h"
#include "win/platform/Utf.h"
#include "win/platform/WinFileSystem.h"
#include "win/platform/WinHandles.h"
#include "win/platform/WinShell.h"

namespace sorvane {
namespace {

using test::ReadBytes;
using test::WriteBytes;

TEST(Shell, MovesPairEachSourceWithItsDestinationMakingDirectoriesAndReplacingFiles) {
    const test::TempDir dir;
    const ComApartment com;
    WriteBytes(dir / "one.txt", "1");
    WriteBytes(dir / "two.txt", "2");
    WriteBytes(dir / "x.txt", "old");
    ASSERT_TRUE(WinShell().MoveFiles({dir / "one.txt", dir / "two.txt"},
                                     {dir / "new\\deeper\\first.txt", dir / "x.txt"}));
    EXPECT_FALSE(test::PathExists(dir / "one.txt"));
    EXPECT_EQ(ReadBytes(dir / "new\\deeper\\first.txt"), "1");
    EXPECT_EQ(ReadBytes(dir / "x.txt"), "2");
}

TEST(Shell, TypeNamesNeedNoFileAndDocumentsRunInTheirDirectory) {
    const test::TempDir dir;
    const ComApartment com;
    WinShell shell;
    EXPECT_FALSE(shell.FileTypeName("C:\\nowhere\\at\\all\\x.txt").empty());
    wchar_t system[MAX_PATH];
    ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
    // A relative output name lands in the working directory only if that was passed on.
    shell.RunDocument(Narrow(system) + "\\cmd.exe", "/c echo launched> out.txt", dir.Path(),
                      kShowNoActivate);
    EXPECT_TRUE(test::PumpUntil(
        [&] { return ReadBytes(dir / "out.txt").rfind("launched", 0) == 0; }, 10000));
}

TEST(Shell, ShortcutsLeadToTheirTargetsEvenVanishedOnesAndOtherFilesDoNotLoad) {
    const test::TempDir dir;
    const ComApartment com;
    WinShell shell;
    const std::string target = dir / "Целевой файл.txt";
    WriteBytes(target, "t");
    {
        ComPtr<IShellLinkW> link;
        ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                                  IID_IShellLinkW, link.PutVoid()));
        ASSERT_HRESULT_SUCCEEDED(link->SetPath(Widen(target).c_str()));
        const ComPtr<IPersistFile> file = link.As<IPersistFile>(IID_IPersistFile);
        ASSERT_HRESULT_SUCCEEDED(file->Save(Widen(dir / "to target.lnk").c_str(), TRUE));
    }
    const ShortcutInfo info = shell.ReadShortcut(dir / "to target.lnk");
    EXPECT_EQ(info.read, ShortcutInfo::Read::kLoaded);
    EXPECT_EQ(CompareStringOrdinal(Widen(info.target).c_str(), -1, Widen(target).c_str(), -1, TRUE),
              CSTR_EQUAL)
        << info.target;
    test::RemoveTree(target);
    EXPECT_EQ(shell.ReadShortcut(dir / "to target.lnk").read, ShortcutInfo::Read::kLoaded);

    WriteBytes(dir / "fake.lnk", "this is plain text");
    EXPECT_EQ(shell.ReadShortcut(dir / "fake.lnk").read, ShortcutInfo::Read::kNotAShortcut);
    EXPECT_EQ(shell.ReadShortcut(dir / "missing.lnk").read, ShortcutInfo::Read::kUnopenable);
}

TEST(Shell, CheckedRowsGoToTheTrashInOneRequestWhateverTheirNamesHold) {
    const std::string trash = test::TrashFiles();
    if (trash.empty()) GTEST_SKIP() << "XDG_DATA_HOME is not set: would recycle into ~";
    const test::TempDir dir;
    WinFileSystem fs;
    WinShell shell;
    FakePlatform fake;
    Platform platform{
        fs,          fake.drives, shell,       fake.system,  fake.registry, fake.settings,
        fake.locale, fake.clock,  fake.timers, fake.prompts, fake.pump};
    ResultTable table{{{"Name"}, {"Path"}}, 0, 1};
    test::RecordingView window;
    // A ";" or a blank must not split a path.
    const std::string names[] = {test::UniqueName("checked;Σ one") + ".txt",
                                 test::UniqueName("kept") + ".txt",
                                 test::UniqueName("checked two") + ".txt"};
    for (const std::string& name : names) {
        WriteBytes(dir / name, name);
        table.AppendRow({name, dir.Path() + "\\"});
        table.SetChecked(table.RowCount() - 1, name != names[1]);
    }
    fake.prompts.QueueAnswers({true});

    FileActions(platform, table, window.runner).DeleteChecked(true);

    EXPECT_EQ(window.status, "Deleted 2 files to recycle_bin.");
    EXPECT_FALSE(test::PathExists(dir / names[0]));
    EXPECT_EQ(ReadBytes(trash + names[0]), names[0]);
    EXPECT_EQ(ReadBytes(trash + names[2]), names[2]);
    ASSERT_EQ(table.RowCount(), 2u);
    EXPECT_EQ(table.Cell(1, 0), names[1]);
}

// Counts the timer messages it dispatches while the shell works.
class CountingPump final : public IEventPump {
  public:
    void ProcessPending() override {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_TIMER) ++timerTicks;
            DispatchMessageW(&msg);
        }
    }
    int timerTicks = 0;
};

TEST(Shell, ARecycleRequestKeepsTheProgramsEventsRunningAndTheBinIsToldByTheDrivesKind) {
    const std::string trash = test::TrashFiles();
    if (trash.empty()) GTEST_SKIP() << "XDG_DATA_HOME is not set: would recycle into ~";
    const test::TempDir dir;
    const ComApartment com;
    CountingPump pump;
    WinShell shell(&pump);
    std::vector<std::string> files;
    for (int i = 0; i < 300; ++i) {
        files.push_back(dir / test::UniqueName("busy" + std::to_string(i)));
        WriteBytes(files.back(), "x");
    }
    // A thread timer: its ticks reach this thread's queue only while someone handles events.
    const UINT_PTR timer = SetTimer(nullptr, 0, 5, nullptr);
    ASSERT_TRUE(shell.RecycleFiles(files));
    KillTimer(nullptr, timer);
    for (const std::string& file : files) EXPECT_FALSE(test::PathExists(file)) << file;
    EXPECT_GT(pump.timerTicks, 0);

    // Fixed drives keep a bin; floppies, optical drives and paths on no drive do not.
    EXPECT_TRUE(shell.HasRecycleBin("C:\\windows\\win.ini"));
    EXPECT_FALSE(shell.HasRecycleBin("A:\\x.txt"));
    EXPECT_FALSE(shell.HasRecycleBin("D:\\x.txt"));
    EXPECT_FALSE(shell.HasRecycleBin("relative.txt"));
}

}  // namespace
}  // namespace sorvane
