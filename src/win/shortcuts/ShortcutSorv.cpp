#include "win/shortcuts/ShortcutSorv.h"

#include <commctrl.h>

#include <algorithm>

#include "core/app/HelpTopics.h"
#include "core/shortcuts/ShortcutDeletion.h"
#include "core/shortcuts/ShortcutScan.h"
#include "core/utils/AllUtils.h"
#include "win/framework/WindowPlacement.h"
#include "win/platform/Utf.h"
#include "win/utils/Controls.h"
#include "win/widgets/Menu.h"
#include "win/widgets/ShellProperties.h"

namespace sorvane {

namespace {

constexpr char kCaption[] = "Sorvane v.203 - Check Startmenu And Desktop Shortcuts";
// Everything above the dead-item list; the list takes the rest of the window.
constexpr int kListTop = 250;
constexpr int kListWidth = 170;
constexpr SIZE kDesignOuter = {454, 444};
// The design room, all but the status bar: the exclusion lists take the width the window
// gains, the dead items everything else.
constexpr SIZE kDesignRoom = {446, 396};

int SelectedIndex(HWND list) {
    return static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0));
}

}  // namespace

TForm3::TForm3(AppContext& context)
    : Form(context, L"TForm3"),
      listMenu_(MakePopupMenu()),
      winChooser_(nullptr),
      layout_(kDesignRoom) {
    CreateForm(kCaption, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, WS_EX_CONTEXTHELP,
               {kDesignOuter.cx, kDesignOuter.cy});
    winChooser_ = WinFileChooser(Handle());
    status_ = std::make_unique<StatusBar>(Handle(), kStat1, "Ready...");
    view_ = std::make_unique<PassView>(Handle(), *status_);
    runner_ = std::make_unique<PassRunner>(context.app.Passes(), *view_);
    CreateControls();
    ApplyHelpTopics(help::kCheckShortcuts,
                    TopicsForRanges({{kScanbtn, kStopshortbtn, help::kCheckShortcuts},
                                     {kDelbtn, kDelbtn, help::kDeadShortcuts},
                                     {kStartmenubox, kShortcutcheckbox, help::kCheckShortcuts},
                                     {kAskcheckbox, kShortcutlistbox, help::kDeadShortcuts}}));
    view_->SetScanButtons(Control(kScanbtn), Control(kStopshortbtn));
    KeepClientWithin(Handle(), kDesignOuter, 0);
    LoadOptions();
    Layout();
    windowShown_ = false;
    if (Checked(kShortcutcheckbox)) StartupScan();
}

TForm3::~TForm3() {
    runner_->Stop();
}

void TForm3::CreateControls() {
    const HWND w = Handle();
    MakeButton(w, "Scan", Bounds(4, 4, 75, 25), kScanbtn);
    MakeButton(w, "Stop", Bounds(84, 4, 75, 25), kStopshortbtn);
    EnableWindow(Control(kStopshortbtn), FALSE);
    UniqueMenu deleteMenu = MakePopupMenu();
    AppendItem(deleteMenu.get(), kSelected1, "Selected");
    AppendItem(deleteMenu.get(), kAll1, "All");
    delbtn_ = std::make_unique<FlatButton>(w, "Delete", Bounds(164, 4, 75, 25), kDelbtn,
                                           std::move(deleteMenu));
    Tips().Add(delbtn_->Handle(), "Click to delete selected/all list items.");

    MakeCheckBox(w, "Startmenu", Bounds(8, 38, 200, 20), kStartmenubox, true);
    MakeCheckBox(w, "Desktop", Bounds(8, 60, 200, 20), kDesktopbox, true);
    MakeCheckBox(w, "For Empty Directories", Bounds(8, 82, 200, 20), kEmptydirbox);
    // Transparent, so that the window, which leaves its children out, paints under it.
    MakeControl(w, L"BUTTON", "Discard Shortcuts Pointing To:", WS_VISIBLE | BS_GROUPBOX,
                Bounds(4, 106, 210, 86), kDiscardGroup, WS_EX_TRANSPARENT);
    MakeCheckBox(w, "Floppy Drives", Bounds(14, 124, 190, 20), kFloppybox, true);
    MakeCheckBox(w, "CdRom Drives", Bounds(14, 146, 190, 20), kCdbox, true);
    MakeCheckBox(w, "Network Drives", Bounds(14, 168, 190, 20), kNetbox, true);

    const auto exclusionList = [&](int labelId, const char* label, int top, int listId, int addId,
                                   int removeId) {
        MakeLabel(w, label, 222, top, labelId);
        layout_.Add(MakeControl(w, L"LISTBOX", "",
                                WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_SORT |
                                    LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                                Bounds(222, top + 16, kListWidth, 60), listId, WS_EX_CLIENTEDGE),
                    follow::kWide);
        layout_.Add(MakeButton(w, "+", Bounds(222 + kListWidth + 4, top + 16, 30, 24), addId),
                    follow::kRight);
        layout_.Add(MakeButton(w, "-", Bounds(222 + kListWidth + 4, top + 44, 30, 24), removeId),
                    follow::kRight);
    };
    exclusionList(kExcludeLabel, "Exclude Directories From Scan:", 36, kExcludescan, kAdddirbit,
                  kRemovedirbit);
    exclusionList(kLinkLabel, "Exclude Links From Scan:", 124, kLinkexclude, kAddlinkbit,
                  kRemovelinkbit);

    MakeCheckBox(w, "Scan Startmenu And Desktop Everytime Sorvane Starts", Bounds(8, 200, 430, 20),
                 kShortcutcheckbox);
    MakeCheckBox(w, "Ask Before Deleting Dead Shortcuts and Empty Directories",
                 Bounds(8, 222, 430, 20), kAskcheckbox, true);
    const HWND list = MakeControl(
        w, L"LISTBOX", "",
        WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
        Bounds(0, kListTop, 100, 100), kShortcutlistbox, WS_EX_CLIENTEDGE);
    layout_.Add(list, Bounds(0, kListTop, kDesignRoom.cx, kDesignRoom.cy - kListTop),
                follow::kFill);
    Tips().Add(list, "Right click to view the properties of the dead shortcut.");
    AppendItem(listMenu_.get(), kProperties1, "Properties");

    keys_.push_back(std::make_unique<KeyHook>(Control(kExcludescan), [this](WPARAM key) {
        if (key != VK_DELETE) return false;
        RemoveListItem(kExcludescan);
        return true;
    }));
    AddCommand(kScanbtn, [this] { ScanbtnClick(); });
    AddCommand(kStopshortbtn, [this] { runner_->Stop(); });
    AddCommand(kSelected1, [this] { DeleteItems(true); });
    AddCommand(kAll1, [this] { DeleteItems(false); });
    AddCommand(kProperties1, [this] { Properties1Click(); });
    AddCommand(kAdddirbit, [this] { AdddirbitClick(); });
    AddCommand(kRemovedirbit, [this] { RemoveListItem(kExcludescan); });
    AddCommand(kAddlinkbit, [this] { AddlinkbitClick(); });
    AddCommand(kRemovelinkbit, [this] { RemoveListItem(kLinkexclude); });
}

