#include "win/dirclean/AutoSorv.h"

#include <commctrl.h>

#include "core/app/HelpTopics.h"
#include "resource.h"

#include "win/platform/Utf.h"
#include "win/utils/Controls.h"
#include "win/widgets/AnchorLayout.h"

namespace sorvane {

namespace {

constexpr DWORD kStyle = WS_POPUP;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
constexpr char kIdleStatus[] = "..........";
constexpr SIZE kDesignClient = {445, 89};
// A strip across the top of the screen that should cover little of it: it grows by half at
// most, its content in the middle, the status line (a path) as wide as the strip.
constexpr int kMostGrowth = 150;
constexpr Follow kStatusLine{0, 0.5f, 1, 0.5f};

}  // namespace

TForm9::TForm9(AppContext& context) : Form(context, L"TForm9") {
    const Size outer = OuterForClient(kDesignClient.cx, kDesignClient.cy, kStyle, kExStyle);
    CreateForm("Sorvane v2.03", kStyle, kExStyle, outer);
    KeepClientWithin(Handle(), {outer.width, outer.height}, kMostGrowth);
    ApplyHelpTopics(help::kProgressWindow);
    // Centred at the top edge of the screen.
    MoveTo(GetSystemMetrics(SM_CXSCREEN) / 2 - OuterSize().width / 2, 1);
    panel_ = std::make_unique<ScrewPanel>(Handle(), ScrewPanel::Style{RGB(255, 255, 255), true});
    const HWND panel = panel_->Handle();
    MakeLabel(panel, "Sorvane v2.03 - Performing Scheduled Tasks:", 72, 16, kLabel1);
    MakeControl(panel, L"STATIC", "Scanning Shortcuts...", WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                Bounds(72, 32, 240, 16), kMlabel);
    // The clip keeps its own size in the middle of the control, which keeps the design's.
    const HWND busy =
        MakeControl(panel, ANIMATE_CLASSW, "", WS_VISIBLE | ACS_TRANSPARENT | ACS_CENTER,
                    Bounds(24, 16, 32, 32), kImage1);
    Animate_Open(busy, MAKEINTRESOURCEW(IDR_BUSY_CLIP));
    MakeControl(panel, L"STATIC", kIdleStatus, WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS,
                Bounds(24, 64, 400, 16), kStatlabel);
    const HWND abort = MakeButton(panel, "Abort", Bounds(328, 16, 89, 33), kAbortbtn);
    AnchorLayout layout(kDesignClient);
    layout.Add(GetDlgItem(panel, kStatlabel), kStatusLine);
    layout.AddChildren(panel, follow::kCentre);
    layout.Apply(ClientRoom(Handle()));
    Tips().Add(abort, "Click to abort the task.");
    On().Command(kAbortbtn, [this] { AbortbtnClick(); });
}

void TForm9::Begin(const std::string& task, std::function<void()> onAbort) {
    onAbort_ = std::move(onAbort);
    SetWindowTextW(Control(kMlabel), Widen(task).c_str());
    SetStatus(kIdleStatus);
    // Turns while the work runs, and only then.
    Animate_Play(Control(kImage1), 0, -1, -1);
    // In front, but the user's work keeps the keyboard.
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    UpdateWindow(Handle());
}

void TForm9::SetStatus(const std::string& text) {
    SetWindowTextW(Control(kStatlabel), Widen(text).c_str());
}

void TForm9::End() {
    onAbort_ = nullptr;
    Animate_Stop(Control(kImage1));
    SetStatus(kIdleStatus);
    Hide();
}

void TForm9::AbortbtnClick() {
    // The window stays up: whoever showed it hides it when the work has ended.
    if (onAbort_) onAbort_();
}

}  // namespace sorvane
