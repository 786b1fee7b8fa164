#include "win/dialogs/SeldirSorv.h"

#include "core/app/HelpTopics.h"
#include "core/dialogs/DirectoryPicking.h"
#include "core/utils/ScopedFlag.h"
#include "win/framework/Modal.h"
#include "win/utils/Controls.h"

namespace sorvane {

namespace {

constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;
constexpr int kPanelHeight = 48;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr SIZE kDesignClient = {277, 312};
constexpr int kTreeHeight = kDesignClient.cy - kPanelHeight;
// The tree takes what the dialog gains on a larger screen; the buttons stay at the middle of
// the bottom.
constexpr Follow kLine{0, 1, 1, 1};
constexpr Follow kButtons{0.5f, 1, 0.5f, 1};

}  // namespace

TForm5::TForm5(AppContext& context) : Form(context, L"TForm5"), layout_(kDesignClient) {
    const Size outer = OuterForClient(kDesignClient.cx, kDesignClient.cy, kStyle, kExStyle);
    CreateForm("Select a directory", kStyle, kExStyle, outer);
    KeepClientWithin(Handle(), {outer.width, outer.height}, 0);
    ApplyHelpTopics(help::kDirectoryPicker);
    CenterOnScreen();
    // The tree is filled now; it reads no medium until the user opens a drive.
    selectdir_ = std::make_unique<DirectoryTree>(Handle(), Context().platform,
                                                 Bounds(0, 0, kDesignClient.cx, kTreeHeight),
                                                 kSelectdir, DirectoryTree::Options{false, false});
    selectdir_->SetOnPick([this] { SelectdirClick(); });
    layout_.Add([this](const RECT& r) { selectdir_->MoveTo(r); },
                Bounds(0, 0, kDesignClient.cx, kTreeHeight), follow::kFill);
    layout_.Add(MakeControl(Handle(), L"STATIC", "", WS_VISIBLE | SS_ETCHEDHORZ,
                            Bounds(0, kTreeHeight, kDesignClient.cx, 2), kPanel1),
                kLine);
    const int buttonTop = kTreeHeight + (kPanelHeight - kButtonHeight) / 2;
    const int middle = kDesignClient.cx / 2;
    layout_.Add(
        MakeControl(Handle(), L"BUTTON", "&OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                    Bounds(middle - kButtonWidth - 8, buttonTop, kButtonWidth, kButtonHeight),
                    kAcceptbtn),
        kButtons);
    layout_.Add(MakeButton(Handle(), "&Cancel",
                           Bounds(middle + 8, buttonTop, kButtonWidth, kButtonHeight), kCancelbtn),
                kButtons);
    EnableWindow(Control(kAcceptbtn), FALSE);
    On().Command(kAcceptbtn, [this] { AcceptbtnClick(); });
    On().Command(kCancelbtn, [this] { End(Outcome::kCancel); });
    Layout();
}

void TForm5::Layout() {
    layout_.Apply(ClientRoom(Handle()));
}

void TForm5::FormShow() {
    // Every use starts from the list of drives, with nothing picked yet.
    EnableWindow(Control(kAcceptbtn), FALSE);
    selectdir_->CollapseAll();
    CenterOnScreen();
}

void TForm5::SelectdirClick() {
    // The question's box does not block this window: a click meanwhile waits for the answer,
    // and OK stays off so that it cannot accept a drive whose question is still open.
    if (asking_) return;
    const std::string path = selectdir_->SelectedPath().value_or(kNoDirectory);
    EnableWindow(Control(kAcceptbtn), FALSE);
    bool accept = false;
    {
        const ScopedFlag asking(asking_);
        accept = MayAcceptDirectory(Context().platform.drives, Prompts(), path);
    }
    EnableWindow(Control(kAcceptbtn), accept ? TRUE : FALSE);
}

void TForm5::AcceptbtnClick() {
    // Enter reaches here as IDOK even while the button is disabled.
    if (IsWindowEnabled(Control(kAcceptbtn))) End(Outcome::kOk);
}

std::optional<PickedDirectory> TForm5::Execute(HWND owner) {
    if (running_) return std::nullopt;
    const ScopedFlag running(running_);
    outcome_ = Outcome::kOpen;
    FormShow();
    bool ended = false;
    const HWND usualOwner = GetWindow(Handle(), GW_OWNER);
    {
        const OwnerDisabled disabled(owner);
        // Owned by the caller's window, so it stays in front of it.
        if (owner) SetWindowLongPtrW(Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
        Show();
        SetFocus(selectdir_->Tree());
        ended = !RunModalLoop(Handle(), [this] {
            return outcome_ != Outcome::kOpen || Handle() == nullptr;
        }) || Handle() == nullptr;
    }
    // The owner is enabled again before this window goes, so that it is the one activated.
    Hide();
    SetWindowLongPtrW(Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(usualOwner));
    if (ended || outcome_ != Outcome::kOk) return std::nullopt;
    return PickedDirectory{selectdir_->SelectedPath().value_or(kNoDirectory),
                           selectdir_->SelectedText()};
}

void TForm5::End(Outcome outcome) {
    // The first answer stands; the loop ends before the user can give another.
    if (running_ && outcome_ == Outcome::kOpen) outcome_ = outcome;
}

LRESULT TForm5::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            // The system menu's Close is Cancel.
            if (running_) {
                End(Outcome::kCancel);
                return 0;
            }
            break;
        case WM_SIZE:
            if (selectdir_) Layout();
            return 0;
        default:
            break;
    }
    return Form::OnMessage(message, wParam, lParam);
}

}  // namespace sorvane
