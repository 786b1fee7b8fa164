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
#include "win/widgets/ShellProperties.h"
#include "win/widgets/StandardControls.h"

namespace sorvane {

namespace {

constexpr char kCaption[] = "Sorvane v.203 - Check Startmenu And Desktop Shortcuts";
// Everything above the dead-item list; the list takes the rest of the window.
constexpr int kListTop = 250;
constexpr int kListWidth = 170;
constexpr Size kDesignOuter = {454, 444};
// The design room, all but the status bar: the exclusion lists take the width the window
// gains, the dead items everything else.
constexpr SIZE kDesignRoom = {446, 396};

}  // namespace

TForm3::TForm3(AppContext& context)
    : ToolForm(context, L"TForm3", {kCaption, kDesignOuter, kStat1, "Ready..."}),
      winChooser_(Handle()),
      layout_(kDesignRoom) {
    CreateControls();
    On().Command(kScanbtn, [this] { ScanbtnClick(); })
        .Command(kStopshortbtn, [this] { Runner().Stop(); })
        .Command(kSelected1, [this] { DeleteItems(true); })
        .Command(kAll1, [this] { DeleteItems(false); })
        .ContextMenu(kShortcutlistbox, [this](LPARAM at) { list_->ShowMenu(at); })
        .Command(kProperties1, [this] { Properties1Click(); })
        .Command(kAdddirbit, [this] { AdddirbitClick(); })
        .Command(kRemovedirbit, [this] { RemoveListItem(kExcludescan); })
        .Command(kAddlinkbit, [this] { AddlinkbitClick(); })
        .Command(kRemovelinkbit, [this] { RemoveListItem(kLinkexclude); });
    ApplyHelpTopics(help::kCheckShortcuts,
                    TopicsForRanges({{kScanbtn, kStopshortbtn, help::kCheckShortcuts},
                                     {kDelbtn, kDelbtn, help::kDeadShortcuts},
                                     {kStartmenubox, kShortcutcheckbox, help::kCheckShortcuts},
                                     {kAskcheckbox, kShortcutlistbox, help::kDeadShortcuts}}));
    View().SetScanButtons(Control(kScanbtn), Control(kStopshortbtn));
    LoadOptions();
    Layout();
    if (Checked(kShortcutcheckbox)) StartupScan();
}

void TForm3::CreateControls() {
    const HWND w = Handle();
    MakeButton(w, "Scan", Bounds(4, 4, 75, 25), kScanbtn);
    MakeButton(w, "Stop", Bounds(84, 4, 75, 25), kStopshortbtn);
    EnableWindow(Control(kStopshortbtn), FALSE);

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
    const RECT list = Bounds(0, kListTop, kDesignRoom.cx, kDesignRoom.cy - kListTop);
    ListPaneSetup setup;
    setup.listId = kShortcutlistbox;
    setup.hint = "Right click to view the properties of the dead shortcut.";
    setup.button = {kDelbtn,
                    "Delete",
                    "Click to delete selected/all list items.",
                    Bounds(164, 4, 75, 25),
                    {{kSelected1, "Selected"}, {kAll1, "All"}}};
    setup.contextMenu = {{kProperties1, "Properties"}};
    list_ = std::make_unique<ListPane>(w, Tips(), list, std::move(setup));
    layout_.Add(list_->Handle(), list, follow::kFill);

    keys_ = ListKeys(Control(kExcludescan), [this] { RemoveListItem(kExcludescan); });
}

Settings TForm3::Store() {
    return Settings(Context().platform.settings, Context().values.settingsPath);
}

bool TForm3::Checked(int id) const {
    return IsChecked(Control(id));
}

void TForm3::SetChecked(int id, bool checked) {
    sorvane::SetChecked(Control(id), checked);
}

void TForm3::LoadOptions() {
    const Size size = OuterSize();
    const ShortcutWindowOptions o = ReadShortcutOptions(Store(), size.width, size.height);
    // A window closed minimised comes back normal: opened from the tray it is meant to be seen.
    RestorePlacement(PlacementOfBounds(o.bounds));
    SetChecked(kShortcutcheckbox, o.startupScan);
    SetChecked(kAskcheckbox, o.confirm);
    SetChecked(kFloppybox, o.scan.discard.removable);
    SetChecked(kCdbox, o.scan.discard.cdRom);
    SetChecked(kNetbox, o.scan.discard.network);
    SetChecked(kStartmenubox, o.scan.startMenu);
    SetChecked(kDesktopbox, o.scan.desktop);
    SetChecked(kEmptydirbox, o.scan.emptyDirectories);
    ListBox(Control(kExcludescan)).SetTexts(o.scan.excludedDirectories);
    ListBox(Control(kLinkexclude)).SetTexts(o.scan.excludedLinks);
}

ShortcutScanOptions TForm3::ScanOptionsOfControls() const {
    ShortcutScanOptions o;
    o.startMenu = Checked(kStartmenubox);
    o.desktop = Checked(kDesktopbox);
    o.emptyDirectories = Checked(kEmptydirbox);
    o.discard = {Checked(kFloppybox), Checked(kCdbox), Checked(kNetbox)};
    o.excludedDirectories = ListBox(Control(kExcludescan)).Texts();
    o.excludedLinks = ListBox(Control(kLinkexclude)).Texts();
    return o;
}

void TForm3::SaveSettings() {
    ShortcutWindowOptions o;
    o.bounds = BoundsOfPlacement(Placement());
    o.scan = ScanOptionsOfControls();
    o.startupScan = Checked(kShortcutcheckbox);
    o.confirm = Checked(kAskcheckbox);
    Settings settings = Store();
    WriteShortcutOptions(settings, o);
}

void TForm3::ShowItems() {
    std::vector<std::vector<std::string>> paths;
    for (const DeadItem& item : items_) paths.push_back({item.path});
    list_->ShowRows(paths);
}

void TForm3::ScanbtnClick() {
    Scan(nullptr);
}

void TForm3::Scan(const std::function<void(const std::string&)>& showFile) {
    items_.clear();
    ShowItems();
    const ShortcutScanOptions options = ScanOptionsOfControls();
    Runner().Run(PassRunner::Kind::kStoppable, [&] {
        const SharedValues& values = Context().values;
        items_ = ShortcutScan(Services(), Runner(), showFile)
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
        if (!Opened()) Runner().Stop();
    });
    const ProgressScope scope{*progress};
    progress->SetStatus("Preparing Directory List...");
    Scan([progress](const std::string& path) { progress->SetStatus(path); });
    if (!items_.empty()) DeleteItems(false);
}

void TForm3::DeleteItems(bool selectedOnly) {
    std::vector<std::size_t> which;
    if (selectedOnly) {
        const std::optional<std::size_t> selected = list_->Selected(items_.size());
        if (!selected) return;
        which.push_back(*selected);
    } else {
        if (items_.empty()) return;
        for (std::size_t i = 0; i < items_.size(); ++i) which.push_back(i);
    }
    // The items as they are now: each question is about one of them, and acts on that one.
    const std::vector<DeadItem> list = items_;
    const DeletionChoices choices{Checked(kAskcheckbox), Context().options.recycle};
    Runner().Run(PassRunner::Kind::kAction, [&] {
        std::vector<DeadItem> left =
            ShortcutDeletion(Services(), Runner(), Context().history).Delete(list, which, choices);
        // With nobody at the window (the start-up scan) there is no list to keep.
        items_ = Opened() ? std::move(left) : std::vector<DeadItem>{};
    });
    ShowItems();
}

void TForm3::Properties1Click() {
    const std::optional<std::size_t> selected = list_->Selected(items_.size());
    if (!selected) return;
    const std::string path = items_[*selected].path;
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
    ListBox list(Control(kExcludescan));
    for (const std::string& entry : list.Texts()) {
        if (Services().locale.CompareText(entry, path) == 0) return;
    }
    list.AddUnique(path);
}

void TForm3::AddlinkbitClick() {
    const std::vector<std::string> files =
        chooser_->OpenFiles({"Shortcut Files(*.lnk;*.pif)|*.lnk;*.pif", "Select a shortcut",
                             Context().values.startMenuDir});
    for (const std::string& file : files) {
        ListBox(Control(kLinkexclude)).AddUnique(Services().locale.Upper(file));
    }
}

void TForm3::RemoveListItem(int listId) {
    RemoveSelectedItem(Control(listId), Prompts());
}

void TForm3::OnShown() {
    Runner().Stop();
    items_.clear();
    ShowItems();
}

void TForm3::OnClose() {
    Status().SetText("Ready...");
    items_.clear();
    ShowItems();
}

}  // namespace sorvane
