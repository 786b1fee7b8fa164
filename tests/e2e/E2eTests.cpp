// Drives the real program from another process, as a user or an automation tool would: the
// tray icon's callback message, the menu's commands and the windows' buttons.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

#include "app/MenuIds.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr UINT kTrayCallback = WM_APP + 1;
fs::path g_program;  // the freshly built Sorvane.exe

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit = 20s) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (condition()) return true;
        std::this_thread::sleep_for(50ms);
    }
    return condition();
}

// A top-level window of a given class (and caption, when given) that belongs to `pid`.
HWND FindProcessWindow(DWORD pid, const wchar_t* className, const wchar_t* caption = nullptr) {
    struct Search {
        DWORD pid;
        const wchar_t* className;
        const wchar_t* caption;
        HWND found;
    } search{pid, className, caption, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            wchar_t cls[256] = {};
            GetClassNameW(hwnd, cls, 256);
            wchar_t text[256] = {};
            GetWindowTextW(hwnd, text, 256);
            if (owner == s->pid && wcscmp(cls, s->className) == 0 &&
                (!s->caption || wcscmp(text, s->caption) == 0)) {
                s->found = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindChildButton(HWND parent, const wchar_t* caption) {
    struct Search {
        const wchar_t* caption;
        HWND found;
    } search{caption, nullptr};
    EnumChildWindows(
        parent,
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            wchar_t text[256] = {};
            GetWindowTextW(hwnd, text, 256);
            if (wcscmp(text, s->caption) == 0) {
                s->found = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring UserName() {
    wchar_t name[257] = {};
    DWORD size = 257;
    GetUserNameW(name, &size);
    return name;
}

// A running copy of the program, started from its own directory so that its settings file
// is the test's own. Ends the process if a test leaves it running.
class Program {
  public:
    explicit Program(const fs::path& exe) {
        STARTUPINFOW si{};
        si.cb = sizeof si;
        std::wstring command = L"\"" + exe.wstring() + L"\"";
        const std::wstring dir = exe.parent_path().wstring();
        started_ = CreateProcessW(exe.wstring().c_str(), command.data(), nullptr, nullptr, FALSE, 0,
                                  nullptr, dir.c_str(), &si, &info_) != FALSE;
    }
    ~Program() {
        if (!started_) return;
        if (Running()) TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    bool Started() const { return started_; }
    DWORD Pid() const { return info_.dwProcessId; }
    bool Running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }
    bool WaitForExit(DWORD ms = 20000) const {
        return WaitForSingleObject(info_.hProcess, ms) == WAIT_OBJECT_0;
    }
    DWORD ExitCode() const {
        DWORD code = 0;
        GetExitCodeProcess(info_.hProcess, &code);
        return code;
    }
    HWND Window(const wchar_t* className, const wchar_t* caption = nullptr) const {
        return FindProcessWindow(Pid(), className, caption);
    }
    // Waits until the program has its tray icon and its main window.
    bool WaitUntilInTray() const {
        return WaitFor([&] { return Window(L"SorvaneTrayIcon") && Window(L"TForm1"); });
    }
    void Command(int id) const { PostMessageW(Window(L"TForm1"), WM_COMMAND, id, 0); }

  private:
    bool started_ = false;
    PROCESS_INFORMATION info_{};
};

class EndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(fs::exists(g_program)) << g_program;
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        dir_ = fs::path(temp) / ("sorvane-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
                                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        exe_ = dir_ / "Sorvane.exe";
        fs::copy_file(g_program, exe_);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }
    fs::path SettingsFile() const { return dir_ / (UserName() + L".INI"); }

    fs::path dir_;
    fs::path exe_;
};

TEST_F(EndToEnd, SecondCopyEndsSilentlyWhileTheFirstKeepsRunning) {
    const Program first(exe_);
    ASSERT_TRUE(first.Started());
    ASSERT_TRUE(first.WaitUntilInTray());

    const auto started = std::chrono::steady_clock::now();
    const Program second(exe_);
    ASSERT_TRUE(second.Started());
    ASSERT_TRUE(second.WaitForExit(10000));
    EXPECT_LT(std::chrono::steady_clock::now() - started, 10s);
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_EQ(second.Window(L"SorvaneTrayIcon"), nullptr);
    EXPECT_EQ(second.Window(L"TForm1"), nullptr);

    EXPECT_TRUE(first.Running());
    EXPECT_NE(first.Window(L"SorvaneTrayIcon"), nullptr);
    first.Command(sorvane::menu::kExit1);
    EXPECT_TRUE(first.WaitForExit());
}

TEST_F(EndToEnd, TrayMenuOpensAboutAndExitEndsTheProgram) {
    const Program program(exe_);
    ASSERT_TRUE(program.WaitUntilInTray());
    // Start-up shows nothing but the tray icon.
    EXPECT_FALSE(IsWindowVisible(program.Window(L"TForm1")));
    EXPECT_FALSE(IsWindowVisible(program.Window(L"TForm4")));

    // A right click on the icon opens the menu at the pointer; Escape closes it.
    PostMessageW(program.Window(L"SorvaneTrayIcon"), kTrayCallback, 1, WM_RBUTTONUP);
    HWND menu = nullptr;
    ASSERT_TRUE(
        WaitFor([&] { return (menu = program.Window(L"#32768")) && IsWindowVisible(menu); }));
    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(WaitFor([&] {
        HWND m = program.Window(L"#32768");
        return !m || !IsWindowVisible(m);
    }));

    program.Command(sorvane::menu::kAbout1);
    HWND about = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        return (about = program.Window(L"TForm4", L"About Sorvane v2.03")) &&
               IsWindowVisible(about);
    }));
    // Choosing About again brings the same box forward; no second one appears.
    program.Command(sorvane::menu::kAbout1);
    Sleep(300);
    EXPECT_EQ(program.Window(L"TForm4"), about);

    HWND close = FindChildButton(about, L"&Close");
    ASSERT_NE(close, nullptr);
    SendMessageW(close, BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(about); }));
    EXPECT_TRUE(program.Running());

    program.Command(sorvane::menu::kExit1);
    ASSERT_TRUE(program.WaitForExit());
    EXPECT_EQ(program.ExitCode(), 0u);

    // The lock went with the process: a new start works.
    const Program again(exe_);
    ASSERT_TRUE(again.WaitUntilInTray());
    again.Command(sorvane::menu::kExit1);
    EXPECT_TRUE(again.WaitForExit());
}

