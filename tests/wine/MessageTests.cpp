// Timers, the event pump and message boxes: everything that runs on the thread's messages.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "WineTestSupport.h"
#include "win/platform/WinEventPump.h"
#include "win/platform/WinHandles.h"
#include "win/platform/EntryGuard.h"
#include "win/platform/WinPrompts.h"
#include "win/platform/WinTimerService.h"

namespace sorvane {
namespace {

using test::PumpUntil;

TEST(TimerTest, TicksArriveThroughTheMessageLoopUntilTheTimerGoes) {
    WinTimerService timers;
    int ticks = 0;
    auto timer = timers.Start(10, [&] { ++ticks; });

    EXPECT_EQ(ticks, 0);  // nothing happens outside the message loop
    ASSERT_TRUE(PumpUntil([&] { return ticks >= 3; }, 5000));

    timer.reset();
    const int stopped = ticks;
    PumpUntil([] { return false; }, 100);
    EXPECT_EQ(ticks, stopped);
}

TEST(TimerTest, TimersRunSideBySide) {
    WinTimerService timers;
    int fast = 0;
    int slow = 0;
    const auto a = timers.Start(10, [&] { ++fast; });
    const auto b = timers.Start(40, [&] { ++slow; });
    ASSERT_TRUE(PumpUntil([&] { return slow >= 2; }, 5000));
    EXPECT_GT(fast, slow);
}

TEST(TimerTest, ATickMayStopItsOwnTimer) {
    WinTimerService timers;
    int ticks = 0;
    std::unique_ptr<ITimer> timer;
    timer = timers.Start(10, [&] {
        ++ticks;
        timer.reset();
    });
    PumpUntil([] { return false; }, 150);
    EXPECT_EQ(ticks, 1);
}

// A failing tick is an error of the program's like any other: shown, and the timer goes on.
TEST(TimerTest, AFailingTickIsReportedAndTheTimerGoesOn) {
    std::vector<std::string> errors;
    SetErrorHandler([&](const std::string& message) { errors.push_back(message); });
    WinTimerService timers;
    int ticks = 0;
    const auto timer = timers.Start(10, [&] {
        ++ticks;
        throw std::runtime_error("tick failed");
    });
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 2; }, 5000));
    SetErrorHandler(nullptr);
    ASSERT_GE(errors.size(), 2u);
    EXPECT_EQ(errors[0], "tick failed");
}

TEST(TimerTest, ATimerMayOutliveItsService) {
    std::unique_ptr<ITimer> timer;
    {
        WinTimerService timers;
        timer = timers.Start(10, [] {});
    }
    EXPECT_NO_FATAL_FAILURE(timer.reset());
}

// A message-only window that counts the messages it is sent.
class CountingWindow {
  public:
    static constexpr UINT kPing = WM_APP + 1;

    CountingWindow() {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &Procedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"SorvaneTestCountingWindow";
        RegisterClassExW(&wc);
        hwnd_.Reset(CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    wc.hInstance, nullptr));
        SetWindowLongPtrW(hwnd_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    HWND Get() const { return hwnd_.Get(); }
    int pings = 0;

  private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == kPing) {
            reinterpret_cast<CountingWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))->pings++;
            return 0;
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    UniqueWindow hwnd_;
};

TEST(EventPumpTest, WaitingMessagesAreHandledAndTheCallReturns) {
    CountingWindow window;
    ASSERT_TRUE(window.Get());
    PostMessageW(window.Get(), CountingWindow::kPing, 0, 0);
    PostMessageW(window.Get(), CountingWindow::kPing, 0, 0);

    WinEventPump().ProcessPending();

    EXPECT_EQ(window.pings, 2);
}

TEST(EventPumpTest, AQuitRequestIsLeftForTheMainLoop) {
    CountingWindow window;
    PostMessageW(window.Get(), CountingWindow::kPing, 0, 0);
    PostQuitMessage(7);

    WinEventPump().ProcessPending();

    EXPECT_EQ(window.pings, 1);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);
}

