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

// What a message box of this thread showed, as "caption|text|buttons", and its owner.
struct BoxSeen {
    std::wstring seen;
    HWND owner = nullptr;
};

int g_press = 0;  // the button to press in the next box; 0 once pressed
BoxSeen g_box;

// Runs inside the box's modal loop.
void CALLBACK AnswerBox(HWND, UINT, UINT_PTR, DWORD) {
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
    if (box == nullptr || g_press == 0) return;
    wchar_t caption[256], text[256];
    GetWindowTextW(box, caption, 256);
    GetDlgItemTextW(box, 0xFFFF, text, 256);  // the message text's static control
    const wchar_t* buttons = GetDlgItem(box, IDYES) && GetDlgItem(box, IDNO) ? L"|yes/no"
                             : GetDlgItem(box, IDCANCEL)                     ? L"|ok/cancel"
                                                                             : L"|ok";
    g_box = {std::wstring(caption) + L"|" + text + buttons, GetWindow(box, GW_OWNER)};
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(g_press, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, g_press)));
    g_press = 0;
}

TEST(Prompts, ConfirmAsksYesOrNoNoticesAndErrorsCarryTheTitleAndAllHoldTheOwner) {
    // Without an X display Wine's message boxes return at once without showing anything.
    if (test::EnvironmentVariable("DISPLAY").empty()) GTEST_SKIP() << "run under Xvfb";
    const UniqueWindow owner(CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 100,
                                             100, nullptr, nullptr, nullptr, nullptr));
    WinPrompts prompts("Sorvane Ελληνικά", owner.Get());
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
                  L"Sorvane Ελληνικά|Unable to write|ok"},
                 {IDOK, [&] { return prompts.Notice("owned"), false; }, false,
                  L"Sorvane Ελληνικά|owned|ok"}};
    for (const auto& c : cases) {
        g_press = c.button;
        g_box = {};
        const UINT_PTR timer = SetTimer(nullptr, 0, 20, &AnswerBox);
        EXPECT_EQ(c.ask(), c.answer) << c.button;
        KillTimer(nullptr, timer);
        EXPECT_EQ(g_box.seen, c.seen);
        EXPECT_EQ(g_box.owner, owner.Get());
    }
}

}  // namespace
}  // namespace sorvane
