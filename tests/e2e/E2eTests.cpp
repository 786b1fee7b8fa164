// Drives the real program from another process, as a user or an automation tool would: the
// tray icon's callback message, the menu's commands and the windows' buttons.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

#include "win/app/MenuIds.h"
#include "win/driveclean/CleanDriIds.h"
#include "win/duplicates/FinddupIds.h"
#include "win/history/HistorySorv.h"
#include "win/platform/WinHandles.h"
#include "win/shortcuts/ShortcutSorv.h"

#include <shlobj.h>
#include <dlgs.h>
#include <shlwapi.h>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr UINT kTrayCallback = WM_APP + 1;
fs::path g_program;  // the freshly built Sorvane.exe

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit = 20s) {
    for (const auto end = std::chrono::steady_clock::now() + limit; !condition();
         std::this_thread::sleep_for(50ms)) {
        if (std::chrono::steady_clock::now() >= end) return false;
    }
    return true;
}

// The control of `parent`, at any depth, with the id `id`.
HWND FindDescendant(HWND parent, int id) {
    std::pair<int, HWND> search{id, nullptr};
    const WNDENUMPROC visit = [](HWND hwnd, LPARAM param) -> BOOL {
        auto& [wanted, found] = *reinterpret_cast<decltype(search)*>(param);
        return GetDlgCtrlID(hwnd) == wanted ? (found = hwnd, FALSE) : TRUE;
    };
    EnumChildWindows(parent, visit, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

// Asked of the control itself: GetWindowText on another process's window gives only its
// caption as created, not what a status bar shows now.
std::wstring TextOf(HWND hwnd) {
    wchar_t text[1024] = {};
    SendMessageW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return text;
}

// Toggles the check box of the first row whose name starts with `letter`, from the keyboard.
void ToggleRowByLetter(HWND grid, wchar_t letter) {
    SendMessageW(grid, WM_CHAR, letter, 1);
    SendMessageW(grid, WM_KEYDOWN, VK_SPACE, 0);
    SendMessageW(grid, WM_CHAR, L' ', 0);
    SendMessageW(grid, WM_KEYUP, VK_SPACE, 0);
}

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Whether the recycle bin holds the file that was at `path`: Wine keeps its bin in
// $XDG_DATA_HOME/Trash, each file with a note of where it was. True when the bin is elsewhere.
bool InRecycleBin(const fs::path& path) {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (!xdg || xdg[0] != '/') return true;
    const std::string from = "/" + fs::relative(path, fs::temp_directory_path()).generic_string();
    for (const auto& note : fs::directory_iterator("Z:" + std::string(xdg) + "/Trash/info")) {
        const bool named = note.path().filename().string().starts_with(path.filename().string());
        if (named && ReadAll(note.path()).find(from + "\n") != std::string::npos) return true;
    }
    return false;
}

void Write(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

// The settings file's name: the user's name and ".INI".
std::wstring SettingsName() {
    wchar_t name[257] = {};
    DWORD size = 257;
    GetUserNameW(name, &size);
    return std::wstring(name) + L".INI";
}

// A running copy of the program, started from its own directory so that its settings file
// is the test's own. Ends the process if a test leaves it running.
class Program {
  public:
    explicit Program(const fs::path& exe, const std::wstring& arguments = L"") {
        STARTUPINFOW si{};
        si.cb = sizeof si;
        std::wstring command = L"\"" + exe.wstring() + L"\" " + arguments;
        PROCESS_INFORMATION info{};
        if (CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           exe.parent_path().c_str(), &si, &info)) {
            process_.Reset(info.hProcess);
            CloseHandle(info.hThread);
            pid_ = info.dwProcessId;
        }
    }
    ~Program() {
        if (Running()) TerminateProcess(process_.Get(), 99);
        WaitForExit(5000);
    }
    bool Running() const { return WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT; }
    bool WaitForExit(DWORD ms = 20000) const {
        return WaitForSingleObject(process_.Get(), ms) == WAIT_OBJECT_0;
    }
    DWORD ExitCode() const {
        DWORD code = 0;
        GetExitCodeProcess(process_.Get(), &code);
        return code;
    }
    HWND Window(const wchar_t* className, const wchar_t* caption = nullptr) const {
        HWND hwnd = nullptr;
        DWORD owner = 0;
        do hwnd = FindWindowExW(nullptr, hwnd, className, caption);
        while (hwnd && (GetWindowThreadProcessId(hwnd, &owner), owner != pid_));
        return hwnd;
    }
    // Waits for a window of the program to show; null when none does.
    HWND Shown(const wchar_t* className, const wchar_t* caption = nullptr) const {
        HWND hwnd = nullptr;
        const auto shown = [&] {
            return (hwnd = Window(className, caption)) && IsWindowVisible(hwnd);
        };
        return WaitFor(shown) ? hwnd : nullptr;
    }
    // Waits until the program has its tray icon and its main window.
    bool WaitUntilInTray() const {
        return WaitFor([&] { return Window(L"SorvaneTrayIcon") && Window(L"TForm1"); });
    }
    void Command(int id) const { PostMessageW(Window(L"TForm1"), WM_COMMAND, id, 0); }
    // Opens a window from the tray menu; null when it does not show.
    HWND Open(int command, const wchar_t* className) const {
        if (!WaitUntilInTray()) return nullptr;
        Command(command);
        return Shown(className);
    }
    bool Exit() const {
        Command(sorvane::menu::kExit1);
        return WaitForExit();
    }
    // Answers the next "Confirm" question with `button` (IDYES, IDNO).
    void Answer(int button) const {
        const HWND question = Shown(L"#32770", L"Confirm");
        ASSERT_NE(question, nullptr);
        SendMessageW(GetDlgItem(question, button), BM_CLICK, 0, 0);
    }

  private:
    sorvane::UniqueKernelHandle process_;
    DWORD pid_ = 0;
};

class EndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(fs::exists(g_program)) << g_program;
        dir_ = fs::temp_directory_path() /
               ("sorvane-e2e-" + std::to_string(GetTickCount64()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
        fs::copy_file(g_program, dir_ / "Sorvane.exe");
        fs::copy_file(fs::path(g_program).parent_path() / "Sorvane.chm", dir_ / "Sorvane.chm");
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }
    // Starts the program with `settings` as its settings file, as an earlier session left it.
    Program Start(const std::string& settings = "") const {
        if (!settings.empty()) Write(dir_ / SettingsName(), settings);
        return Program(dir_ / "Sorvane.exe");
    }

    fs::path dir_;
};

TEST_F(EndToEnd, OneCopyAtATimeTrayMenuOpensHelpAndExitEndsTheProgram) {
    const Program program = Start();
    ASSERT_TRUE(program.WaitUntilInTray());
    // A second copy ends at once, silently, and this one keeps running.
    const Program second = Start();
    ASSERT_TRUE(second.WaitForExit(10000));
    EXPECT_EQ(second.ExitCode(), 0u);

    // A right click on the icon opens the menu at the pointer; Escape closes it.
    PostMessageW(program.Window(L"SorvaneTrayIcon"), kTrayCallback, 1, WM_RBUTTONUP);
    const HWND menu = program.Shown(L"#32768");
    ASSERT_NE(menu, nullptr);
    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(menu); }));

    // Help opens the help file beside the program in the help viewer.
    program.Command(sorvane::menu::kHelp1);
    EXPECT_TRUE(WaitFor([&] { return program.Window(nullptr, L"Sorvane Help") != nullptr; }));
    ASSERT_TRUE(program.Exit());
    EXPECT_EQ(program.ExitCode(), 0u);
}

