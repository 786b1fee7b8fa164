#include "win/dirclean/Mfolders.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cwchar>

#include "core/app/HelpTopics.h"
#include "core/platform/FileSystem.h"
#include "core/utils/AllUtils.h"
#include "win/framework/WindowPlacement.h"
#include "win/platform/Utf.h"
#include "win/utils/Controls.h"
#include "win/widgets/Menu.h"
#include "win/widgets/StandardControls.h"

namespace sorvane {

namespace {

constexpr char kPlacementSection[] = "DirColsizes";
constexpr char kCaption[] = "Sorvane v2.03 - Clean Directories";
constexpr int kColumns = 6;
// Wide enough for each heading in full on an 800 by 600 screen.
constexpr std::array<int, kColumns> kDesignWidths = {25, 100, 100, 95, 70, 100};
constexpr int kPathColumn = 2;
constexpr std::array<const char*, kColumns> kHeadings = {
    "", "Name", "Path", "Sub-Directories", "File Count", "Total Size"};
constexpr int kButtonTop = 4;
constexpr int kButtonHeight = 25;
constexpr int kButtonWidth = 100;  // the row fits 800 pixels at 150 %
constexpr int kGridTop = kButtonTop + kButtonHeight + 4;
constexpr Size kDesignOuter = {600, 420};
// The design room, all but the status bar; the table takes what the window gains.
constexpr SIZE kDesignRoom = {592, 373};
// After showing, once the window is on screen: the table's counts are made anew.
constexpr UINT kRefreshAfterShow = WM_APP + 6;

const std::vector<HelpTopic> kHelpTopics = {{TForm6::kAddDirectory, help::kAddTarget},
                                            {TForm6::kRemoveDirectory, help::kRemoveTarget},
                                            {TForm6::kRefreshbtn, help::kOverview},
                                            {TForm6::kAutmatebtn, help::kSchedule},
                                            {TForm6::kFoldergrid, help::kTargetTable},
                                            {TForm6::kFolderoption, help::kOverview},
                                            {TForm6::kDeletetorecycle, help::kTargetRecycle},
                                            {TForm6::kSubinclude, help::kTargetSubdirectories},
                                            {TForm6::kDelAllFiles, help::kTargetAllFiles},
                                            {TForm6::kDelFileTypes, help::kTargetFileTypes},
                                            {TForm6::kFileOfTypes, help::kFileOfTypes},
                                            {TForm6::kOlderAmount, help::kTargetAge},
                                            {TForm6::kOlderUnit, help::kTargetAge},
                                            {TForm6::kAddFileType, help::kAddFileType},
                                            {TForm6::kRemoveFileType, help::kRemoveFileType},
                                            {TForm6::kFileTypesList, help::kTargetTypeList},
                                            {TForm6::kButton1, help::kTargetOptionsOk},
                                            {TForm6::kButton2, help::kTargetOptionsCancel},
                                            {TForm6::kAutopanel, help::kOverview},
                                            {TForm6::kSorvstartbox, help::kCleanAtStartup},
                                            {TForm6::kDirtimebox, help::kCleanPeriodically},
                                            {TForm6::kMinslider, help::kScheduleMinutes},
                                            {TForm6::kHourslider, help::kScheduleHours},
                                            {TForm6::kButton3, help::kScheduleOk},
                                            {TForm6::kButton4, help::kScheduleCancel}};

std::string ColumnKey(int column) {
    return "Col" + std::to_string(column);
}

// Why adding a folder that holds, or is, a folder Windows needs asks first.
std::string RiskQuestion(const std::string& path, const std::string& folder) {
    const std::string what = folder == path ? path + " is a folder Windows needs"
                                            : path + " holds " + folder + ", which Windows needs";
    return what + ". A clean of it could leave the system unusable. Add it to the table anyway?";
}

// The panels stay in front of the table.
void ShowInFront(MovablePanel& panel) {
    SetWindowPos(panel.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
}

}  // namespace

TForm6::TForm6(AppContext& context)
    : ToolForm(context, L"TForm6", {kCaption, kDesignOuter, kStatusBar1, ""}),
      layout_(kDesignRoom) {
    CreateToolbar();
    CreateGrid();
    CreateFolderoption();
    CreateAutopanel();
    const auto edited = [this](std::optional<bool> maskMode) {
        return [this, maskMode] {
            if (maskMode) folderoption_->ShowMaskMode(*maskMode);
            optionsChanged_ = true;
        };
    };
    const auto answered = [](auto act) {
        return [act](NMHDR& header) -> std::optional<LRESULT> {
            act(header);
            return 0;
        };
    };
    On().Command(kAddDirectory, [this] { AddDirectoryClick(); })
        .Command(kRemoveDirectory, [this] { RemoveDirectoryClick(); })
        .Command(kRefreshbtn, [this] { RefreshTable(); })
        .Command(kAutmatebtn, [this] { ShowInFront(*autopanel_); })
        .Command(kSelectedDirectory1, [this] { CleanSelected(); })
        .Command(kAllDirectories1, [this] { CleanAll(); })
        .Notify(kFoldergrid, NM_CLICK, answered([this](NMHDR& h) { FoldergridClick(h); }))
        .Notify(kFoldergrid, LVN_GETINFOTIPW, answered([this](NMHDR& h) { FoldergridInfoTip(h); }))
        .Command(kDeletetorecycle, edited(std::nullopt))
        .Command(kSubinclude, edited(std::nullopt))
        .Command(kDelAllFiles, edited(false))
        .Command(kDelFileTypes, edited(true))
        .Change(kOlderAmount, EN_CHANGE, [this] { optionsChanged_ = true; })
        .Change(kOlderUnit, CBN_SELCHANGE, [this] { optionsChanged_ = true; })
        .Command(kAddFileType, [this] { AddFileTypeClick(); })
        .Command(kRemoveFileType, [this] { RemoveFileTypeClick(); })
        .Command(kButton1, [this] { Button1Click(); })
        .Command(kButton2, [this] { Button2Click(); })
        .Scroll(kMinslider, [this] { ShowSliderLabels(); })
        .Scroll(kHourslider, [this] { ShowSliderLabels(); })
        .Command(kButton3, [this] { Button3Click(); })
        .Command(kButton4, [this] { Button4Click(); });
    ApplyHelpTopics(help::kCleanDirectories, kHelpTopics);

    LoadPlacement();
    Layout();
    {
        const Settings settings = Store();
        for (Target& target : LoadTargets(settings)) rows_.push_back({std::move(target), {}});
    }
    ShowRows();

    const ScheduleOptions schedule = LoadSchedule(Store());
    ShowSchedule(schedule);
    // The start-up clean comes before the later windows are made, so before the exit question.
    if (schedule.atStartup) RunUnattendedClean();
    schedule_ = std::make_unique<CleanSchedule>(context.platform.timers,
                                                [this] { CleanSelectedDirectoriesNow(); });
    try {
        schedule_->Start(schedule);
    } catch (const std::exception& e) {
        Prompts().Error(std::string("The periodic clean could not be started: ") + e.what());
    }
}

void TForm6::CreateToolbar() {
    const HWND w = Handle();
    struct Tool {
        int id;
        const char* caption;
        const char* hint;
    };
    const Tool tools[] = {
        {kAddDirectory, "Add Directory", "Click to add a directory to the table."},
        {kRemoveDirectory, "Remove Directory",
         "Click to remove selected directory from the table."},
        {kCleanDirectory, "Clean Directory", "Click to clean directory."},
        {kRefreshbtn, "Refresh Table",
         "Click to refresh information for all the directories in the table."},
        {kAutmatebtn, "Schedule", "Click to schedule cleanning of directories."}};
    int left = 4;
    for (const Tool& tool : tools) {
        const RECT bounds = Bounds(left, kButtonTop, kButtonWidth, kButtonHeight);
        left += kButtonWidth + 4;
        if (tool.id == kCleanDirectory) {
            UniqueMenu menu = MakePopupMenu();
            AppendItem(menu.get(), kSelectedDirectory1, "Selected Directory");
            AppendItem(menu.get(), kAllDirectories1, "All Directories");
            cleanDirectory_ =
                std::make_unique<FlatButton>(w, tool.caption, bounds, tool.id, std::move(menu));
            Tips().Add(cleanDirectory_->Handle(), tool.hint);
        } else {
            Tips().Add(MakeButton(w, tool.caption, bounds, tool.id), tool.hint);
        }
    }
    SetMenuContextHelpId(cleanDirectory_->Menu(), help::kCleanTargets);
}

void TForm6::CreateGrid() {
    ListPaneSetup setup;
    setup.listId = kFoldergrid;
    for (int c = 0; c < kColumns; ++c) setup.columns.push_back({kHeadings[c], kDesignWidths[c]});
    // The path column takes the room the other columns leave, on screen only.
    setup.fillColumn = kPathColumn;
    setup.rowIcons = true;
    const RECT bounds = Bounds(0, kGridTop, kDesignRoom.cx, kDesignRoom.cy - kGridTop);
    grid_ = std::make_unique<ListPane>(Handle(), Tips(), bounds, std::move(setup));
    layout_.Add(grid_->Handle(), bounds, follow::kFill);
}

void TForm6::CreateFolderoption() {
    static_assert(kButton2 - kFolderoption + 1 == TargetOptionsPanel::kItemCount);
    folderoption_ = std::make_unique<TargetOptionsPanel>(Handle(), Tips(), kFolderoption);
    keys_.push_back(ListKeys(folderoption_->Control(TargetOptionsPanel::kMaskEdit), nullptr,
                             [this] { AddFileTypeClick(); }));
    keys_.push_back(ListKeys(folderoption_->Control(TargetOptionsPanel::kMaskList),
                             [this] { RemoveFileTypeClick(); }));
}

void TForm6::CreateAutopanel() {
    autopanel_ = std::make_unique<MovablePanel>(Handle(), "Schedule Cleanning Of Directories",
                                                Bounds(0, 0, 265, 225), kAutopanel);
    const HWND p = autopanel_->Handle();
    const POINT below{0, autopanel_->TitleHeight()};
    MakeCheckBox(p, "Clean Directories When Sorvane Starts", BoundsFrom(below, 12, 12, 245, 20),
                 kSorvstartbox);
    MakeCheckBox(p, "Clean Directories Every", BoundsFrom(below, 12, 40, 245, 20), kDirtimebox);
    minslider_ = std::make_unique<Slider>(p, BoundsFrom(below, 12, 68, 150, 30), kMinslider,
                                          Slider::Range{0, 60, 0});
    MakeLabelAt(p, "0 Minute(s)", {Scaled(168), below.y + Scaled(74)}, kMlabel);
    hourslider_ = std::make_unique<Slider>(p, BoundsFrom(below, 12, 108, 150, 30), kHourslider,
                                           Slider::Range{0, 24, 0});
    MakeLabelAt(p, "0 Hour(s)", {Scaled(168), below.y + Scaled(114)}, kHlabel);
    MakeButton(p, "Apply", BoundsFrom(below, 40, 160, 75, 25), kButton3);
    MakeButton(p, "Cancel", BoundsFrom(below, 150, 160, 75, 25), kButton4);
}

HWND TForm6::Control(int id) const {
    if (id > kFolderoption && id < kAutopanel) return GetDlgItem(folderoption_->Handle(), id);
    if (id > kAutopanel && id <= kButton4) return GetDlgItem(autopanel_->Handle(), id);
    return GetDlgItem(Handle(), id);
}

Settings TForm6::Store() {
    return Settings(Context().platform.settings, Context().values.settingsPath);
}

void TForm6::OnLayout(SIZE room) {
    layout_.Apply(room);
    grid_->Fit();
    folderoption_->StayInside();
    autopanel_->StayInside();
}

void TForm6::LoadPlacement() {
    const Settings s = Store();
    const Size size = OuterSize();
    // A window closed minimised comes back as it was before, normal or maximised.
    RestorePlacement(
        PlacementOfBounds({s.ReadInteger(kPlacementSection, "Clean_Left", 1),
                           s.ReadInteger(kPlacementSection, "Clean_Top", 1),
                           s.ReadInteger(kPlacementSection, "Clean_Width", size.width),
                           s.ReadInteger(kPlacementSection, "Clean_Height", size.height),
                           s.ReadInteger(kPlacementSection, "Clean_State", 1)}));
    // Kept in design units, so that a width looks the same on any screen.
    std::vector<int> widths;
    for (int c = 0; c < kColumns; ++c) {
        widths.push_back(s.ReadInteger(kPlacementSection, ColumnKey(c), kDesignWidths[c]));
    }
    grid_->SetWidths(widths);
    folderoption_->MoveTo(s.ReadInteger(kPlacementSection, "Folderoption_Left", Scaled(330)),
                          s.ReadInteger(kPlacementSection, "Folderoption_Top", Scaled(110)));
    autopanel_->MoveTo(s.ReadInteger(kPlacementSection, "Autopanel_Left", Scaled(130)),
                       s.ReadInteger(kPlacementSection, "Autopanel_Top", Scaled(100)));
}

void TForm6::SaveSettings() {
    Settings s = Store();
    SettingsBatch batch(s);
    const WindowBounds bounds = BoundsOfPlacement(Placement());
    s.WriteInteger(kPlacementSection, "Clean_Left", bounds.left);
    s.WriteInteger(kPlacementSection, "Clean_Top", bounds.top);
    s.WriteInteger(kPlacementSection, "Clean_Width", bounds.width);
    s.WriteInteger(kPlacementSection, "Clean_Height", bounds.height);
    s.WriteInteger(kPlacementSection, "Clean_State", bounds.state);
    const std::vector<int> widths = grid_->Widths();
    for (int c = 0; c < kColumns; ++c) s.WriteInteger(kPlacementSection, ColumnKey(c), widths[c]);
    const POINT option = folderoption_->Position();
    s.WriteInteger(kPlacementSection, "Folderoption_Left", option.x);
    s.WriteInteger(kPlacementSection, "Folderoption_Top", option.y);
    const POINT automate = autopanel_->Position();
    s.WriteInteger(kPlacementSection, "Autopanel_Left", automate.x);
    s.WriteInteger(kPlacementSection, "Autopanel_Top", automate.y);
    batch.Commit();
}

namespace {

// A row's cells: the first column holds the folder icon alone.
std::vector<std::string> CellsOf(const TForm6::Row& row) {
    return {"",
            row.target.name,
            row.target.path,
            std::to_string(row.stats.subdirectories),
            std::to_string(row.stats.files),
            SizeText(row.stats.bytes)};
}

}  // namespace

// The table: a row per target, or one blank row while there are none.
void TForm6::ShowRows() {
    std::vector<std::vector<std::string>> cells;
    for (const Row& row : rows_) cells.push_back(CellsOf(row));
    grid_->ShowRows(cells);
}

void TForm6::FillRow(std::size_t index) {
    grid_->ShowRow(index, CellsOf(rows_[index]));
}

std::optional<std::size_t> TForm6::SelectedIndex() const {
    return grid_->Selected(rows_.size());
}

void TForm6::RefreshRows(DirectoryCleaning& engine) {
    for (std::size_t i = 0; i < rows_.size() && Runner().Running(); ++i) {
        const DirectoryStats stats = engine.GatherStats(rows_[i].target.path);
        if (!Runner().Running()) break;  // counted in part
        rows_[i].stats = stats;
        FillRow(i);
    }
}

void TForm6::RefreshTable() {
    if (rows_.empty()) return;
    Runner().Run(PassRunner::Kind::kStoppable, [this] {
        DirectoryCleaning engine(Services(), Runner(), Context().history);
        RefreshRows(engine);
    });
}

void TForm6::AddDirectoryClick() {
    IDirectoryPicker* picker = Context().picker;
    if (picker == nullptr) return;
    const std::optional<PickedDirectory> picked = picker->Execute(Handle());
    if (!picked || picked->path.size() < 4) return;
    const std::string path = StripTrailingBackslash(picked->path);
    if (path.size() < 4) return;
    for (const Row& row : rows_) {
        if (row.target.path == path) return;
    }
    const std::optional<std::uint32_t> attributes = Services().fs.Attributes(path);
    if (!attributes || (*attributes & attr::kDirectory) == 0) return;
    if (const std::optional<std::string> folder =
            FolderAtRisk(path, *attributes, Context().platform.system.SystemFolders())) {
        if (!Prompts().Ask(RiskQuestion(path, *folder), Buttons::kYesNoSafeNo)) return;
    }
    Row row{{picked->displayName, path}, {}};
    const bool counted = Runner().Run(PassRunner::Kind::kStoppable, [&] {
        row.stats = DirectoryCleaning(Services(), Runner(), Context().history).GatherStats(path);
    });
    if (!counted) return;  // another task runs: the status bar says so
    const std::optional<std::size_t> selected = SelectedIndex();
    rows_.push_back(row);
    ShowRows();
    if (selected) grid_->Select(*selected);
    Settings settings = Store();
    AddTargetToSettings(settings, row.target, row.stats.subdirectories > 0);
}

void TForm6::RemoveDirectoryClick() {
    const std::optional<std::size_t> index = SelectedIndex();
    if (!index) {
        Prompts().Notice("Please select a directory first.");
        return;
    }
    if (!Runner().CanRun()) {
        Status().SetText(kPassBusyStatus);
        return;
    }
    const Target target = rows_[*index].target;
    if (!Prompts().Confirm("Proceed to remove " + target.name + " directory?")) return;
    // The question held the window, but a tick may have started a clean meanwhile: it works
    // on its own copy of the list.
    const auto at = std::find_if(rows_.begin(), rows_.end(),
                                 [&](const Row& row) { return row.target.path == target.path; });
    if (at == rows_.end()) return;
    rows_.erase(at);
    if (editedTarget_ && editedTarget_->path == target.path) {
        editedTarget_.reset();
        optionsChanged_ = false;
        folderoption_->Show(false);
    }
    ShowRows();
    std::vector<std::string> remaining;
    for (const Row& row : rows_) remaining.push_back(row.target.path);
    Settings settings = Store();
    RemoveTargetFromSettings(settings, target.path, remaining);
}

void TForm6::CleanSelected() {
    const std::optional<std::size_t> index = SelectedIndex();
    if (!index) return;
    const std::string path = rows_[*index].target.path;
    CleanReport report;
    Runner().Run(PassRunner::Kind::kStoppable, [&] {
        DirectoryCleaning engine(Services(), Runner(), Context().history);
        report = engine.CleanTarget(path, ReadTargetOptions(Store(), path), false);
        const DirectoryStats stats = engine.GatherStats(path);
        if (Runner().Running() && *index < rows_.size()) {
            rows_[*index].stats = stats;
            FillRow(*index);
        }
    });
    Tell(report);
}

void TForm6::CleanSelectedDirectoriesNow() {
    Context().app.Passes().RunWhenIdle("Clean Selected Directories", [this] {
        if (WindowShown()) {
            CleanAll();
        } else {
            RunUnattendedClean();
        }
    });
}

void TForm6::CleanAll() {
    if (rows_.empty()) return;
    std::vector<Target> targets;
    for (const Row& row : rows_) targets.push_back(row.target);
    const bool unattended = !WindowShown();
    unattendedRun_ = unattended;
    CleanReport report;
    Runner().Run(PassRunner::Kind::kStoppable, [&] {
        DirectoryCleaning engine(Services(), Runner(), Context().history);
        report = engine.CleanAll(Store(), targets, unattended, [this](const Target& target) {
            if (!WindowShown() && Context().progress) {
                Context().progress->SetStatus("Cleanning " + target.name + " Directory");
            }
        });
        // Opened meanwhile, the window shows what the clean left.
        if (WindowShown()) RefreshRows(engine);
    });
    unattendedRun_ = false;
    Tell(report);
}

void TForm6::Tell(const CleanReport& report) {
    const std::string note = CleanNote(report);
    if (note.empty()) return;
    if (WindowShown()) {
        Status().SetText(note);
        return;
    }
    if (Context().progress) Context().progress->SetStatus(note);
    if (Context().trayNotice) Context().trayNotice(note);
}

void TForm6::RunUnattendedClean() {
    IProgressWindow* progress = Context().progress;
    if (progress == nullptr) {
        CleanAll();
        return;
    }
    // Abort stops the clean only while nobody has opened the window since it began.
    progress->Begin("Cleanning Selected Directories...", [this] {
        if (unattendedRun_) Runner().Stop();
    });
    const ProgressScope scope{*progress};
    CleanAll();
}

bool TForm6::Checked(int id) const {
    return IsChecked(Control(id));
}

void TForm6::SetChecked(int id, bool checked) {
    sorvane::SetChecked(Control(id), checked);
}

void TForm6::FoldergridClickCell(int row, int column) {
    if (optionsChanged_) AskToSaveOptions();
    if (column != 0 || row < 1 || static_cast<std::size_t>(row) > rows_.size()) return;
    const Target& target = rows_[row - 1].target;
    SetWindowTextW(folderoption_->Handle(), Widen(target.name + " Directory").c_str());
    InvalidateRect(folderoption_->Handle(), nullptr, TRUE);
    folderoption_->Fill(ReadPanelOptions(Store(), target.path));
    editedTarget_ = target;
    ShowInFront(*folderoption_);
    optionsChanged_ = false;
}

void TForm6::SaveEditedOptions() {
    if (!editedTarget_) return;
    Settings settings = Store();
    SaveTargetOptions(settings, editedTarget_->path, folderoption_->Read());
}

void TForm6::AskToSaveOptions() {
    if (!editedTarget_) return;
    if (Prompts().Confirm("Save changes to " + editedTarget_->name + " directory options?")) {
        SaveEditedOptions();
    }
}

void TForm6::AddFileTypeClick() {
    if (folderoption_->AddTypedMask()) optionsChanged_ = true;
}

void TForm6::RemoveFileTypeClick() {
    if (RemoveSelectedItem(Control(kFileTypesList), Prompts())) optionsChanged_ = true;
}

void TForm6::Button1Click() {
    SaveEditedOptions();
    folderoption_->Show(false);
    optionsChanged_ = false;
}

void TForm6::Button2Click() {
    if (optionsChanged_) AskToSaveOptions();
    optionsChanged_ = false;
    folderoption_->Show(false);
}

ScheduleOptions TForm6::ScheduleOfControls() const {
    return {Checked(kSorvstartbox), Checked(kDirtimebox), minslider_->Position(),
            hourslider_->Position()};
}

void TForm6::ShowSchedule(const ScheduleOptions& schedule) {
    SetChecked(kSorvstartbox, schedule.atStartup);
    SetChecked(kDirtimebox, schedule.periodic);
    minslider_->SetPosition(schedule.minutes);
    hourslider_->SetPosition(schedule.hours);
    ShowSliderLabels();
}

void TForm6::ShowSliderLabels() {
    SetAutoSizeText(Control(kMlabel), std::to_string(minslider_->Position()) + " Minute(s)");
    SetAutoSizeText(Control(kHlabel), std::to_string(hourslider_->Position()) + " Hour(s)");
}

void TForm6::Button3Click() {
    const ScheduleOptions schedule = ScheduleOfControls();
    Settings settings = Store();
    SaveSchedule(settings, schedule);
    schedule_->Apply(schedule);
    autopanel_->Show(false);
}

void TForm6::Button4Click() {
    ShowSchedule(LoadSchedule(Store()));
    autopanel_->Show(false);
}

void TForm6::OnShown() {
    folderoption_->Show(false);
    autopanel_->Show(false);
    // A clean that runs unattended now belongs to the window: closing stops it, Abort not.
    unattendedRun_ = false;
    PostMessageW(Handle(), kRefreshAfterShow, 0, 0);
}

void TForm6::OnClose() {
    unattendedRun_ = false;
    if (optionsChanged_) AskToSaveOptions();
    optionsChanged_ = false;
}

void TForm6::FoldergridClick(const NMHDR& header) {
    const auto& click = reinterpret_cast<const NMITEMACTIVATE&>(header);
    if (const auto cell = ListView(header.hwndFrom).CellAt(click.ptAction)) {
        FoldergridClickCell(cell->first + 1, cell->second);
    }
}

void TForm6::FoldergridInfoTip(NMHDR& header) const {
    auto& tip = reinterpret_cast<NMLVGETINFOTIPW&>(header);
    if (tip.iItem >= 0 && static_cast<std::size_t>(tip.iItem) < rows_.size() && tip.pszText &&
        tip.cchTextMax > 0) {
        const std::wstring text =
            Widen("Click to set/edit options for " + rows_[tip.iItem].target.name + " directory");
        wcsncpy(tip.pszText, text.c_str(), tip.cchTextMax - 1);
        tip.pszText[tip.cchTextMax - 1] = L'\0';
    }
}

LRESULT TForm6::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_WINDOWPOSCHANGED: {
            const LRESULT result = ToolForm::OnMessage(message, wParam, lParam);
            // Back on screen from the tray: a clean running unattended becomes the window's.
            if (unattendedRun_ && WindowShown() && Visible()) unattendedRun_ = false;
            return result;
        }
        case kRefreshAfterShow:
            // An unattended clean that runs on refreshes the table when it ends.
            if (Opened() && !Busy()) RefreshTable();
            return 0;
        default:
            break;
    }
    return ToolForm::OnMessage(message, wParam, lParam);
}

}  // namespace sorvane