TEST_F(EndToEnd, ExitAfterStartupTasksAsksAndYesEndsTheProgram) {
    {
        std::ofstream ini(SettingsFile(), std::ios::binary);
        ini << "[Generaloptions]\r\nSchedulebox_Checked=1\r\n";
    }
    const Program program(exe_);
    HWND question = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (question = program.Window(L"#32770", L"Confirm")); }));
    HWND yes = FindChildButton(question, L"&Yes");
    ASSERT_NE(yes, nullptr);
    EXPECT_NE(FindChildButton(question, L"&No"), nullptr);
    SendMessageW(yes, BM_CLICK, 0, 0);
    ASSERT_TRUE(program.WaitForExit());
    EXPECT_EQ(program.ExitCode(), 0u);
}

TEST_F(EndToEnd, ExitAfterStartupTasksAnsweredNoKeepsTheProgramInTheTray) {
    {
        std::ofstream ini(SettingsFile(), std::ios::binary);
        ini << "[Generaloptions]\r\nSchedulebox_Checked=1\r\n";
    }
    const Program program(exe_);
    HWND question = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (question = program.Window(L"#32770", L"Confirm")); }));
    SendMessageW(FindChildButton(question, L"&No"), BM_CLICK, 0, 0);
    ASSERT_TRUE(program.WaitUntilInTray());
    Sleep(300);
    EXPECT_TRUE(program.Running());
    program.Command(sorvane::menu::kExit1);
    EXPECT_TRUE(program.WaitForExit());
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