// The whole of Clean Drive(s) from the tray menu: a scan of a prepared directory (chosen in an
// earlier session, so kept in the settings file), check marks, deletion to the recycle bin,
// and both reports.
TEST_F(EndToEnd, CleanDriveScansDeletesCheckedFilesToTheRecycleBinAndSavesReports) {
    namespace ids = sorvane::cleandri;
    const fs::path junk = dir_ / "junk";
    for (const char* name : {"a.tmp", "b.tmp", "keep.txt", "sub/c.tmp"}) Write(junk / name, "junk");
    const Program program = Start(
        "[Cleandiroptions]\r\nMaskgroup_Checked=False\r\n"
        "[Cleandiroptions.Selecteddrives_Items]\r\nCount=1\r\nItem0=" +
        junk.string() + "\r\n");
    const HWND form = program.Open(sorvane::menu::kClean1, L"TForm8");
    ASSERT_NE(form, nullptr);
    const HWND status = FindDescendant(form, ids::kStat2);
    const HWND grid = FindDescendant(form, ids::kCleangrid);

    // To the second page with the keyboard, as the Scan button lies there.
    const HWND pages = FindDescendant(form, ids::kPages);
    SendMessageW(pages, WM_KEYDOWN, VK_RIGHT, 0);
    ASSERT_TRUE(WaitFor([&] { return SendMessageW(pages, TCM_GETCURSEL, 0, 0) == 1; }));
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(grid) != FALSE; }));
    SendMessageW(FindDescendant(form, ids::kCscanbtn), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return TextOf(status) == L"4 files were found"; })) << TextOf(status);

    // Every row checked, then the one to keep unchecked from the keyboard: its first letter
    // makes it the current row and the space bar clears its check box.
    SendMessageW(form, WM_COMMAND, ids::kSelectAll, 0);
    ToggleRowByLetter(grid, L'k');
    PostMessageW(form, WM_COMMAND, ids::kDeleteChecked, 0);
    program.Answer(IDYES);
    ASSERT_TRUE(WaitFor([&] { return TextOf(status) == L"Deleted 3 files to recycle_bin."; }))
        << TextOf(status);
    EXPECT_FALSE(fs::exists(junk / "a.tmp"));
    EXPECT_FALSE(fs::exists(junk / "sub" / "c.tmp"));
    EXPECT_TRUE(fs::exists(junk / "keep.txt"));
    EXPECT_TRUE(InRecycleBin(junk / "sub" / "c.tmp"));

    // The save dialog is the platform's; its file name box is a combo box with an edit box.
    const auto save = [&](int command) {
        PostMessageW(form, WM_COMMAND, command, 0);
        const HWND dialog = program.Shown(L"#32770");
        ASSERT_NE(dialog, nullptr);
        SetWindowTextW(FindDescendant(dialog, cmb13), (dir_ / "report").c_str());
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    };
    save(ids::kSaveHtml);
    const HWND titleBox = program.Shown(L"SorvaneInputBox");
    ASSERT_NE(titleBox, nullptr);
    SetWindowTextW(FindWindowExW(titleBox, nullptr, L"Edit", nullptr), L"Junk of today");
    SendMessageW(titleBox, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return TextOf(status).starts_with(L"Saved "); })) << TextOf(status);
    save(ids::kSaveText);

    // What the reports hold is the engine tests' part; here, that each went where it was asked.
    EXPECT_NE(ReadAll(dir_ / "report.html").find("<TITLE>Junk of today</TITLE>"),
              std::string::npos);
    EXPECT_TRUE(WaitFor(
        [&] { return ReadAll(dir_ / "report.txt").find("keep.txt") != std::string::npos; }));
    EXPECT_TRUE(program.Exit());
}