// Answers the message box the code under test shows, from inside its modal loop, and notes
// what the box looked like.
class BoxAnswerer {
  public:
    explicit BoxAnswerer(int button) {
        current_ = this;
        button_ = button;
        timer_ = SetTimer(nullptr, 0, 20, &BoxAnswerer::OnTimer);
    }
    ~BoxAnswerer() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;

    std::wstring caption;
    std::wstring text;
    HWND owner = nullptr;
    bool hadYesNo = false;
    bool hadOk = false;

  private:
    static BOOL CALLBACK FindBox(HWND hwnd, LPARAM found) {
        wchar_t className[16];
        GetClassNameW(hwnd, className, 16);
        if (std::wstring(className) != L"#32770") return TRUE;
        *reinterpret_cast<HWND*>(found) = hwnd;
        return FALSE;
    }
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
        BoxAnswerer* const self = current_;
        if (self == nullptr) return;
        HWND box = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), &FindBox, reinterpret_cast<LPARAM>(&box));
        if (box == nullptr) return;
        wchar_t buffer[256];
        GetWindowTextW(box, buffer, 256);
        self->caption = buffer;
        // The message text is the static control with id 0xFFFF in the box template.
        GetDlgItemTextW(box, 0xFFFF, buffer, 256);
        self->text = buffer;
        self->owner = GetWindow(box, GW_OWNER);
        self->hadYesNo = GetDlgItem(box, IDYES) != nullptr && GetDlgItem(box, IDNO) != nullptr;
        self->hadOk = GetDlgItem(box, IDOK) != nullptr;
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(self->button_, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, self->button_)));
        current_ = nullptr;
    }

    static inline BoxAnswerer* current_ = nullptr;
    int button_ = 0;
    UINT_PTR timer_ = 0;
};

// Without an X display Wine's message boxes return at once without showing anything.
class PromptsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (test::EnvironmentVariable("DISPLAY").empty()) {
            GTEST_SKIP() << "message boxes need a display: run under Xvfb";
        }
    }
};

TEST_F(PromptsTest, ConfirmAsksYesOrNoUnderItsOwnCaption) {
    WinPrompts prompts("Sorvane", nullptr);
    {
        BoxAnswerer answer(IDYES);
        EXPECT_TRUE(prompts.Confirm("Proceed to delete all files?"));
        EXPECT_EQ(answer.caption, L"Confirm");
        EXPECT_EQ(answer.text, L"Proceed to delete all files?");
        EXPECT_TRUE(answer.hadYesNo);
    }
    {
        BoxAnswerer answer(IDNO);
        EXPECT_FALSE(prompts.Confirm("Proceed?"));
    }
}

TEST_F(PromptsTest, NoticesAndErrorsCarryTheApplicationTitle) {
    WinPrompts prompts("Sorvane Ελληνικά", nullptr);
    {
        BoxAnswerer answer(IDOK);
        prompts.Notice("Done.");
        EXPECT_EQ(answer.caption, L"Sorvane Ελληνικά");
        EXPECT_TRUE(answer.hadOk);
        EXPECT_FALSE(answer.hadYesNo);
    }
    {
        BoxAnswerer answer(IDOK);
        prompts.Error("Unable to write to C:\\x.INI");
        EXPECT_EQ(answer.caption, L"Sorvane Ελληνικά");
        EXPECT_EQ(answer.text, L"Unable to write to C:\\x.INI");
    }
}

TEST_F(PromptsTest, BoxesBelongToTheOwnerWindow) {
    const UniqueWindow owner(CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 100,
                                             100, nullptr, nullptr, nullptr, nullptr));
    ASSERT_TRUE(owner);
    WinPrompts prompts("Sorvane", nullptr);
    prompts.SetOwner(owner.Get());
    BoxAnswerer answer(IDOK);
    prompts.Notice("owned");
    EXPECT_EQ(answer.owner, owner.Get());
}

}  // namespace
}  // namespace sorvane
