#include "win/framework/Form.h"

#include "win/platform/Utf.h"
#include "win/utils/BusyCursor.h"
#include "win/utils/Controls.h"

namespace sorvane {

namespace {

// The system menu's Help command of windows that cannot show the title bar's help button.
constexpr UINT kSystemMenuHelp = 0x0010;

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

std::vector<HelpTopic> TopicsForRanges(std::initializer_list<HelpTopicRange> ranges) {
    std::vector<HelpTopic> topics;
    for (const HelpTopicRange& range : ranges) {
        for (int id = range.first; id <= range.last; ++id) topics.push_back({id, range.topic});
    }
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
    // Tool windows are owned, yet show a taskbar button while they are on screen; the
    // program's small pop-ups (tool-window style) have neither.
    const bool popup = (exStyle & WS_EX_TOOLWINDOW) != 0;
    CreateWindowOf({windowClass_, nullptr, CS_HREDRAW | CS_VREDRAW, true},
                   exStyle | WS_EX_CONTROLPARENT | (popup ? 0 : WS_EX_APPWINDOW), caption,
                   style & ~WS_VISIBLE, {0, 0, size.width, size.height},
                   popup ? nullptr : context_.app.Owner());
    // The title bar shows the help button only without minimise and maximise buttons; tool
    // windows keep those and offer Help in their system menu instead.
    if ((exStyle & WS_EX_CONTEXTHELP) && (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))) {
        AppendMenuW(GetSystemMenu(Handle(), FALSE), MF_SEPARATOR, 0, nullptr);
        AppendMenuW(GetSystemMenu(Handle(), FALSE), MF_STRING, kSystemMenuHelp, L"&Help\tF1");
    }
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

void Form::ApplyHelpTopics(DWORD windowTopic, const std::vector<HelpTopic>& controls) {
    SetWindowContextHelpId(Handle(), windowTopic);
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
        reinterpret_cast<LPARAM>(&controls));
}

void Form::ShowHelp(const HELPINFO& info) {
    const std::string& file = context_.app.HelpFile();
    if (file.empty()) return;
    DWORD topic = info.dwContextId;
    if (info.iContextType == HELPINFO_WINDOW) {
        // A control without a topic (the edit inside a combo box, a label) takes the topic of
        // the nearest panel, page or window around it that has one.
        for (HWND w = static_cast<HWND>(info.hItemHandle); topic == 0 && w != nullptr;
             w = w == Handle() ? nullptr : GetParent(w)) {
            topic = GetWindowContextHelpId(w);
        }
    }
    if (topic == 0) topic = GetWindowContextHelpId(Handle());
    if (topic != 0) context_.app.HelpViewer().ShowTopic(Handle(), file, topic);
}

Tooltip& Form::Tips() {
    if (!tips_) {
        tips_ = std::make_unique<Tooltip>(Handle());
        context_.app.Register(*tips_);
    }
    return *tips_;
}

void Form::Show() {
    // A window minimised to the tray comes back as it was, its work untouched.
    if (!Visible() && !IsIconic(Handle())) OnShowing();
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
    if (const std::optional<LRESULT> routed = routes_.Dispatch(Handle(), message, wParam, lParam)) {
        return *routed;
    }
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
        case WM_COMMAND:
            return 0;
        case WM_WINDOWPOSCHANGED: {
            const LRESULT result = DefaultProc(message, wParam, lParam);
            // Minimised, a window goes to the tray: hidden, so without a taskbar button, until
            // the tray menu shows it again.
            if (IsIconic(Handle()) && IsWindowVisible(Handle())) ShowWindow(Handle(), SW_HIDE);
            return result;
        }
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == kSystemMenuHelp) {
                HELPINFO info{sizeof(HELPINFO), HELPINFO_WINDOW, 0, Handle(), 0, {}};
                if (const HWND focus = GetFocus(); focus && IsChild(Handle(), focus)) {
                    info.hItemHandle = focus;
                    info.dwContextId = GetWindowContextHelpId(focus);
                }
                ShowHelp(info);
                return 0;
            }
            return DefaultProc(message, wParam, lParam);
        case WM_HELP:
            if (lParam != 0) ShowHelp(*reinterpret_cast<const HELPINFO*>(lParam));
            return TRUE;
        default:
            break;
    }
    return DefaultProc(message, wParam, lParam);
}

}  // namespace sorvane