// Find Duplicate Files as a user runs it: a scan, one copy of the group checked and deleted to
// the recycle bin, the other kept.
TEST_F(EndToEnd, FindDuplicatesDeletesOneCheckedCopyToTheRecycleBin) {
    namespace ids = sorvane::finddup;
    const fs::path tree = dir_ / "dups";
    Write(tree / "one.txt", "alpha");
    Write(tree / "b" / "copy.txt", "alpha");
    const Program program = Start(
        "[Duplicate_Options]\r\nSnamebox_Checked=False\r\nSdatebox_Checked=False\r\n"
        "[Duplicate_Options.Excludelistbox_Items]\r\nCount=1\r\nItem0=" +
        tree.string() + "\r\n");
    const HWND form = program.Open(sorvane::menu::kFindDuplicateFiles1, L"TForm7");
    ASSERT_NE(form, nullptr);
    const HWND status = FindDescendant(form, ids::kStat1);
    SendMessageW(FindDescendant(form, ids::kStartbtn), BM_CLICK, 0, 0);  // on size alone
    ASSERT_TRUE(WaitFor([&] { return TextOf(status) == L"Found 2 duplicate files."; }))
        << TextOf(status);
    ToggleRowByLetter(FindDescendant(form, ids::kDupgrid), L'c');
    PostMessageW(form, WM_COMMAND, ids::kDeleteChecked, 0);
    program.Answer(IDYES);
    ASSERT_TRUE(WaitFor([&] { return TextOf(status) == L"Deleted 1 files to recycle_bin."; }))
        << TextOf(status);
    EXPECT_FALSE(fs::exists(tree / "b" / "copy.txt"));
    EXPECT_TRUE(fs::exists(tree / "one.txt"));
    EXPECT_TRUE(InRecycleBin(tree / "b" / "copy.txt"));
}

