#include "win/duplicates/FinddupSorv.h"

#include <algorithm>

#include "core/app/HelpTopics.h"
#include "core/app/SharedValues.h"
#include "core/duplicates/ExcludeMasks.h"
#include "win/results/ListPane.h"
#include "win/utils/Controls.h"
#include "win/widgets/StandardControls.h"

namespace sorvane {

using namespace finddup;

namespace {

constexpr char kDupSection[] = "Duplicate_Options";
constexpr char kClosedTitle[] = "Find Duplicates";
constexpr int kMargin = 8;
constexpr int kRow = 20;
constexpr int kButtonHeight = 25;
// The upper panel's columns: the tree, the two lists, the criteria with the buttons.
constexpr int kTreeWidth = 170;
constexpr int kListsLeft = kMargin + kTreeWidth + 8;
constexpr int kListsWidth = 176;
constexpr int kCriteriaLeft = kListsLeft + kListsWidth + 8;
constexpr int kCriteriaTop = 20;  // below the locations' title, which reaches across
constexpr int kGridTop = 200;
constexpr Size kDesignOuter = {633, 453};
constexpr SIZE kDesignRoom = {625, 404};  // all but the status bar
// The upper part takes a quarter of the height the window gains, the results the rest. Across,
// the tree takes the first half of the gain and the lists the second; the mask edit, its
// buttons, the criteria and the other buttons keep to the right edge.
constexpr Follow kTree{0, 0, 0.5f, 0.25f};
constexpr Follow kTreeButtons{0, 0.25f, 0, 0.25f};
constexpr Follow kListsTitle{0.5f, 0, 0.5f, 0};
constexpr Follow kLocations{0.5f, 0, 1, 0.25f};
constexpr Follow kMasksTitle{0.5f, 0.25f, 0.5f, 0.25f};
constexpr Follow kMaskList{0.5f, 0.25f, 1, 0.25f};
constexpr Follow kMaskEdit{1, 0.25f, 1, 0.25f};
constexpr Follow kGrid{0, 0.25f, 1, 1};

// What copies must share, as the boxes come at first.
struct Criterion {
    ControlId id;
    const char* name;
    const char* caption;
    bool checked;
};
constexpr Criterion kCriteria[] = {{kSnamebox, "Snamebox", "The Same Name", true},
                                   {kSsizebox, "Ssizebox", "The Same Size", true},
                                   {kSdatebox, "Sdatebox", "The Same Date", true},
                                   {kScontentbox, "Scontentbox", "The Same Content", false}};

ResultsPaneSetup DupResultsSetup() {
    ResultsPaneSetup s;
    s.tool = tool::kFindDuplicates;
    s.gridId = kDupgrid;
    s.remove = {kDelbtn, "Delete selected/all checked files."};
    s.move = {kMovebtn, "Move selected/all checked files. Set/edit destination directory."};
    s.save = {kSavebtn, "Save scan results as an HTML/a formatted text file"};
    s.commands.deleteSelected = kDeleteSelected;
    s.commands.deleteChecked = kDeleteChecked;
    s.commands.moveSelected = kMoveSelected;
    s.commands.moveChecked = kMoveChecked;
    s.commands.setDestination = kSetDestination;
    s.commands.saveHtml = kSaveHtml;
    s.commands.saveText = kSaveText;
    s.destination = {
        "Set Or Edit The Destination Directory",
        {150, kGridTop + 30},
        {kMovedirpanel, kAlwaysusebox, kMovediredit, kSelectmovedir, kOkmovedir, kCancelmovedir},
        "Movedirpanel",
        "Alwaysusebox",
        "Movediredit"};
    return s;
}

// A long path scrolls sideways; a mask is short.
HWND MakeListBox(HWND parent, RECT bounds, int id, bool paths) {
    const HWND list = MakeControl(parent, L"LISTBOX", "",
                                  WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | (paths ? WS_HSCROLL : 0) |
                                      LBS_SORT | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                                  bounds, id, WS_EX_CLIENTEDGE);
    if (paths) ListBox(list).SetScrollWidth(1000);
    return list;
}

}  // namespace

TForm7::TForm7(AppContext& context)
    : ToolForm(context, L"TForm7",
               {std::string(kCaptionPrefix) + kDupIdleTitle, kDesignOuter, kStat1, "Ready..."}),
      table_(DuplicateTable()),
      layout_(kDesignRoom) {
    MoveTo(1, 1);
    CreateOptionControls();

    const int buttonsTop = kCriteriaTop + 4 * kRow + 10;
    const HWND scan = MakeButton(Handle(), "Scan",
                                 Bounds(kCriteriaLeft, buttonsTop, 75, kButtonHeight), kStartbtn);
    const HWND stop = MakeButton(
        Handle(), "Stop", Bounds(kCriteriaLeft + 81, buttonsTop, 75, kButtonHeight), kStopbtn);
    EnableWindow(stop, FALSE);
    results_ = std::make_unique<ResultsPane>(*this, Tips(), Handle(),
                                             POINT{kCriteriaLeft, buttonsTop + kButtonHeight + 8},
                                             Handle(), table_, DupResultsSetup());
    View().SetScanButtons(scan, stop);
    // The actions keep the last copy of a group unless the user says otherwise, and leave
    // alone a file that changed since it was compared.
    results_->Actions().SetGroups(RowGroups{
        kDupGroupColumn,
        [this](const std::string& path) { return judged_.Unchanged(Services().fs, path); },
        [this](const std::string& from, const std::string& to) { judged_.Moved(from, to); }});
    On().Command(kStartbtn, [this] { StartbtnClick(); })
        .Command(kStopbtn, [this] { Runner().Stop(); })
        .Command(kAdddirbtn, [this] { AddLocation(); })
        .Command(kRemovedirbtn, [this] { RemoveSelected(kExcludelistbox); })
        .Command(kAddfiletype, [this] { AddMask(); })
        .Command(kRemovefiletype, [this] { RemoveSelected(kExcludemasklist); })
        // The drop goes before the window while the window is destroyed.
        .Drag([this](UINT message) {
            return drop_ ? drop_->OnMessage(message) : std::optional<LRESULT>{};
        });
    for (const int id : {kSnamebox, kSsizebox, kSdatebox, kScontentbox, kStartbtn, kStopbtn,
                         kDelbtn, kMovebtn, kSavebtn}) {
        layout_.Add(Control(id), follow::kRight);
    }
    results_->AddTo(layout_,
                    Bounds(kMargin, kGridTop, kDesignRoom.cx - 2 * kMargin,
                           kDesignRoom.cy - kGridTop - kMargin),
                    kGrid);

    Restore();
    Layout();
    ApplyHelpTopics(help::kFindDuplicates,
                    TopicsForRanges({{kDuptree1, kStopbtn, help::kFindDuplicates},
                                     {kDelbtn, kDelbtn, help::kDuplicateResults},
                                     {kMovebtn, kMovebtn, help::kMoveFiles},
                                     {kSavebtn, kSavebtn, help::kSaveReport},
                                     {kDupgrid, kDupgrid, help::kDuplicateResults},
                                     {kMovedirpanel, kCancelmovedir, help::kMoveFiles}}));
}

TForm7::~TForm7() = default;

void TForm7::CreateOptionControls() {
    const HWND form = Handle();
    duptree1_ = std::make_unique<DirectoryTree>(
        form, Services(), Bounds(kMargin, kMargin, kTreeWidth, 150), kDuptree1,
        DirectoryTree::Options{.includeUnknownDrives = true, .dragSource = true});
    duptree1_->SetOnBeginDrag([this](const std::string&) { drop_->Begin(); });
    layout_.Add(duptree1_->Handle(), kTree);
    layout_.Add(MakeButton(form, "Add", Bounds(kMargin, 164, 82, 24), kAdddirbtn), kTreeButtons);
    layout_.Add(MakeButton(form, "Remove", Bounds(kMargin + 88, 164, 82, 24), kRemovedirbtn),
                kTreeButtons);

    layout_.Add(MakeLabel(form, "Selected Drive(s) Or Directories To Scan:", kListsLeft, 4),
                kListsTitle);
    const HWND locations =
        MakeListBox(form, Bounds(kListsLeft, 20, kListsWidth, 72), kExcludelistbox, true);
    layout_.Add(locations, kLocations);
    layout_.Add(MakeLabel(form, "Exclude Files Using Masks", kListsLeft, 98), kMasksTitle);
    const int half = (kListsWidth - 8) / 2;
    const HWND masks =
        MakeListBox(form, Bounds(kListsLeft, 114, half, 76), kExcludemasklist, false);
    const int right = kListsLeft + half + 8;
    const HWND edit =
        MakeControl(form, L"EDIT", "", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | ES_LOWERCASE,
                    Bounds(right, 114, half, 22), kExcludemasks, WS_EX_CLIENTEDGE);
    layout_.Add(masks, kMaskList);
    layout_.Add(edit, kMaskEdit);
    layout_.Add(MakeButton(form, "Add", Bounds(right, 140, half, 24), kAddfiletype), kMaskEdit);
    layout_.Add(MakeButton(form, "Remove", Bounds(right, 166, half, 24), kRemovefiletype),
                kMaskEdit);

    int top = kCriteriaTop;
    for (const Criterion& c : kCriteria) {
        MakeCheckBox(form, c.caption, Bounds(kCriteriaLeft, top, 200, kRow), c.id, c.checked);
        top += kRow;
    }

    drop_ = std::make_unique<TreeDrop>(form, locations, [this] { AddLocation(); });
    keys_.push_back(ListKeys(
        locations, [this] { RemoveSelected(kExcludelistbox); }, [this] { AddLocation(); }));
    keys_.push_back(ListKeys(
        masks, [this] { RemoveSelected(kExcludemasklist); }, [this] { AddMask(); }));
    keys_.push_back(ListKeys(edit, nullptr, [this] { AddMask(); }));
}

HWND TForm7::Control(int id) const {
    if (id == kDuptree1) return duptree1_->Tree();
    if (id == kStat1) return Status().Handle();
    if (id >= kDelbtn && id < kStat1) return results_->Control(id);
    return GetDlgItem(Handle(), id);
}

bool TForm7::Checked(int id) const {
    return IsChecked(Control(id));
}

std::vector<std::string> TForm7::Locations() const {
    return ListBox(Control(kExcludelistbox)).Texts();
}

std::vector<std::string> TForm7::Masks() const {
    return ListBox(Control(kExcludemasklist)).Texts();
}

DuplicateCriteria TForm7::Criteria() const {
    DuplicateCriteria c;
    c.locations = Locations();
    c.excludedMasks = Masks();
    c.sameName = Checked(kSnamebox);
    c.sameSize = Checked(kSsizebox);
    c.sameDate = Checked(kSdatebox);
    c.sameContent = Checked(kScontentbox);
    return c;
}

void TForm7::AddLocation() {
    if (const std::optional<std::string> location = duptree1_->SelectedLocation()) {
        ListBox(Control(kExcludelistbox)).AddUnique(*location);
    }
}

void TForm7::AddMask() {
    const HWND edit = Control(kExcludemasks);
    const std::string text = WindowText(edit);
    switch (JudgeNewMask(text, Masks(), Services().locale)) {
        case MaskAddition::kNothing:
            return;
        case MaskAddition::kAdd:
            ListBox(Control(kExcludemasklist)).Add(text);
            [[fallthrough]];
        case MaskAddition::kClearEdit:
            SetWindowTextW(edit, L"");
            return;
    }
}

void TForm7::RemoveSelected(int listId) {
    RemoveSelectedItem(Control(listId), Prompts());
}

void TForm7::StartbtnClick() {
    PassRunner& runner = Runner();
    const DuplicateScanResult result =
        DuplicateScan(Services(), runner).Run(Criteria(), table_, judged_);
    // Closed while it ran: the window stays as closing left it.
    if (!Visible()) {
        ShowIdle();
        return;
    }
    if (result.outcome == DuplicateScanOutcome::kFound) results_->Refresh();
    runner.SetStatus(StatusTextOf(result));
}

void TForm7::Restore() {
    dupstorage_ = std::make_unique<StoredOptions>(Context().platform.settings,
                                                  Context().values.settingsPath, kDupSection);
    StoredOptions& s = *dupstorage_;
    for (const Criterion& c : kCriteria) {
        s.AddBool(
            std::string(c.name) + ".Checked", [this, id = c.id] { return Checked(id); },
            [this, id = c.id](const bool& v) { SetChecked(Control(id), v); });
    }
    for (const int id : {kExcludelistbox, kExcludemasklist}) {
        s.AddStrings(
            id == kExcludelistbox ? "Excludelistbox.Items" : "Excludemasklist.Items",
            [this, id] { return ListBox(Control(id)).Texts(); },
            [this, id](const std::vector<std::string>& v) { ListBox(Control(id)).SetTexts(v); });
    }
    results_->AddStoredEntries(s);

    s.RestoreProperties();
    RestorePlacement(s.RestorePlacement());
    results_->RestoreWidths(s);
}

void TForm7::SaveSettings() {
    StoredOptions& s = *dupstorage_;
    SettingsBatch batch(s.File());
    s.SaveProperties();
    s.SavePlacement(Placement());
    results_->SaveWidths(s);
    // The group column comes back narrow whatever the user made of it.
    s.WriteInteger("Col0", 10);
    batch.Commit();
}

void TForm7::ShowIdle() {
    Runner().SetStatus("Ready...");
    Runner().SetCaption(std::string(kCaptionPrefix) + kClosedTitle);
}

void TForm7::OnShown() {
    Runner().Stop();
    table_.Clear();
    judged_.Clear();
    results_->Refresh();
    duptree1_->CollapseAll();
}

void TForm7::OnClose() {
    // The stopped scan leaves the table alone.
    drop_->End(false);
    // An open destination panel stays where it is, to be seen again with the window.
    table_.Clear();
    judged_.Clear();
    results_->Refresh();
    ShowIdle();
}

}  // namespace sorvane
