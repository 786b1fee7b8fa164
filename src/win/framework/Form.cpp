#include "win/framework/Form.h"

#include "win/platform/Utf.h"
#include "win/widgets/BusyCursor.h"
#include "win/widgets/Controls.h"

namespace sorvane {

namespace {

// The platform's own prompts, for windows made without a prompts factory (tests).
class SharedPrompts final : public IPrompts {
  public:
    explicit SharedPrompts(IPrompts& prompts) : prompts_(prompts) {}
    bool Ask(const std::string& question, Buttons buttons) override {
        return prompts_.Ask(question, buttons);
    }
    void Show(const std::string& text, MessageIcon icon) override { prompts_.Show(text, icon); }

  private:
    IPrompts& prompts_;
};

}  // namespace

std::vector<HelpTopic> TopicsNumberedAsControls(int first, int last) {
    std::vector<HelpTopic> topics;
    for (int id = first; id <= last; ++id) topics.push_back({id, static_cast<DWORD>(id)});
    return topics;
}

Form::Form(AppContext& context, const wchar_t* windowClass)
    : context_(context), windowClass_(windowClass) {}

Form::~Form() {
    if (tips_) context_.app.Unregister(*tips_);
}

void Form::CreateForm(const std::string& caption, DWORD style, DWORD exStyle, Size designOuter) {
    const Size size =
        ScaleToScreen(designOuter, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    CreateWindowOf({windowClass_, nullptr, CS_HREDRAW | CS_VREDRAW, true},
                   exStyle | WS_EX_CONTROLPARENT, caption, style & ~WS_VISIBLE,
                   {0, 0, size.width, size.height}, nullptr);
    prompts_ = context_.makePrompts ? context_.makePrompts(Handle())
                                    : std::make_unique<SharedPrompts>(context_.platform.prompts);
    Platform& p = context_.platform;
    services_.emplace(Platform{p.fs, p.drives, p.shell, p.system, p.registry, p.settings, p.locale,
                               p.clock, p.timers, *prompts_, p.pump});
    context_.app.NoteCreated(Narrow(windowClass_));
}

Size Form::OuterForClient(int width, int height, DWORD style, DWORD exStyle) {
    const SIZE outer = OuterSizeForClient(width, height, style, exStyle);
    return {outer.cx, outer.cy};
}

void Form::ApplyHelpTopics(const std::vector<HelpTopic>& topics) {
    EnumChildWindows(
        Handle(),
        [](HWND child, LPARAM param) -> BOOL {
            const auto* table = reinterpret_cast<const std::vector<HelpTopic>*>(param);
            const int id = GetDlgCtrlID(child);
            for (const HelpTopic& entry : *table) {
                if (entry.control == id) SetWindowContextHelpId(child, entry.topic);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&topics));
}

Tooltip& Form::Tips() {
    if (!tips_) {
        tips_ = std::make_unique<Tooltip>(Handle());
        context_.app.Register(*tips_);
    }
    return *tips_;
}

void Form::AddCommand(int id, std::function<void()> handler) {
    commands_[id] = std::move(handler);
}

void Form::Show() {
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
    switch (message) {
        case WM_CLOSE:
            Close();
            return 0;
        case WM_SETCURSOR:
            // While a long pass runs every window shows the hourglass over its client area.
            if (BusyCursor::Active() && LOWORD(lParam) == HTCLIENT) {
                SetCursor(BusyCursor::Hourglass());
                return TRUE;
            }
            break;
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            const int code = HIWORD(wParam);
            // Menu items come with 0, buttons with BN_CLICKED, the same number.
            const auto found = commands_.find(id);
            if (found != commands_.end() && code == BN_CLICKED) {
                const std::function<void()> handler = found->second;
                handler();
            } else {
                OnCommand(id, code);
            }
            return 0;
        }
        case WM_NOTIFY:
            if (lParam != 0) {
                if (const auto answer = OnNotify(*reinterpret_cast<NMHDR*>(lParam))) return *answer;
            }
            return DefaultProc(message, wParam, lParam);
        case WM_HELP: {
            // F1 on a control opens its topic in the help file found at start-up.
            const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
            const std::string& helpFile = context_.app.HelpFile();
            if (info && !helpFile.empty() && info->dwContextId != 0) {
                WinHelpW(Handle(), Widen(helpFile).c_str(), HELP_CONTEXT, info->dwContextId);
            }
            return TRUE;
        }
        default:
            return DefaultProc(message, wParam, lParam);
    }
}

}  // namespace sorvane
