// Timers, the event pump and message boxes: everything that runs on the thread's messages.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "WineTestSupport.h"
#include "win/platform/EntryGuard.h"
#include "win/platform/WinEventPump.h"
#include "win/platform/WinHandles.h"
#include "win/platform/WinPrompts.h"
#include "win/platform/WinTimerService.h"

namespace sorvane {
namespace {

using test::PumpUntil;

// A failing tick is reported like any error of the program, and its timer goes on.
TEST(Timers, TickThroughTheMessageLoopSurviveFailingTicksAndStopWithTheirObject) {
    std::vector<std::string> errors;
    SetErrorHandler([&](const std::string& message) { errors.push_back(message); });
    std::unique_ptr<ITimer> selfStopping;
    int ticks = 0, failing = 0, once = 0;
    {
        WinTimerService timers;
        auto timer = timers.Start(10, [&] { ++ticks; });
        const auto thrower = timers.Start(10, [&] {
            ++failing;
            throw std::runtime_error("tick failed");
        });
        selfStopping = timers.Start(10, [&] {
            ++once;
            selfStopping.reset();
        });
        EXPECT_EQ(ticks, 0);  // nothing happens outside the message loop
        ASSERT_TRUE(PumpUntil([&] { return ticks >= 3 && failing >= 2; }, 5000));
        timer.reset();
        const int stopped = ticks;
        PumpUntil([] { return false; }, 100);
        EXPECT_EQ(ticks, stopped);
        EXPECT_EQ(once, 1);
        selfStopping = timers.Start(10, [] {});
    }
    EXPECT_NO_FATAL_FAILURE(selfStopping.reset());  // a timer may outlive its service
    SetErrorHandler(nullptr);
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors[0], "tick failed");
}

TEST(EventPump, HandlesWaitingMessagesAndLeavesAQuitForTheMainLoop) {
    PostThreadMessageW(GetCurrentThreadId(), WM_APP, 0, 0);
    PostThreadMessageW(GetCurrentThreadId(), WM_APP, 0, 0);
    PostQuitMessage(7);

    WinEventPump().ProcessPending();

    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);
}

// Notes what the next message box of this thread shows, as "caption|text|buttons", and
// presses `button` in it, from a timer that runs inside the box's modal loop.
struct BoxAnswerer {
    explicit BoxAnswerer(int pressed) : button(pressed), timer(SetTimer(nullptr, 0, 20, &OnTimer)) {
        current = this;
    }
    ~BoxAnswerer() {
        KillTimer(nullptr, timer);
        current = nullptr;
    }
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
        HWND box = nullptr;
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND hwnd, LPARAM found) {
                wchar_t name[16];
                GetClassNameW(hwnd, name, 16);
                if (std::wstring(name) == L"#32770") *reinterpret_cast<HWND*>(found) = hwnd;
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&box));
        if (box == nullptr || current == nullptr) return;
        wchar_t caption[256], text[256];
        GetWindowTextW(box, caption, 256);
        GetDlgItemTextW(box, 0xFFFF, text, 256);  // the message text's static control
        const wchar_t* buttons = GetDlgItem(box, IDYES) && GetDlgItem(box, IDNO) ? L"|yes/no"
                                 : GetDlgItem(box, IDCANCEL)                     ? L"|ok/cancel"
                                                                                 : L"|ok";
        current->seen = std::wstring(caption) + L"|" + text + buttons;
        current->owner = GetWindow(box, GW_OWNER);
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(current->button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, current->button)));
        current = nullptr;
    }

    static inline BoxAnswerer* current = nullptr;
    int button;
    UINT_PTR timer;
    std::wstring seen;
    HWND owner = nullptr;
};

TEST(Prompts, ConfirmAsksYesOrNoNoticesAndErrorsCarryTheTitleAndTheOwner) {
    // Without an X display Wine's message boxes return at once without showing anything.
    if (test::EnvironmentVariable("DISPLAY").empty()) GTEST_SKIP() << "run under Xvfb";
    WinPrompts prompts("Sorvane Ελληνικά", nullptr);
    const struct {
        int button;
        std::function<bool()> ask;
        bool answer;
        const wchar_t* seen;
    } cases[] = {{IDYES, [&] { return prompts.Confirm("Delete all?"); }, true,
                  L"Confirm|Delete all?|yes/no"},
                 {IDNO, [&] { return prompts.Confirm("Delete all?"); }, false,
                  L"Confirm|Delete all?|yes/no"},
                 {IDCANCEL, [&] { return prompts.Ask("Insert a disk", Buttons::kOkCancel); }, false,
                  L"Confirm|Insert a disk|ok/cancel"},
                 {IDOK, [&] { return prompts.Error("Unable to write"), false; }, false,
                  L"Sorvane Ελληνικά|Unable to write|ok"}};
    for (const auto& c : cases) {
        BoxAnswerer answer(c.button);
        EXPECT_EQ(c.ask(), c.answer) << c.button;
        EXPECT_EQ(answer.seen, c.seen);
    }
    const UniqueWindow owner(CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 100,
                                             100, nullptr, nullptr, nullptr, nullptr));
    prompts.SetOwner(owner.Get());
    BoxAnswerer answer(IDOK);
    prompts.Notice("owned");
    EXPECT_EQ(answer.seen, L"Sorvane Ελληνικά|owned|ok");
    EXPECT_EQ(answer.owner, owner.Get());
}

}  // namespace
}  // namespace sorvane
