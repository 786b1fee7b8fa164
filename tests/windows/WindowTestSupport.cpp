#include "WindowTestSupport.h"

#include <objbase.h>

#include "win/platform/WinEventPump.h"

namespace sorvane::testing {

namespace {

// Common controls 6 and COM, once for the test program.
struct Environment : ::testing::Environment {
    void SetUp() override {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                            ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
    }
};
[[maybe_unused]] ::testing::Environment* const g_environment =
    ::testing::AddGlobalTestEnvironment(new Environment);

struct ModalStep {
    const wchar_t* className;
    const wchar_t* caption;
    const std::function<void(HWND)>* inside;
    int triesLeft = 100;
};
ModalStep* g_step = nullptr;

// The visible top-level window of the step's class and caption.
HWND VisibleWindowOf(const ModalStep& step) {
    HWND window = nullptr;
    do window = FindWindowExW(nullptr, window, step.className, step.caption);
    while (window && !IsWindowVisible(window));
    return window;
}

void CALLBACK RunStep(HWND, UINT, UINT_PTR id, DWORD) {
    if (!g_step) return;
    const HWND window = VisibleWindowOf(*g_step);
    if (!window && --g_step->triesLeft > 0) return;
    KillTimer(nullptr, id);
    ModalStep* const step = std::exchange(g_step, nullptr);
    ASSERT_NE(window, nullptr) << Narrow(step->className) << " did not open";
    (*step->inside)(window);
}

template <class W>
ToolWindow Tool(const char* name, int list, int remove, const char* lost) {
    return {name,
            [](AppContext& c) { return std::make_unique<W>(c); },
            [](ToolForm& w, int id) { return static_cast<W&>(w).Control(id); },
            list,
            remove,
            lost};
}

}  // namespace

std::vector<ToolWindow> FourToolWindows() {
    return {Tool<TForm3>("Check Shortcuts", TForm3::kExcludescan, TForm3::kRemovedirbit,
                         "[ShortcutOptions]\nS_Left=-5000\nS_Top=4000\n"),
            Tool<TForm6>("Clean Directories", TForm6::kFileTypesList, TForm6::kRemoveFileType,
                         "[DirColsizes]\nClean_Left=5000\nClean_Top=-4000\n"),
            Tool<TForm7>("Find Duplicates", finddup::kExcludemasklist, finddup::kRemovefiletype,
                         "[Duplicate_Options]\nNormPos=5000,9,5600,409\n"),
            Tool<TForm8>("Clean Drive(s)", cleandri::kSelecteddrives, cleandri::kRemovedrivebtn,
                         "[Cleandiroptions]\nNormPos=9,5000,609,5400\n")};
}

void PumpMessages() {
    WinEventPump().ProcessPending();
}

std::vector<HWND> Descendants(HWND window) {
    std::vector<HWND> all;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    return all;
}

void Click(HWND button) {
    SendMessageW(button, BM_CLICK, 0, 0);
    PumpMessages();
}

void WhileModal(const std::function<void()>& action, const wchar_t* className,
                const std::function<void(HWND)>& inside, const wchar_t* caption) {
    ModalStep step{className, caption, &inside};
    g_step = &step;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, &RunStep);
    action();
    KillTimer(nullptr, timer);
    g_step = nullptr;
}

HostWindow::HostWindow() {
    CreateWindowOf({L"SorvaneTestHost"}, WS_EX_CONTROLPARENT, "Host",
                   WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, {0, 0, 640, 400}, nullptr);
}

LRESULT HostWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
    return Window::OnMessage(message, wParam, lParam);
}

ProgramWindows::ProgramWindows() {
    fake.system.SetUserName("guest");
    fake.system.SetProgramPath("C:\\Tools\\Sorvane.exe");
    fake.system.SetWindowsDirectory("C:\\WINDOWS");
    fake.system.SetPlatformId(2);
}

void ProgramWindows::Start() {
    Context();  // the main window works its values out again
    forms = std::make_unique<FormSet>(*context);
    PumpMessages();
}

AppContext& ProgramWindows::Context() {
    if (!context) {
        app = std::make_unique<Application>(fake.platform());
        app->SetTitle("Sorvane v2.03");
        context = std::make_unique<AppContext>(*app, fake.platform());
        context->values = ComputeSharedValues(fake.system, fake.registry, fake.fs);
    }
    return *context;
}

void ProgramWindows::Restart() {
    forms.reset();
    context.reset();
    app.reset();
}

void ProgramWindows::TearDown() {
    Restart();
    // A Terminate in the test leaves WM_QUIT behind; it must not end the next test's loops.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

}  // namespace sorvane::testing
