#include "win/driveclean/CleanDriSorv.h"

#include <commctrl.h>

#include "core/app/HelpTopics.h"
#include "core/driveclean/DriveScan.h"
#include "core/driveclean/MaskList.h"
#include "win/utils/Controls.h"

namespace sorvane {

using namespace cleandri;

namespace {

constexpr int kButtonTop = 6;
constexpr int kButtonHeight = 25;
constexpr int kMargin = 8;
constexpr Size kDesignOuter = {639, 451};
// The design room of the window (all but the status bar) and of a page: the pages fill the
// window, and the result grid the rest of its page.
constexpr SIZE kDesignRoom = {631, 400};
constexpr SIZE kDesignPage = {620, 360};

ResultsPaneSetup CleanResultsSetup() {
    ResultsPaneSetup s;
    s.tool = tool::kCleanDrives;
    s.gridId = kCleangrid;
    s.checkboxes = {kCcheckbtn, "Click to select/unselect all checkboxes."};
    s.remove = {kCdeletebtn, "Click to delete selected/all checked/all files."};
    s.move = {kCmovebtn, "Click to move selected/all checked files."};
    s.save = {kCsavebtn, "Click to save the scan results as HTML/formatted text file."};
    s.commands = {kSelectAll,    kUnselectAll, kDeleteSelected, kDeleteChecked, kDeleteAll,
                  kMoveSelected, kMoveChecked, kSetDestination, kSaveHtml,      kSaveText};
    s.destination = {
        "Set/Edit Destination Directory",
        {150, 80},
        {kDestdirpanel, kAlwayscheckbox, kDestdiredit, kSelectdirbtn, kOkmovebtn, kCancelmovebtn},
        "Destdirpanel",
        "Alwayscheckbox",
        "Destdiredit"};
    return s;
}

}  // namespace

TForm8::TForm8(AppContext& context)
    : ToolForm(context, L"TForm8",
               {std::string(kCaptionPrefix) + kIdleTitle, kDesignOuter, kStat2, "Ready..."}),
      table_(MakeCleanTable()),
      layout_(kDesignRoom),
      resultsLayout_(kDesignPage) {
    MoveTo(1, 1);

    pages_ = std::make_unique<PageControl>(Handle(), Bounds(0, 0, 100, 100), kPages);
    layout_.Add([this](const RECT& r) { pages_->MoveTo(r); },
                Bounds(2, 2, kDesignRoom.cx - 4, kDesignRoom.cy - 4), follow::kFill);
    const HWND optionsPage = pages_->AddPage("Step1 Set/Edit Scanning Options");
    const HWND resultsPage = pages_->AddPage("Step2 Start Scan");
    options_ = std::make_unique<ScanOptionsPage>(*this, optionsPage, Tips(),
                                                 [this](const std::string&) { drop_->Begin(); });
    drop_ = std::make_unique<TreeDrop>(Handle(), options_->Control(kSelecteddrives),
                                       [this] { options_->AddLocation(); });

    const HWND scan =
        MakeButton(resultsPage, "Scan", Bounds(kMargin, kButtonTop, 75, kButtonHeight), kCscanbtn);
    const HWND stop = MakeButton(resultsPage, "Stop",
                                 Bounds(kMargin + 81, kButtonTop, 75, kButtonHeight), kCstopbtn);
    EnableWindow(stop, FALSE);
    Tips().Add(scan, "Click t start the scan.");
    Tips().Add(stop, "Click to stop the scan.");
    results_ =
        std::make_unique<ResultsPane>(*this, Tips(), resultsPage, POINT{kMargin + 162, kButtonTop},
                                      resultsPage, table_, CleanResultsSetup());
    View().SetScanButtons(scan, stop);
    const int gridTop = kButtonTop + kButtonHeight + 6;
    results_->AddTo(resultsLayout_, Bounds(kMargin, gridTop, kDesignPage.cx - 2 * kMargin,
                                           kDesignPage.cy - gridTop - kMargin));
    On().Command(kCscanbtn, [this] { CscanbtnClick(); })
        .Command(kCstopbtn, [this] { Runner().Stop(); })
        // The drop goes before the window while the window is destroyed.
        .Drag([this](UINT message) {
            return drop_ ? drop_->OnMessage(message) : std::optional<LRESULT>{};
        });

    Restore();
    Layout();
    ApplyHelpTopics(help::kCleanDrives,
                    TopicsForRanges({{kPages, kPages, help::kCleanDrives},
                                     {kCleantree, kSeparetebox, help::kCleanDrives},
                                     {kMaskgroup, kSystembox, help::kCleanDrivesCriteria},
                                     {kCscanbtn, kCdeletebtn, help::kCleanDrivesResults},
                                     {kCmovebtn, kCmovebtn, help::kMoveFiles},
                                     {kCsavebtn, kCsavebtn, help::kSaveReport},
                                     {kCleangrid, kCleangrid, help::kCleanDrivesResults},
                                     {kDestdirpanel, kCancelmovebtn, help::kMoveFiles}}));

    // The last step of start-up: offer to leave once the start-up tasks have run.
    if (context.options.exitAfterTasks && Prompts().Confirm("Exit Sorvane?")) {
        context.app.Terminate();
    }
}

TForm8::~TForm8() = default;

HWND TForm8::Control(int id) const {
    switch (id) {
        case kPages:
            return pages_->Handle();
        case kCscanbtn:
        case kCstopbtn:
            return GetDlgItem(pages_->Page(1), id);
        default:
            if (id == kStat2) return Status().Handle();
            if (id >= kCcheckbtn && id <= kCancelmovebtn) return results_->Control(id);
            return options_->Control(static_cast<ControlId>(id));
    }
}

void TForm8::Restore() {
    cleanstorage_ = std::make_unique<StoredOptions>(Context().platform.settings,
                                                    Context().values.settingsPath, kCleanSection);
    StoredOptions& s = *cleanstorage_;
    options_->AddStoredEntries(s);
    results_->AddStoredEntries(s);
    options_->AddCombinationEntries(s);

    s.RestoreProperties();
    RestorePlacement(s.RestorePlacement());
    options_->AfterRestore();
    results_->RestoreWidths(s);
    const Settings settings(Context().platform.settings, Context().values.settingsPath);
    options_->SetMasks(LoadMaskList(settings));
}

void TForm8::SaveSettings() {
    StoredOptions& s = *cleanstorage_;
    SettingsBatch batch(s.File());
    s.SaveProperties();
    s.SavePlacement(Placement());
    results_->SaveWidths(s);
    SaveMaskList(s.File(), options_->Masks());
    batch.Commit();
}

void TForm8::OnLayout(SIZE room) {
    layout_.Apply(room);
    const SIZE page = pages_->PageSize();
    options_->Layout(page);
    resultsLayout_.Apply(page);
}

void TForm8::OnShown() {
    Runner().Stop();
    table_.SelectRow(0);
    results_->Refresh();
    pages_->SetActivePage(0);
    options_->Cleantree().CollapseAll();
}

void TForm8::OnClose() {
    // The stopped scan leaves the table alone.
    drop_->End(false);
    results_->Clear();
}

void TForm8::CscanbtnClick() {
    PassRunner& runner = Runner();
    DriveScan scan(Services(), runner,
                   // The size and date controls may change while the scan runs.
                   [this](DriveScanCriteria& c) { return options_->RefreshLimits(c); });
    const DriveScanResult result = scan.Run(options_->Criteria(), table_);
    if (result.outcome == DriveScanOutcome::kFound) results_->Refresh();
    runner.SetStatus(StatusTextOf(result));
}

}  // namespace sorvane
