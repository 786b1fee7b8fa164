// Drives the real program from another process, as a user or an automation tool would: the
// tray icon's callback message, the menu's commands and the windows' buttons.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <stdexcept>
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
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(child) == id) return child;
        if (const HWND found = FindDescendant(child, id)) return found;
    }
    return nullptr;
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

fs::path Folder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, csidl, nullptr, 0, path);
    return path;
}

void Write(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

std::string SettingsName() {
    return std::getenv("USERNAME") + std::string(".INI");
}

// A running copy of the program, started from its own directory so that its settings file
// is the test's own, and ended if a test leaves it running. A window the test waits for in
// vain throws, which fails the test.
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
        }
    }
    ~Program() {
        if (!Ended(0)) TerminateProcess(process_.Get(), 99);
        Ended(5000);
    }
    // The exit code, once the program has ended within `ms`.
    std::optional<DWORD> Ended(DWORD ms = 20000) const {
        DWORD code = 0;
        if (WaitForSingleObject(process_.Get(), ms) != WAIT_OBJECT_0) return std::nullopt;
        GetExitCodeProcess(process_.Get(), &code);
        return code;
    }
    HWND Window(const wchar_t* className, const wchar_t* caption = nullptr) const {
        HWND hwnd = nullptr;
        DWORD owner = 0;
        do hwnd = FindWindowExW(nullptr, hwnd, className, caption);
        while (hwnd &&
               (GetWindowThreadProcessId(hwnd, &owner), owner != GetProcessId(process_.Get())));
        return hwnd;
    }
    HWND Shown(const wchar_t* className, const wchar_t* caption = nullptr) const {
        HWND hwnd = nullptr;
        if (WaitFor([&] { return (hwnd = Window(className, caption)) && IsWindowVisible(hwnd); }))
            return hwnd;
        throw std::runtime_error("no window showed");
    }
    bool WaitUntilInTray() const {
        return WaitFor([&] { return Window(L"SorvaneTrayIcon") && Window(L"TForm1"); });
    }
    void Command(int id) const { PostMessageW(Window(L"TForm1"), WM_COMMAND, id, 0); }
    HWND Open(int command, const wchar_t* className) const {
        if (!WaitUntilInTray()) throw std::runtime_error("not in the tray");
        Command(command);
        return Shown(className);
    }
    bool Exit() const {
        Command(sorvane::menu::kExit1);
        return Ended() == 0u;
    }
    // Answers the next "Confirm" question Yes, or with the button `choose` gives for its text.
    void Answer(const std::function<int(const std::wstring&)>& choose = {}) const {
        const HWND question = Shown(L"#32770", L"Confirm");
        const int button = choose ? choose(TextOf(FindDescendant(question, 0xFFFF))) : IDYES;
        SendMessageW(GetDlgItem(question, button), BM_CLICK, 0, 0);
        if (!WaitFor([&] { return !IsWindow(question); })) throw std::runtime_error("still asks");
    }

  private:
    sorvane::UniqueKernelHandle process_;
};

class EndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("sorvane-e2e-" + std::to_string(GetTickCount64()));
        fs::create_directories(dir_);
        fs::copy_file(g_program, dir_ / "Sorvane.exe");
        fs::copy_file(fs::path(g_program).parent_path() / "Sorvane.chm", dir_ / "Sorvane.chm");
    }
    void TearDown() override {
        std::error_code ignored;
        for (const fs::path& path : made_) fs::remove_all(path, ignored);
        fs::remove_all(dir_, ignored);
    }
    // Starts the program with `settings` as its settings file, as an earlier session left it.
    Program Start(const std::string& settings = "") const {
        if (!settings.empty()) Write(dir_ / SettingsName(), settings);
        return Program(dir_ / "Sorvane.exe");
    }

    fs::path dir_;
    std::vector<fs::path> made_;  // outside `dir_`, removed at the end too
};