// Check Shortcuts on the prefix's own Start Menu and Desktop, as a user runs it: Scan, then
// Delete > All answered Yes for ours (No for anything else the prefix holds) deletes the
// shortcuts whose targets are gone, and not one to a letter no drive stands behind (an
// unplugged disk).
TEST_F(EndToEnd, CheckShortcutsDeletesTheDeadAndKeepsAShortcutToADriveThatIsNotThere) {
    const sorvane::ComApartment com;
    wchar_t menu[MAX_PATH] = {}, desktop[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_STARTMENU | CSIDL_FLAG_CREATE, nullptr, 0, menu);
    SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY | CSIDL_FLAG_CREATE, nullptr, 0, desktop);
    ASSERT_EQ(GetDriveTypeW(L"Q:\\"), static_cast<UINT>(DRIVE_NO_ROOT_DIR));
    const std::wstring name = L"Sorvane-E2E-" + std::to_wstring(GetCurrentProcessId());
    const fs::path mine = fs::path(menu) / name;
    const fs::path links[] = {mine / "good.lnk", mine / "unplugged.lnk", mine / "dead.lnk",
                              fs::path(desktop) / (name + L".lnk")};
    const fs::path targets[] = {dir_ / "tool.exe", L"Q:\\tool.exe", dir_ / "gone.exe",
                                dir_ / "gone too.exe"};
    const std::shared_ptr<void> cleanup(nullptr, [&](void*) {
        std::error_code ignored;
        fs::remove_all(mine, ignored);
        fs::remove(links[3], ignored);
    });
    fs::create_directories(mine);
    Write(targets[0], "x");
    for (int i = 0; i < 4; ++i) {
        sorvane::ComPtr<IShellLinkW> link;
        ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                                  IID_IShellLinkW, link.PutVoid()));
        ASSERT_HRESULT_SUCCEEDED(link->SetPath(targets[i].c_str()));
        ASSERT_HRESULT_SUCCEEDED(
            link.As<IPersistFile>(IID_IPersistFile)->Save(links[i].c_str(), TRUE));
    }

    const Program program = Start();
    const HWND form = program.Open(sorvane::menu::kCheckShortcuts1, L"TForm3");
    ASSERT_NE(form, nullptr);
    const HWND status = FindDescendant(form, sorvane::TForm3::kStat1);
    PostMessageW(FindDescendant(form, sorvane::TForm3::kScanbtn), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return TextOf(status).starts_with(L"Found "); })) << TextOf(status);
    const LRESULT listed =
        SendMessageW(FindDescendant(form, sorvane::TForm3::kShortcutlistbox), LB_GETCOUNT, 0, 0);
    PostMessageW(form, WM_COMMAND, sorvane::TForm3::kAll1, 0);
    for (LRESULT asked = 0; asked < listed; ++asked) {
        const HWND question = program.Shown(L"#32770", L"Confirm");
        ASSERT_NE(question, nullptr);
        // Listed folders below the two tops are in capitals.
        const bool ours = StrStrIW(TextOf(FindDescendant(question, 0xFFFF)).c_str(), name.c_str());
        SendMessageW(GetDlgItem(question, ours ? IDYES : IDNO), BM_CLICK, 0, 0);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(question); }));
    }
    EXPECT_TRUE(WaitFor([&] { return !fs::exists(links[2]) && !fs::exists(links[3]); }));
    EXPECT_TRUE(fs::exists(links[0]) && fs::exists(links[1]));
}

// "Clean Selected Directories Now" from the tray with Clean Directories closed: the progress
// window comes and goes, the target's files go to the recycle bin and its directories stay.
TEST_F(EndToEnd, CleanSelectedDirectoriesNowFromTheTrayUnderTheProgressWindow) {
    const fs::path target = dir_ / "target";
    for (int i = 0; i < 2000; ++i) {  // enough that the progress window is up a while
        Write(target / (i % 2 ? "sub" : ".") / ("f" + std::to_string(i) + ".tmp"), "x");
    }
    const Program program = Start("[Target_Directories]\r\nCount=1\r\nItem1=" + target.string() +
                                  "\r\n[" + target.string() + "]\r\nName=target\r\n");
    HWND progress = nullptr;  // all windows are made once the last, Clean Drive(s), is
    ASSERT_TRUE(WaitFor(
        [&] { return program.Window(L"TForm8") && (progress = program.Window(L"TForm9")); }));
    program.Command(sorvane::menu::kCleanSelectedDirectoriesNow1);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(progress) != FALSE; }, 10s));
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(progress); }, 60s));
    EXPECT_TRUE(fs::is_empty(target / "sub"));
    EXPECT_FALSE(fs::exists(target / "f0.tmp"));
    EXPECT_TRUE(InRecycleBin(target / "f0.tmp"));
}

