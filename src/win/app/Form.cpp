#include "win/app/Form.h"

#include "win/platform/Utf.h"
#include "win/widgets/Controls.h"

namespace sorvane {

Form::Form(Application& app, const wchar_t* windowClass) : app_(app), windowClass_(windowClass) {}

Form::~Form() {
    if (tips_) app_.Unregister(*tips_);
}

void Form::CreateForm(const std::string& caption, DWORD style, DWORD exStyle, Size designOuter) {
    const Size size =
        ScaleToScreen(designOuter, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    CreateWindowOf({windowClass_, nullptr, CS_HREDRAW | CS_VREDRAW, true},
                   exStyle | WS_EX_CONTROLPARENT, caption, style & ~WS_VISIBLE,
                   {0, 0, size.width, size.height}, nullptr);
    app_.NoteCreated(Narrow(windowClass_));
}

Size Form::OuterForClient(int width, int height, DWORD style, DWORD exStyle) {
    const SIZE outer = OuterSizeForClient(width, height, style, exStyle);
    return {outer.cx, outer.cy};
}

Tooltip& Form::Tips() {
    if (!tips_) {
        tips_ = std::make_unique<Tooltip>(Handle());
        app_.Register(*tips_);
    }
    return *tips_;
}

void Form::Show() {
    // A window already on screen is only brought forward: its work in progress (a running
    // scan, pending changes) goes on.
    if (!Visible()) OnShowing();
    if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    BringWindowToTop(Handle());
}

Size Form::OuterSize() const {
    RECT r{};
    GetWindowRect(Handle(), &r);
    return {r.right - r.left, r.bottom - r.top};
}

void Form::MoveTo(int left, int top) {
    SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::CenterOnScreen() {
    const Size size = OuterSize();
    MoveTo(GetSystemMetrics(SM_CXSCREEN) / 2 - size.width / 2,
           GetSystemMetrics(SM_CYSCREEN) / 2 - size.height / 2);
}

void Form::Hide() {
    ShowWindow(Handle(), SW_HIDE);
}

bool Form::Visible() const {
    return IsWindowVisible(Handle()) != FALSE;
}

void Form::Close() {
    OnClosing();
    Hide();
}

LRESULT Form::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        Close();
        return 0;
    }
    if (message == WM_HELP) {
        // F1 on a control opens its topic in the help file found at start-up.
        const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
        const std::string& helpFile = app_.HelpFile();
        if (info && !helpFile.empty() && info->dwContextId != 0) {
            WinHelpW(Handle(), Widen(helpFile).c_str(), HELP_CONTEXT, info->dwContextId);
        }
        return TRUE;
    }
    return DefaultProc(message, wParam, lParam);
}

}  // namespace sorvane