TEST_F(EndToEnd, OneCopyAtATimeTrayMenuOpensHelpAndExitEndsTheProgram) {
    const Program program = Start();
    ASSERT_TRUE(program.WaitUntilInTray());
    // A second copy ends at once, silently, and this one keeps running.
    EXPECT_EQ(Start().Ended(10000), 0u);

    // A right click on the icon (its callback message) opens the menu; Escape closes it.
    PostMessageW(program.Window(L"SorvaneTrayIcon"), WM_APP + 1, 1, WM_RBUTTONUP);
    const HWND menu = program.Shown(L"#32768");
    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(menu); }));

    // Help opens the help file beside the program in the help viewer.
    program.Command(sorvane::menu::kHelp1);
    EXPECT_TRUE(WaitFor([&] { return program.Window(nullptr, L"Sorvane Help") != nullptr; }));
    EXPECT_TRUE(program.Exit());
}

// The whole of Clean Drive(s) on a directory chosen in an earlier session.
TEST_F(EndToEnd, CleanDriveScansDeletesCheckedFilesToTheRecycleBinAndSavesAReport) {
    namespace ids = sorvane::cleandri;
    const fs::path junk = dir_ / "junk";
    for (const char* name : {"a.tmp", "b.tmp", "keep.txt", "sub/c.tmp"}) Write(junk / name, "junk");
    const Program program = Start(
        "[Cleandiroptions]\r\nMaskgroup_Checked=False\r\n"
        "[Cleandiroptions.Selecteddrives_Items]\r\nCount=1\r\nItem0=" +
        junk.string() + "\r\n");
    const HWND form = program.Open(sorvane::menu::kClean1, L"TForm8");
    const HWND status = FindDescendant(form, ids::kStat2);
    const HWND grid = FindDescendant(form, ids::kCleangrid);

    // To the second page with the keyboard, as the Scan button lies there.
    const HWND pages = FindDescendant(form, ids::kPages);
    SendMessageW(pages, WM_KEYDOWN, VK_RIGHT, 0);
    ASSERT_TRUE(WaitFor([&] { return TabCtrl_GetCurSel(pages) == 1 && IsWindowVisible(grid); }));
    SendMessageW(FindDescendant(form, ids::kCscanbtn), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return TextOf(status) == L"4 files were found"; })) << TextOf(status);

    // Every row checked, then the one to keep unchecked.
    SendMessageW(form, WM_COMMAND, ids::kSelectAll, 0);
    ToggleRowByLetter(grid, L'k');
    PostMessageW(form, WM_COMMAND, ids::kDeleteChecked, 0);
    program.Answer();
    ASSERT_TRUE(WaitFor([&] { return TextOf(status) == L"Deleted 3 files to recycle_bin."; }))
        << TextOf(status);
    EXPECT_FALSE(fs::exists(junk / "a.tmp") || fs::exists(junk / "sub/c.tmp"));
    EXPECT_TRUE(fs::exists(junk / "keep.txt"));
    EXPECT_TRUE(InRecycleBin(junk / "sub" / "c.tmp"));

    // The report goes where it was asked under the title given; what it holds is the engine
    // tests' part. The save dialog is the platform's: its file name box is a combo box.
    PostMessageW(form, WM_COMMAND, ids::kSaveHtml, 0);
    const HWND dialog = program.Shown(L"#32770");
    SetWindowTextW(FindDescendant(dialog, cmb13), (dir_ / "report").c_str());
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    const HWND titleBox = program.Shown(L"SorvaneInputBox");
    SetWindowTextW(FindWindowExW(titleBox, nullptr, L"Edit", nullptr), L"Junk");
    SendMessageW(titleBox, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return TextOf(status).starts_with(L"Saved "); })) << TextOf(status);
    EXPECT_NE(ReadAll(dir_ / "report.html").find("<TITLE>Junk</TITLE>"), std::string::npos);
    EXPECT_TRUE(program.Exit());
}

