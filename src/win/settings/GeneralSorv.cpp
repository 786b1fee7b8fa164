#include "win/settings/GeneralSorv.h"

#include <algorithm>

#include "core/app/HelpTopics.h"
#include "core/utils/ScopedFlag.h"
#include "win/platform/Utf.h"
#include "win/utils/Controls.h"
#include "win/widgets/AnchorLayout.h"
#include "win/widgets/StandardControls.h"

namespace sorvane {

namespace {

// A title bar with the help button only: no minimise or maximise button, and the close button
// stays disabled (its system-menu command is removed), so the dialog is left through Cl&ose,
// which asks about pending changes. The help button needs the system menu to show.
constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTEXTHELP;
constexpr int kMinSeconds = 1;
constexpr int kMaxSeconds = 10;
constexpr int kDesignSeconds = 3;
constexpr int kMsPerSecond = 1000;

constexpr int kLeft = 16;
constexpr int kRowHeight = 20;
constexpr int kWideRow = 360;
constexpr int kInGroup = 28;
constexpr int kGroupControls = 150;
constexpr SIZE kDesignOuter = {394, 403};
// A short column of options: on a large screen the dialog grows by half at most, with the
// options in the middle.
constexpr int kMostGrowth = 150;

// The help file's topic for each control.
const std::vector<HelpTopic> kHelpTopics = {{TForm2::kRecyclebox, help::kRecycleOption},
                                            {TForm2::kStartupbox, help::kStartWithWindows},
                                            {TForm2::kSchedulebox, help::kExitAfterTasks},
                                            {TForm2::kDriveinfobox, help::kDriveInfo},
                                            {TForm2::kGroupBox1, help::kOverview},
                                            {TForm2::kTooltipebox, help::kShowTooltips},
                                            {TForm2::kTooltipscolorbox, help::kTooltipColor},
                                            {TForm2::kTipsslider, help::kTooltipSeconds},
                                            {TForm2::kHistorybox, help::kHistoryOptions},
                                            {TForm2::kHistoryDays, help::kHistoryOptions},
                                            {TForm2::kHistoryMegabytes, help::kHistoryOptions},
                                            {TForm2::kApplybtn, help::kApplyOptions},
                                            {TForm2::kCancelbtn, help::kCancelOptions},
                                            {TForm2::kClosebtn, help::kOverview}};

std::string SecondsText(int seconds) {
    return std::to_string(seconds) + " Seconds";
}

}  // namespace

TForm2::TForm2(AppContext& context) : Form(context, L"TForm2") {
    CreateForm("Sorvane v2.03 - General Options", kStyle, kExStyle,
               {kDesignOuter.cx, kDesignOuter.cy});
    DeleteMenu(GetSystemMenu(Handle(), FALSE), SC_CLOSE, MF_BYCOMMAND);
    KeepClientWithin(Handle(), kDesignOuter, kMostGrowth);
    CenterOnScreen();
    CreateControls();
    const SIZE frame = OuterSizeForClient(0, 0, kStyle, kExStyle);
    AnchorLayout layout({kDesignOuter.cx - frame.cx, kDesignOuter.cy - frame.cy});
    layout.AddChildren(Handle(), follow::kCentre);
    layout.Apply(ClientRoom(Handle()));
    ApplyHelpTopics(help::kGeneralOptions, kHelpTopics);
    for (const ControlId box :
         {kRecyclebox, kStartupbox, kSchedulebox, kDriveinfobox, kTooltipebox, kHistorybox}) {
        On().Command(box, [this] { OptionChanged(); });
    }
    for (const ControlId edit : {kHistoryDays, kHistoryMegabytes}) {
        On().Change(edit, EN_CHANGE, [this] {
            if (!loading_) OptionChanged();
        });
    }
    On().Command(kApplybtn, [this] { ApplybtnClick(); });
    On().Command(kCancelbtn, [this] { CancelbtnClick(); });
    On().Command(kClosebtn, [this] { Close(); });
    On().Command(IDCANCEL, [this] { Close(); })
        .Change(kTooltipscolorbox, CBN_SELCHANGE, [this] { OptionChanged(); })
        .Scroll(kTipsslider, [this] { TipssliderChange(); });
    Load();
    ApplyTooltipOptions();
    ShowSeconds();
}

void TForm2::CreateControls() {
    const HWND w = Handle();
    MakeCheckBox(w, "Delete Files To Recycle_Bin", Bounds(kLeft, 10, kWideRow, kRowHeight),
                 kRecyclebox, true);
    MakeCheckBox(w, "Start Sorvane When Windows Starts", Bounds(kLeft, 34, kWideRow, kRowHeight),
                 kStartupbox, false);
    const HWND schedule =
        MakeCheckBox(w, "On Startup, After Performing Scheduled Tasks, Exit",
                     Bounds(kLeft, 58, kWideRow, kRowHeight), kSchedulebox, false);
    MakeCheckBox(w, "Display Drive(s) Info When Mouse Is Over The Sorvane Tray Icon",
                 Bounds(kLeft, 82, kWideRow, kRowHeight), kDriveinfobox, false);

    // The group's controls are its siblings, so that their notifications reach this window.
    MakeControl(w, L"BUTTON", "Tooltips (Hints)", WS_VISIBLE | BS_GROUPBOX,
                Bounds(kLeft - 4, 108, kWideRow + 8, 134), kGroupBox1);
    MakeCheckBox(w, "Show Tooltips", Bounds(kInGroup, 128, 200, kRowHeight), kTooltipebox, true);
    MakeLabel(w, "Tooltips Color:", kInGroup, 164, kLabel1);
    tooltipscolorbox_ = std::make_unique<ColorBox>(w, Bounds(kGroupControls, 160, 160, 240),
                                                   kTooltipscolorbox, RGB(255, 255, 0));
    MakeLabel(w, "Keep Tooltips Visible For:", kInGroup, 204, kLabel2);
    tipsslider_ = std::make_unique<Slider>(w, Bounds(kGroupControls, 196, 140, 32), kTipsslider,
                                           Slider::Range{kMinSeconds, kMaxSeconds, kDesignSeconds});
    MakeLabel(w, SecondsText(kDesignSeconds), kGroupControls + 146, 204, kSecondlabel);

    MakeControl(w, L"BUTTON", "Cleaning History", WS_VISIBLE | BS_GROUPBOX,
                Bounds(kLeft - 4, 248, kWideRow + 8, 76), kHistoryGroup);
    const HWND history = MakeCheckBox(w, "Keep A History Of Every Removal And Move",
                                      Bounds(kInGroup, 268, 330, kRowHeight), kHistorybox, true);
    MakeLabel(w, "Keep The Last Days:", kInGroup, 296, kHistoryDaysLabel);
    const HWND days = MakeControl(w, L"EDIT", "90", WS_VISIBLE | WS_TABSTOP | ES_NUMBER | ES_RIGHT,
                                  Bounds(138, 292, 44, 22), kHistoryDays, WS_EX_CLIENTEDGE);
    MakeLabel(w, "At Most MB:", 214, 296, kHistorySizeLabel);
    const HWND megabytes =
        MakeControl(w, L"EDIT", "20", WS_VISIBLE | WS_TABSTOP | ES_NUMBER | ES_RIGHT,
                    Bounds(300, 292, 44, 22), kHistoryMegabytes, WS_EX_CLIENTEDGE);
    LimitText(days, 4);
    LimitText(megabytes, 4);

    const HWND apply = MakeButton(w, "&Apply", Bounds(56, 334, 80, 25), kApplybtn);
    const HWND cancel = MakeButton(w, "&Cancel", Bounds(156, 334, 80, 25), kCancelbtn);
    const HWND close = MakeButton(w, "Cl&ose", Bounds(256, 334, 80, 25), kClosebtn);

    Tips().Add(schedule, "Cleanning of directories and/or checking shortcuts.");
    Tips().Add(tooltipscolorbox_->Handle(), "Select a different color for tooltpis.");
    Tips().Add(apply, "Click to close and save the changes.");
    Tips().Add(cancel,
               "Click to cancel the changes.\r\n"
               "This has no effect if you already clicked the apply button.");
    Tips().Add(close, "Click to close.");
    Tips().Add(history,
               "Record every file Sorvane recycles, deletes or moves,\r\n"
               "so that you can see it, and restore it, from Cleaning History.");
    Tips().Add(days, "Runs older than this many days are dropped from the history.");
    Tips().Add(megabytes, "Past this size the oldest runs are dropped from the history.");
}

void TForm2::Load() {
    const Settings settings(Context().platform.settings, Context().values.settingsPath);
    applied_ = GeneralOptions::Load(settings);
    Context().SetOptions(applied_);
    SetChecked(kRecyclebox, applied_.recycle);
    SetChecked(kTooltipebox, applied_.tooltips);
    // The stored choice, not the registry: the registry is only consulted by Cancel.
    SetChecked(kStartupbox, applied_.startup);
    SetChecked(kSchedulebox, applied_.exitAfterTasks);
    SetChecked(kDriveinfobox, applied_.driveInfo);
    tooltipscolorbox_->SetColor(static_cast<COLORREF>(applied_.tooltipColor));
    tipsslider_->SetPosition(applied_.hintSeconds);
    ShowHistoryOptions(applied_.history);
}

void TForm2::ShowHistoryOptions(const HistoryOptions& history) {
    const ScopedFlag loading(loading_);
    SetChecked(kHistorybox, history.enabled);
    SetWindowTextW(Control(kHistoryDays), std::to_wstring(history.days).c_str());
    SetWindowTextW(Control(kHistoryMegabytes), std::to_wstring(history.megabytes).c_str());
}

HistoryOptions TForm2::HistoryOptionsOfControls() const {
    // The edits take digits only; empty or out of range is brought to the nearest end.
    const auto number = [this](ControlId id, int most) {
        const std::string text = WindowText(Control(id));
        return text.empty() ? 1 : std::clamp(std::stoi(text), 1, most);
    };
    return {Checked(kHistorybox), number(kHistoryDays, kHistoryDaysMax),
            number(kHistoryMegabytes, kHistoryMegabytesMax)};
}

void TForm2::ApplyTooltipOptions() {
    Context().app.SetTooltipOptions({Checked(kTooltipebox), tooltipscolorbox_->Color(),
                                     static_cast<UINT>(tipsslider_->Position()) * kMsPerSecond});
}

void TForm2::ShowSeconds() {
    shownSeconds_ = tipsslider_->Position();
    SetAutoSizeText(Control(kSecondlabel), SecondsText(shownSeconds_));
}

RunEntry TForm2::StartEntry() {
    IRegistry& registry = Context().platform.registry;
    return RunEntry(registry, RunKeyFor(Context().values.platformName, registry));
}

bool TForm2::Checked(ControlId id) const {
    return IsChecked(Control(id));
}

void TForm2::SetChecked(ControlId id, bool checked) {
    sorvane::SetChecked(Control(id), checked);
}

void TForm2::OnShowing() {
    optionsModified_ = false;
    EnableWindow(Control(kApplybtn), FALSE);
}

void TForm2::OptionChanged() {
    optionsModified_ = true;
    EnableWindow(Control(kApplybtn), TRUE);
}

void TForm2::TipssliderChange() {
    // The track bar also reports the end of a drag that moved nothing.
    if (tipsslider_->Position() == shownSeconds_) return;
    ShowSeconds();
    OptionChanged();
}

void TForm2::ApplybtnClick() {
    const RunEntry entry = StartEntry();
    const std::string program = Context().platform.system.ProgramPath();
    if (Checked(kStartupbox)) {
        if (entry.HasKey() && !entry.Present(program)) entry.Register(program);
    } else if (entry.HasKey()) {
        // Also an entry naming another copy of the program: it would start that one.
        entry.Unregister();
    }
    ApplyTooltipOptions();

    const TooltipOptions& tips = Context().app.Tooltips();
    applied_.recycle = Checked(kRecyclebox);
    applied_.exitAfterTasks = Checked(kSchedulebox);
    applied_.driveInfo = Checked(kDriveinfobox);
    applied_.tooltips = tips.show;
    applied_.startup = Checked(kStartupbox);
    applied_.tooltipColor = tips.color;
    applied_.hintSeconds = static_cast<int>(tips.visibleMs / kMsPerSecond);
    applied_.history = HistoryOptionsOfControls();
    ShowHistoryOptions(applied_.history);
    Context().SetOptions(applied_);

    // A refused write ends Apply here and reaches the error box; the dialog stays modified so
    // the user can try again.
    Settings settings(Context().platform.settings, Context().values.settingsPath);
    applied_.Save(settings);

    EnableWindow(Control(kApplybtn), FALSE);
    optionsModified_ = false;
}

void TForm2::CancelbtnClick() {
    const RunEntry entry = StartEntry();
    SetChecked(kRecyclebox, applied_.recycle);
    SetChecked(kSchedulebox, applied_.exitAfterTasks);
    SetChecked(kDriveinfobox, applied_.driveInfo);
    ShowHistoryOptions(applied_.history);

    const TooltipOptions& tips = Context().app.Tooltips();
    SetChecked(kTooltipebox, tips.show);
    tooltipscolorbox_->SetColor(tips.color);
    tipsslider_->SetPosition(static_cast<int>(tips.visibleMs / kMsPerSecond));
    ShowSeconds();

    if (entry.HasKey()) {
        SetChecked(kStartupbox, entry.Present(Context().platform.system.ProgramPath()));
    }

    EnableWindow(Control(kApplybtn), FALSE);
    optionsModified_ = false;
}

void TForm2::OnClosing() {
    if (!optionsModified_) return;
    if (Prompts().Confirm("Save changes before exiting?")) {
        ApplybtnClick();
    } else {
        CancelbtnClick();
    }
}

}  // namespace sorvane
