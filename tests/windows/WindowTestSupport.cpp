#include "WindowTestSupport.h"

#include <commctrl.h>
#include <objbase.h>

#include "win/platform/WinEventPump.h"

namespace sorvane::testing {

namespace {

std::function<void()>* g_inside = nullptr;

void CALLBACK InsideMenu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (g_inside) (*g_inside)();
    EndMenu();
}

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

std::function<void(HWND)>* g_inBox = nullptr;
std::wstring g_boxCaption;

void CALLBACK InsideBox(HWND, UINT, UINT_PTR id, DWORD) {
    const HWND box = FindWindowW(L"#32770", g_boxCaption.c_str());
    if (box == nullptr || !IsWindowVisible(box)) return;  // not up yet
    KillTimer(nullptr, id);
    if (g_inBox) (*g_inBox)(box);
}

}  // namespace

void WhileBoxOpen(const std::function<void()>& action, const std::string& caption,
                  const std::function<void(HWND box)>& inside) {
    std::function<void(HWND)> copy = inside;
    g_inBox = &copy;
    g_boxCaption.assign(caption.begin(), caption.end());
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, &InsideBox);
    action();
    KillTimer(nullptr, timer);
    g_inBox = nullptr;
}

void PumpMessages() {
    WinEventPump().ProcessPending();
}

void WhileMenuOpen(const std::function<void()>& action, const std::function<void()>& inside) {
    std::function<void()> copy = inside;
    g_inside = &copy;
    SetTimer(nullptr, 0, 300, &InsideMenu);
    action();
    g_inside = nullptr;
}

ProgramWindows::ProgramWindows() {
    fake.system.SetUserName("guest");
    fake.system.SetProgramPath("C:\\Tools\\Sorvane.exe");
    fake.system.SetWindowsDirectory("C:\\WINDOWS");
    fake.system.SetPlatformId(2);
}

void ProgramWindows::Start() {
    app = std::make_unique<Application>(fake.platform());
    app->SetTitle("Sorvane v2.03");
    context = std::make_unique<AppContext>(*app, fake.platform());
    forms = std::make_unique<FormSet>(*context);
    PumpMessages();
}

AppContext& ProgramWindows::Context() {
    if (!context) {
        app = std::make_unique<Application>(fake.platform());
        app->SetTitle("Sorvane v2.03");
        context = std::make_unique<AppContext>(*app, fake.platform());
        context->values = ComputeSharedValues(fake.system, fake.registry);
    }
    return *context;
}

void ProgramWindows::TearDown() {
    forms.reset();
    context.reset();
    app.reset();
    // A Terminate in the test leaves WM_QUIT behind; it must not end the next test's loops.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

}  // namespace sorvane::testing