TEST_F(EndToEnd, FindDuplicatesDeletesOneCheckedCopyToTheRecycleBin) {
    namespace ids = sorvane::finddup;
    const fs::path tree = dir_ / "dups";
    for (const char* name : {"one.txt", "b/copy.txt"}) Write(tree / name, "alpha");
    const Program program = Start(
        "[Duplicate_Options]\r\nSnamebox_Checked=False\r\nSdatebox_Checked=False\r\n"
        "[Duplicate_Options.Excludelistbox_Items]\r\nCount=1\r\nItem0=" +
        tree.string() + "\r\n");
    const HWND form = program.Open(sorvane::menu::kFindDuplicateFiles1, L"TForm7");
    const HWND status = FindDescendant(form, ids::kStat1);
    SendMessageW(FindDescendant(form, ids::kStartbtn), BM_CLICK, 0, 0);  // on size alone
    ASSERT_TRUE(WaitFor([&] { return TextOf(status) == L"Found 2 duplicate files."; }))
        << TextOf(status);
    ToggleRowByLetter(FindDescendant(form, ids::kDupgrid), L'c');
    PostMessageW(form, WM_COMMAND, ids::kDeleteChecked, 0);
    program.Answer();
    ASSERT_TRUE(WaitFor([&] { return TextOf(status) == L"Deleted 1 files to recycle_bin."; }))
        << TextOf(status);
    EXPECT_TRUE(!fs::exists(tree / "b" / "copy.txt") && fs::exists(tree / "one.txt"));
    EXPECT_TRUE(InRecycleBin(tree / "b" / "copy.txt"));
}

// On the prefix's own Start Menu and Desktop, Delete > All answered Yes for ours (No for anything
// else the prefix holds); a letter no drive stands behind is an unplugged disk.
TEST_F(EndToEnd, CheckShortcutsDeletesTheDeadAndKeepsAShortcutToADriveThatIsNotThere) {
    using sorvane::TForm3;
    const sorvane::ComApartment com;
    ASSERT_EQ(GetDriveTypeW(L"Q:\\"), static_cast<UINT>(DRIVE_NO_ROOT_DIR));
    const std::wstring name = L"Sorvane-E2E-" + std::to_wstring(GetCurrentProcessId());
    const fs::path mine = made_.emplace_back(Folder(CSIDL_STARTMENU | CSIDL_FLAG_CREATE) / name);
    const fs::path links[] = {
        mine / "good.lnk", mine / "unplugged.lnk", mine / "dead.lnk",
        made_.emplace_back(Folder(CSIDL_DESKTOPDIRECTORY | CSIDL_FLAG_CREATE) / (name + L".lnk"))};
    const fs::path targets[] = {dir_ / "tool.exe", L"Q:\\tool.exe", dir_ / "gone.exe",
                                dir_ / "gone too.exe"};
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
    const HWND status = FindDescendant(form, TForm3::kStat1);
    PostMessageW(FindDescendant(form, TForm3::kScanbtn), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return TextOf(status).starts_with(L"Found "); })) << TextOf(status);
    const LRESULT listed =
        SendMessageW(FindDescendant(form, TForm3::kShortcutlistbox), LB_GETCOUNT, 0, 0);
    PostMessageW(form, WM_COMMAND, TForm3::kAll1, 0);
    for (LRESULT asked = 0; asked < listed; ++asked) {
        // Listed folders below the two tops are in capitals.
        program.Answer([&](const std::wstring& text) {
            return StrStrIW(text.c_str(), name.c_str()) ? IDYES : IDNO;
        });
    }
    EXPECT_TRUE(WaitFor([&] { return !fs::exists(links[2]) && !fs::exists(links[3]); }));
    EXPECT_TRUE(fs::exists(links[0]) && fs::exists(links[1]));
}

