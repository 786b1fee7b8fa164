// Puts windows on the screen with a few results for scripts/screenshots.sh, which
// photographs each while it stays up. Built on the window tests' support, never run by them.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "WindowTestSupport.h"
#include "win/driveclean/CleanDriSorv.h"
#include "win/duplicates/FinddupSorv.h"
#include "win/history/HistorySorv.h"
#include "win/app/MainSorv.h"
#include "win/settings/GeneralSorv.h"

namespace sorvane::testing {
namespace {

class Screenshots : public ProgramWindows {
  protected:
    Screenshots() {
        fake.drives.AddDrive('C');
        for (const char* dir : {"Projects\\site", "Projects\\site backup", "Temp"}) {
            for (const char* file : {"index.html", "logo.png", "notes.txt", "build.log"}) {
                fake.fs.AddFile(std::string("C:\\") + dir + "\\" + file, 4096);
            }
        }
    }
    // Tells the script where the window is, then keeps it up while it is photographed.
    static void Hold(const char* name, HWND window) {
        PumpMessages();
        RECT r{};
        GetWindowRect(window, &r);
        Hold(name, r);
    }
    static void Hold(const char* name, const RECT& r) {
        std::printf("SHOT %s %ld %ld %ld %ld\n", name, r.left, r.top, r.right - r.left,
                    r.bottom - r.top);
        std::fflush(stdout);
        for (const DWORD end = GetTickCount() + 4000; GetTickCount() < end; Sleep(20)) {
            PumpMessages();
        }
    }
    static void Select(DirectoryTree& tree, const std::string& path) {
        TreeView_SelectItem(tree.Tree(), tree.Reveal(path));
    }
};

TEST_F(Screenshots, CleanDriveAndFindDuplicates) {
    TForm8 clean(Context());
    clean.Show();
    Select(clean.Options().Cleantree(), "C:\\");
    Click(clean.Control(cleandri::kAdddrivebtn));
    Click(clean.Control(cleandri::kMaskgroup));  // every file a result
    clean.Pages().SetActivePage(1);
    Click(clean.Control(cleandri::kCscanbtn));
    Hold("clean-drives", clean.Handle());
    clean.Hide();

    TForm7 duplicates(Context());
    duplicates.Show();
    Select(duplicates.Duptree1(), "C:\\Projects");
    Click(duplicates.Control(finddup::kAdddirbtn));
    Click(duplicates.Control(finddup::kStartbtn));
    Hold("find-duplicates", duplicates.Handle());
}

TEST_F(Screenshots, CleaningHistoryAndGeneralOptions) {
    fake.fs.AddDir("C:\\Tools");
    Context().SetOptions(Context().options);
    const auto record = [&](const char* tool, HistoryAction action, const char* detail,
                            std::initializer_list<const char*> paths) {
        HistoryRun run = Context().history.Begin(tool);
        std::uint64_t size = 1800;
        for (const char* path : paths) run.Record(action, path, size += 77'000, detail);
    };
    record(tool::kCleanDrives, HistoryAction::kDeleted, "",
           {"C:\\Temp\\build.log", "C:\\Temp\\setup.log"});
    fake.clock.Advance(3'600'000);
    record(tool::kFindDuplicates, HistoryAction::kMoved, "D:\\Backup\\logo.png",
           {"C:\\Projects\\site backup\\logo.png"});
    fake.clock.Advance(3'600'000);
    {
        HistoryRun run = Context().history.Begin(tool::kCleanDirectories);
        for (const char* name : {"~DF3A1.tmp", "cab_4412_2", "install.log", "msi8F2.tmp",
                                 "thumbs.db", "wer2C71.tmp"}) {
            run.Record(HistoryAction::kRecycled,
                       std::string("C:\\Users\\guest\\AppData\\Local\\Temp\\") + name, 24'576);
        }
        run.Record(HistoryAction::kLeftForAge, "C:\\Users\\guest\\AppData\\Local\\Temp", 8192,
                   "3 files younger than 24 hours");
    }
    TForm10 history(Context());
    history.Show();
    Hold("cleaning-history", history.Handle());
    history.Hide();

    TForm2 general(Context());
    general.Show();
    Hold("general-options", general.Handle());
}

// The tray's menu beside the icon that opens it, and the drive pop-up the icon shows.
TEST_F(Screenshots, TrayMenuAndDrivePopup) {
    fake.drives.AddDrive('C', {drive::kFixed, {8, 512, 5'200'000, 15'600'000}});
    fake.drives.AddDrive('D', {drive::kFixed, {8, 512, 3'100'000, 7'600'000}});
    Start();
    TForm1& main = *forms->Get().main;
    PumpMessages();
    RECT tray{};
    if (const HWND icons = FindWindowW(nullptr, L"Wine System Tray")) GetWindowRect(icons, &tray);
    SetCursorPos(tray.left + 12, tray.bottom - 10);
    WhileModal([&] { main.TrayiconClick(MouseButton::kRight); }, L"#32768",
               [&](HWND menu) {
                   RECT shot{};
                   GetWindowRect(menu, &shot);
                   UnionRect(&shot, &shot, &tray);
                   Hold("tray-menu", shot);
                   EndMenu();
               });
    Context().options.driveInfo = true;
    main.TrayiconMouseEnter();
    Hold("drive-popup", main.Handle());
    main.TrayiconMouseExit();
}

}  // namespace
}  // namespace sorvane::testing