// A file made two days ago: both its creation and its last change lie that far back.
void WriteOld(const fs::path& file) {
    Write(file, "old");
    const sorvane::UniqueFile handle(CreateFileW(file.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER t{{now.dwLowDateTime, now.dwHighDateTime}};
    t.QuadPart -= 2ULL * 24 * 3600 * 10'000'000;
    const FILETIME old{t.LowPart, t.HighPart};
    SetFileTime(handle.Get(), &old, &old, &old);
}

TEST_F(EndToEnd, AStartUpCleanWithAnAgeLimitItsHistoryAndRestoreOfOneFile) {
    const fs::path target = dir_ / "temp";
    WriteOld(target / "old1.tmp");
    WriteOld(target / "old2.tmp");
    Write(target / "fresh.tmp", "fresh");
    const Program program = Start("[Target_Directories]\r\nCount=1\r\nItem1=" + target.string() +
                                  "\r\n[" + target.string() +
                                  "]\r\nName=temp\r\nOlderthan=24\r\nOlderthanunit=Hours\r\n"
                                  "[AutoClean]\r\nSorvstartbox_Check=1\r\n");
    ASSERT_TRUE(WaitFor([&] { return !fs::exists(target / "old2.tmp"); }));
    EXPECT_FALSE(fs::exists(target / "old1.tmp"));
    EXPECT_TRUE(fs::exists(target / "fresh.tmp"));

    const HWND history = program.Open(sorvane::menu::kCleaningHistory1, L"TForm10");
    ASSERT_NE(history, nullptr);
    const HWND runs = FindDescendant(history, sorvane::TForm10::kRunlist);
    const HWND files = FindDescendant(history, sorvane::TForm10::kFilegrid);
    EXPECT_EQ(ListView_GetItemCount(runs), 1);
    // The two recycled files and the line of the one left for its age.
    ASSERT_TRUE(WaitFor([&] { return ListView_GetItemCount(files) == 3; }));
    const std::string csv = ReadAll(dir_ / "Sorvane History.csv");
    EXPECT_NE(csv.find("\"Left for age\",\"" + target.string() + "\""), std::string::npos) << csv;
    EXPECT_NE(csv.find("\"Recycled\",\"" + (target / "old1.tmp").string() + "\""),
              std::string::npos);

    // Restore old1.tmp, selected from the keyboard as the first row whose name starts so.
    SendMessageW(files, WM_CHAR, L'o', 1);
    // Posted: the click asks first, and the question waits for this test.
    PostMessageW(FindDescendant(history, sorvane::TForm10::kRestorebtn), BM_CLICK, 0, 0);
    program.Answer(IDYES);
    EXPECT_TRUE(WaitFor([&] { return fs::exists(target / "old1.tmp"); }));
    EXPECT_EQ(ReadAll(target / "old1.tmp"), "old");
    EXPECT_FALSE(fs::exists(target / "old2.tmp"));
    EXPECT_TRUE(program.Exit());
}

// The setup program (SORVANE_SETUP) and its uninstaller, run as an ordinary user by
// scripts/ordinary-user-tests.sh in three steps: install; run with the program folder read-only
// for the user, as Program Files is on Windows; upgrade over a running copy and uninstall.
class Install : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* setup = std::getenv("SORVANE_SETUP");
        if (setup == nullptr) GTEST_SKIP() << "runs from scripts/ordinary-user-tests.sh";
        setup_ = setup;
        dir_ = KnownFolder(FOLDERID_ProgramFiles) / "Sorvane";
    }
    static fs::path KnownFolder(const KNOWNFOLDERID& id) {
        PWSTR path = nullptr;
        fs::path folder;
        if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path))) folder = path;
        CoTaskMemFree(path);
        return folder;
    }
    // Runs a setup program or uninstaller silently; true when it ended well.
    static bool RunSilently(const fs::path& exe) {
        const Program program(exe, L"/S");
        return program.WaitForExit(120000) && program.ExitCode() == 0;
    }
    static std::optional<std::wstring> Value(HKEY root, const wchar_t* key, const wchar_t* name) {
        wchar_t data[1024] = {};
        DWORD size = sizeof data;
        if (RegGetValueW(root, key, name, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        return std::wstring(data);
    }
    static constexpr wchar_t kUninstallKey[] =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Sorvane";
    static constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    fs::path Shortcut() const { return KnownFolder(FOLDERID_CommonPrograms) / "Sorvane.lnk"; }
    fs::path AppDataSettings() const {
        return KnownFolder(FOLDERID_RoamingAppData) / "Sorvane" / SettingsName();
    }

    fs::path setup_;
    fs::path dir_;
};

TEST_F(Install, SilentSetupPutsTheProgramTheStartMenuEntryAndTheUninstallEntryInPlace) {
    ASSERT_TRUE(RunSilently(setup_));
    for (const char* file : {"Sorvane.exe", "Sorvane.chm", "readme.txt", "uninstall.exe"}) {
        EXPECT_TRUE(fs::exists(dir_ / file)) << file;
    }
    EXPECT_TRUE(fs::exists(Shortcut()));
    EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayName"), L"Sorvane");
    EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayVersion"), L"2.03");
    EXPECT_TRUE(Value(HKEY_LOCAL_MACHINE, kUninstallKey, L"Publisher").has_value());
    EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kUninstallKey, L"UninstallString"),
              L"\"" + (dir_ / "uninstall.exe").wstring() + L"\"");
    DWORD size = 0, bytes = sizeof size;  // kilobytes, none when it is missing
    RegGetValueW(HKEY_LOCAL_MACHINE, kUninstallKey, L"EstimatedSize", RRF_RT_REG_DWORD, nullptr,
                 &size, &bytes);
    EXPECT_GT(size, 1000u);
    // Starting with Windows is offered unticked.
    EXPECT_FALSE(Value(HKEY_CURRENT_USER, kRunKey, L"Sorvane").has_value());
}