// With Clean Directories closed: the files go to the recycle bin, the directories stay.
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
    EXPECT_TRUE(fs::is_empty(target / "sub") && !fs::exists(target / "f0.tmp"));
    EXPECT_TRUE(InRecycleBin(target / "f0.tmp"));
}

TEST_F(EndToEnd, AStartUpCleanWithAnAgeLimitItsHistoryAndRestoreOfOneFile) {
    using sorvane::TForm10;
    const fs::path target = dir_ / "temp";
    // Files made two days ago: both their creation and their last change lie that far back.
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const ULONGLONG then =
        (ULONGLONG{now.dwHighDateTime} << 32 | now.dwLowDateTime) - 2ULL * 24 * 3600 * 10'000'000;
    const FILETIME old{static_cast<DWORD>(then), static_cast<DWORD>(then >> 32)};
    for (const char* name : {"old1.tmp", "old2.tmp"}) {
        Write(target / name, "old");
        const sorvane::UniqueFile file(CreateFileW((target / name).c_str(), FILE_WRITE_ATTRIBUTES,
                                                   0, nullptr, OPEN_EXISTING, 0, nullptr));
        SetFileTime(file.Get(), &old, &old, &old);
    }
    Write(target / "fresh.tmp", "fresh");
    const Program program = Start("[Target_Directories]\r\nCount=1\r\nItem1=" + target.string() +
                                  "\r\n[" + target.string() +
                                  "]\r\nName=temp\r\nOlderthan=24\r\nOlderthanunit=Hours\r\n"
                                  "[AutoClean]\r\nSorvstartbox_Check=1\r\n");
    ASSERT_TRUE(WaitFor(
        [&] { return !fs::exists(target / "old1.tmp") && !fs::exists(target / "old2.tmp"); }));
    EXPECT_TRUE(fs::exists(target / "fresh.tmp"));

    const HWND history = program.Open(sorvane::menu::kCleaningHistory1, L"TForm10");
    const HWND files = FindDescendant(history, TForm10::kFilegrid);
    EXPECT_EQ(ListView_GetItemCount(FindDescendant(history, TForm10::kRunlist)), 1);
    // The two recycled files and the line of the one left for its age, from the history file.
    ASSERT_TRUE(WaitFor([&] { return ListView_GetItemCount(files) == 3; }));
    EXPECT_TRUE(fs::exists(dir_ / "Sorvane History.csv"));  // beside the settings file

    // Restore old1.tmp, the first row whose name starts so; posted, as the click asks first.
    SendMessageW(files, WM_CHAR, L'o', 1);
    PostMessageW(FindDescendant(history, TForm10::kRestorebtn), BM_CLICK, 0, 0);
    program.Answer();
    EXPECT_TRUE(WaitFor([&] { return ReadAll(target / "old1.tmp") == "old"; }));
    EXPECT_FALSE(fs::exists(target / "old2.tmp"));
    EXPECT_TRUE(program.Exit());
}

// The setup program (SORVANE_SETUP) and its uninstaller, run as an ordinary user by
// scripts/ordinary-user-tests.sh in three steps: install; run with the program folder read-only
// for the user, as Program Files is on Windows; upgrade over a running copy and uninstall.
class Install : public ::testing::Test {
  protected:
    void SetUp() override {
        if (setup_ == nullptr) GTEST_SKIP() << "runs from scripts/ordinary-user-tests.sh";
    }
    static bool RunSilently(const fs::path& exe) { return Program(exe, L"/S").Ended(120000) == 0u; }
    // A value of the uninstall entry, or with `run` of the user's Run key.
    static std::optional<std::wstring> Value(const wchar_t* name, bool run = false) {
        wchar_t data[1024] = {};
        DWORD size = sizeof data;
        const LSTATUS read =
            RegGetValueW(run ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE,
                         run ? kRunKey : kUninstallKey, name, RRF_RT_REG_SZ, nullptr, data, &size);
        return read == ERROR_SUCCESS ? std::optional<std::wstring>(data) : std::nullopt;
    }
    static constexpr wchar_t kUninstallKey[] =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Sorvane";
    static constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