void TForm3::Layout() {
    if (!status_) return;
    status_->Fit();
    layout_.Apply(ClientRoom(Handle(), status_->Handle()));
}

Settings TForm3::Store() {
    return Settings(Context().platform.settings, Context().values.settingsPath);
}

bool TForm3::Checked(int id) const {
    return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TForm3::SetChecked(int id, bool checked) {
    SendMessageW(Control(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TForm3::LoadOptions() {
    const Size size = OuterSize();
    const ShortcutWindowOptions o = ReadShortcutOptions(Store(), size.width, size.height);
    // A window closed minimised comes back normal: opened from the tray it is meant to be seen.
    showCmd_ = ApplyBounds(Handle(), o.bounds);
    SetChecked(kShortcutcheckbox, o.startupScan);
    SetChecked(kAskcheckbox, o.confirm);
    SetChecked(kFloppybox, o.scan.discard.removable);
    SetChecked(kCdbox, o.scan.discard.cdRom);
    SetChecked(kNetbox, o.scan.discard.network);
    SetChecked(kStartmenubox, o.scan.startMenu);
    SetChecked(kDesktopbox, o.scan.desktop);
    SetChecked(kEmptydirbox, o.scan.emptyDirectories);
    SetListBoxTexts(Control(kExcludescan), o.scan.excludedDirectories);
    SetListBoxTexts(Control(kLinkexclude), o.scan.excludedLinks);
}

ShortcutScanOptions TForm3::ScanOptionsOfControls() const {
    ShortcutScanOptions o;
    o.startMenu = Checked(kStartmenubox);
    o.desktop = Checked(kDesktopbox);
    o.emptyDirectories = Checked(kEmptydirbox);
    o.discard = {Checked(kFloppybox), Checked(kCdbox), Checked(kNetbox)};
    o.excludedDirectories = ListBoxTexts(Control(kExcludescan));
    o.excludedLinks = ListBoxTexts(Control(kLinkexclude));
    return o;
}

void TForm3::SaveOptions() {
    ShortcutWindowOptions o;
    o.bounds = BoundsOf(Handle());
    o.scan = ScanOptionsOfControls();
    o.startupScan = Checked(kShortcutcheckbox);
    o.confirm = Checked(kAskcheckbox);
    Settings settings = Store();
    WriteShortcutOptions(settings, o);
}

std::vector<std::string> TForm3::ListTexts() const {
    return ListBoxTexts(Control(kShortcutlistbox));
}

void TForm3::ShowItems() {
    std::vector<std::string> paths;
    for (const DeadItem& item : items_) paths.push_back(item.path);
    SetListBoxTexts(Control(kShortcutlistbox), paths);
}

void TForm3::ScanbtnClick() {
    Scan(nullptr);
}

void TForm3::Scan(const std::function<void(const std::string&)>& showFile) {
    items_.clear();
    ShowItems();
    const ShortcutScanOptions options = ScanOptionsOfControls();
    runner_->Run(PassRunner::Kind::kStoppable, [&] {
        const SharedValues& values = Context().values;
        items_ = ShortcutScan(Services(), *runner_, showFile)
                     .Run(values.startMenuDir, values.desktopDir, options)
                     .items;
    });
    ShowItems();
}

void TForm3::StartupScan() {
    IProgressWindow* progress = Context().progress;
    if (progress == nullptr) return;
    // Abort stops the scan only while nobody has opened the window: opening it stops it anyway.
    progress->Begin("Scanning Shortcuts...", [this] {
        if (!windowShown_) runner_->Stop();
    });
    const ProgressScope scope{*progress};
    progress->SetStatus("Preparing Directory List...");
    Scan([progress](const std::string& path) { progress->SetStatus(path); });
    if (!items_.empty()) DeleteItems(false);
}

void TForm3::DeleteItems(bool selectedOnly) {
    std::vector<std::size_t> which;
    if (selectedOnly) {
        const int selected = SelectedIndex(Control(kShortcutlistbox));
        if (selected < 0 || static_cast<std::size_t>(selected) >= items_.size()) return;
        which.push_back(static_cast<std::size_t>(selected));
    } else {
        if (items_.empty()) return;
        for (std::size_t i = 0; i < items_.size(); ++i) which.push_back(i);
    }
    // The items as they are now: each question is about one of them, and acts on that one.
    const std::vector<DeadItem> list = items_;
    const DeletionChoices choices{Checked(kAskcheckbox), Context().options.recycle};
    runner_->Run(PassRunner::Kind::kAction, [&] {
        std::vector<DeadItem> left =
            ShortcutDeletion(Services(), *runner_).Delete(list, which, choices);
        // With nobody at the window (the start-up scan) there is no list to keep.
        items_ = windowShown_ ? std::move(left) : std::vector<DeadItem>{};
    });
    ShowItems();
}

void TForm3::Properties1Click() {
    const int selected = SelectedIndex(Control(kShortcutlistbox));
    if (selected < 0 || static_cast<std::size_t>(selected) >= items_.size()) return;
    const std::string path = items_[selected].path;
    if (!Services().fs.Exists(path)) return;
    if (!ShowShellProperties(Handle(), path))
        Prompts().Notice("Unable to display Properties dialog!");
}

void TForm3::AdddirbitClick() {
    IDirectoryPicker* picker = Context().picker;
    if (picker == nullptr) return;
    const std::optional<PickedDirectory> picked = picker->Execute(Handle());
    if (!picked || picked->path.empty() || picked->path == "?") return;
    const std::string path = StripTrailingBackslash(picked->path);
    const HWND list = Control(kExcludescan);
    for (const std::string& entry : ListBoxTexts(list)) {
        if (Services().locale.CompareText(entry, path) == 0) return;
    }
    AddListBoxText(list, path);
}

void TForm3::AddlinkbitClick() {
    const std::vector<std::string> files =
        chooser_->OpenFiles({"Shortcut Files(*.lnk;*.pif)|*.lnk;*.pif", "Select a shortcut",
                             Context().values.startMenuDir});
    for (const std::string& file : files) {
        AddListBoxText(Control(kLinkexclude), Services().locale.Upper(file));
    }
}

void TForm3::RemoveListItem(int listId) {
    const HWND list = Control(listId);
    const int selected = SelectedIndex(list);
    if (selected < 0) return;
    if (!Prompts().Confirm("Proceed to delete the selected item?")) return;
    SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
}

void TForm3::OnShowing() {
    windowShown_ = true;
    runner_->Stop();
    items_.clear();
    ShowItems();
    if (showCmd_ == SW_SHOWMAXIMIZED) ShowWindow(Handle(), SW_SHOWMAXIMIZED);
    showCmd_ = SW_SHOWNORMAL;
}

void TForm3::OnClosing() {
    runner_->Stop();
    status_->SetText("Ready...");
    items_.clear();
    ShowItems();
    try {
        SaveOptions();
    } catch (const SettingsWriteError& e) {
        // The window still closes; what could not be kept is said once.
        Prompts().Error(e.what());
    }
    windowShown_ = false;
}

LRESULT TForm3::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            Layout();
            return 0;
        case WM_CONTEXTMENU:
            if (reinterpret_cast<HWND>(wParam) == Control(kShortcutlistbox)) {
                POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
                if (lParam == -1) {  // from the keyboard: at the list's corner
                    RECT list{};
                    GetWindowRect(Control(kShortcutlistbox), &list);
                    at = {list.left, list.top};
                }
                TrackPopupMenu(listMenu_.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0,
                               Handle(), nullptr);
                return 0;
            }
            break;
        default:
            break;
    }
    return Form::OnMessage(message, wParam, lParam);
}

}  // namespace sorvane