TEST_F(Install, TheInstalledProgramKeepsItsSettingsInApplicationData) {
    std::error_code ignored;
    fs::remove(AppDataSettings(), ignored);
    const Program program(dir_ / "Sorvane.exe");
    // Closing Clean Drive(s) stores its options.
    const HWND window = program.Open(sorvane::menu::kClean1, L"TForm8");
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(window); }));
    EXPECT_TRUE(WaitFor([&] { return fs::exists(AppDataSettings()); }));
    EXPECT_TRUE(program.Running());  // no "Unable to write to" stands in the way
    EXPECT_TRUE(program.Exit());
    for (const auto& entry : fs::directory_iterator(dir_)) {
        EXPECT_NE(entry.path().extension(), ".INI") << entry.path();
    }
}

TEST_F(Install, AnUpgradeAndTheUninstallerEndARunningCopyAndTheUninstallerRemovesAllButSettings) {
    {
        const Program running(dir_ / "Sorvane.exe");
        ASSERT_TRUE(running.WaitUntilInTray());
        ASSERT_TRUE(RunSilently(setup_));
        EXPECT_TRUE(running.WaitForExit(10000));
    }
    EXPECT_TRUE(fs::exists(dir_ / "Sorvane.exe"));
    EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayName"), L"Sorvane");

    // Start with Windows as General Options writes it.
    const std::wstring run = L"\"" + (dir_ / "Sorvane.exe").wstring() + L"\"";
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, L"Sorvane", REG_SZ, run.c_str(),
                              static_cast<DWORD>((run.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    const Program running(dir_ / "Sorvane.exe");
    ASSERT_TRUE(running.WaitUntilInTray());
    // The uninstaller hands over to a copy of itself and returns at once.
    ASSERT_TRUE(RunSilently(dir_ / "uninstall.exe"));
    EXPECT_TRUE(running.WaitForExit(30000));
    EXPECT_TRUE(WaitFor([&] { return !fs::exists(dir_); }, 60s));
    EXPECT_FALSE(fs::exists(Shortcut()));
    // The registry entries go after the folder.
    EXPECT_TRUE(WaitFor([&] { return !Value(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayName"); }));
    EXPECT_TRUE(WaitFor([&] { return !Value(HKEY_CURRENT_USER, kRunKey, L"Sorvane"); }));
    EXPECT_TRUE(fs::exists(AppDataSettings()));
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        fprintf(stderr, "usage: e2e_tests <path to Sorvane.exe>\n");
        return 2;
    }
    // A Linux path from the build reaches us as is; Z: is the Linux root under Wine.
    std::string program = argv[1];
    if (!program.empty() && program[0] == '/') program = "Z:" + program;
    g_program = fs::absolute(program);
    return RUN_ALL_TESTS();
}