    const char* const setup_ = std::getenv("SORVANE_SETUP");
    const fs::path dir_ = Folder(CSIDL_PROGRAM_FILES) / "Sorvane";
    const fs::path shortcut_ = Folder(CSIDL_COMMON_PROGRAMS) / "Sorvane.lnk";
    const fs::path settings_ = Folder(CSIDL_APPDATA) / "Sorvane" / SettingsName();
};

TEST_F(Install, SilentSetupPutsTheProgramTheStartMenuEntryAndTheUninstallEntryInPlace) {
    ASSERT_TRUE(RunSilently(setup_));
    for (const char* file : {"Sorvane.exe", "Sorvane.chm", "readme.txt", "uninstall.exe"}) {
        EXPECT_TRUE(fs::exists(dir_ / file)) << file;
    }
    EXPECT_TRUE(fs::exists(shortcut_));
    EXPECT_EQ(Value(L"DisplayName"), L"Sorvane");
    EXPECT_EQ(Value(L"UninstallString"), L"\"" + (dir_ / "uninstall.exe").wstring() + L"\"");
    // Starting with Windows is offered unticked.
    EXPECT_FALSE(Value(L"Sorvane", true));
}

TEST_F(Install, TheInstalledProgramKeepsItsSettingsInApplicationData) {
    std::error_code ignored;
    fs::remove(settings_, ignored);
    const Program program(dir_ / "Sorvane.exe");
    // Closing Clean Drive(s) stores its options.
    const HWND window = program.Open(sorvane::menu::kClean1, L"TForm8");
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(window); }));
    EXPECT_TRUE(WaitFor([&] { return fs::exists(settings_); }));
    EXPECT_FALSE(program.Ended(0));  // no "Unable to write to" stands in the way
    EXPECT_TRUE(program.Exit());
    for (const auto& entry : fs::directory_iterator(dir_)) {
        EXPECT_NE(entry.path().extension(), ".INI") << entry.path();
    }
}

TEST_F(Install, AnUpgradeAndTheUninstallerEndARunningCopyAndTheUninstallerRemovesAllButSettings) {
    const Program upgraded(dir_ / "Sorvane.exe");
    ASSERT_TRUE(upgraded.WaitUntilInTray());
    ASSERT_TRUE(RunSilently(setup_));
    EXPECT_TRUE(upgraded.Ended(10000));
    EXPECT_TRUE(fs::exists(dir_ / "Sorvane.exe"));
    EXPECT_EQ(Value(L"DisplayName"), L"Sorvane");

    // Start with Windows as General Options writes it.
    const std::wstring run = L"\"" + (dir_ / "Sorvane.exe").wstring() + L"\"";
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, L"Sorvane", REG_SZ, run.c_str(),
                              static_cast<DWORD>((run.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    const Program running(dir_ / "Sorvane.exe");
    ASSERT_TRUE(running.WaitUntilInTray());
    // The uninstaller hands over to a copy of itself and returns at once.
    ASSERT_TRUE(RunSilently(dir_ / "uninstall.exe"));
    EXPECT_TRUE(running.Ended(30000));
    EXPECT_TRUE(WaitFor([&] { return !fs::exists(dir_); }, 60s));
    EXPECT_FALSE(fs::exists(shortcut_));
    // The registry entries go after the folder.
    EXPECT_TRUE(WaitFor([&] { return !Value(L"DisplayName") && !Value(L"Sorvane", true); }));
    EXPECT_TRUE(fs::exists(settings_));
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 2) return fprintf(stderr, "usage: e2e_tests <path to Sorvane.exe>\n"), 2;
    // A Linux path from the build reaches us as is; Z: is the Linux root under Wine.
    g_program = fs::absolute(std::string(argv[1][0] == '/' ? "Z:" : "") + argv[1]);
    return RUN_ALL_TESTS();
}
