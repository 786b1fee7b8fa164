#include "win/history/HistorySorv.h"

#include <commctrl.h>

#include "core/app/HelpTopics.h"
#include "core/app/SharedValues.h"
#include "core/history/HistoryRestore.h"
#include "core/results/FileActions.h"
#include "core/utils/AllUtils.h"
#include "core/utils/ScopedFlag.h"
#include "win/utils/Controls.h"
#include "win/widgets/StandardControls.h"

namespace sorvane {

namespace {

constexpr Size kDesignOuter = {760, 520};
constexpr SIZE kDesignRoom = {752, 470};
constexpr int kRunsTop = 38;
constexpr int kRunsHeight = 150;
constexpr int kFilesTop = kRunsTop + kRunsHeight + 6;
constexpr int kButtonsHeight = 25;
constexpr char kSection[] = "Cleaning_History";

// The tools a run may be of, as the filter offers them; the first stands for all.
const std::vector<std::string> kToolChoices = {"All Tools",          tool::kCleanDrives,
                                               tool::kCleanDirectories, tool::kFindDuplicates,
                                               tool::kCheckShortcuts,   tool::kHistory};

std::string Count(std::size_t n) {
    return std::to_string(n);
}

}  // namespace

TForm10::TForm10(AppContext& context)
    : ToolForm(context, L"TForm10",
               {std::string(kCaptionPrefix) + "Cleaning History", kDesignOuter, kStatHistory,
                "Ready..."}),
      table_(HistoryView::MakeTable()),
      layout_(kDesignRoom),
      pump_(context.platform.pump, context.platform.clock) {
    CreateControls();
    saver_ = std::make_unique<TableSaver>(Handle(), Services(), Runner());
    On().Command(kFilterbtn, Guarded(&TForm10::ApplyFilter))
        .Change(kToolbox, CBN_SELCHANGE, Guarded(&TForm10::ApplyFilter))
        .Notify(kRunlist, LVN_ITEMCHANGED,
                [this](NMHDR& header) -> std::optional<LRESULT> {
                    const auto& change = reinterpret_cast<NMLISTVIEW&>(header);
                    if ((change.uNewState & LVIS_SELECTED) != 0) Guarded(&TForm10::ShowSelectedRun)();
                    return 0;
                })
        .Command(kOpenbtn, Guarded(&TForm10::OpenFolder))
        .Command(kRestorebtn, Guarded(&TForm10::RestoreFiles))
        .Command(kSaveHtml, [this] { saver_->SaveHtml(table_); })
        .Command(kSaveText, [this] { saver_->SaveText(table_); });
    ApplyHelpTopics(help::kCleaningHistory, {});

    storage_ = std::make_unique<StoredOptions>(Context().platform.settings,
                                               Context().values.settingsPath, kSection);
    RestorePlacement(storage_->RestorePlacement());
    Layout();
}

TForm10::~TForm10() = default;

void TForm10::CreateControls() {
    const HWND w = Handle();
    MakeLabel(w, "Tool:", 8, 12, kToolLabel);
    const HWND tools = MakeControl(w, L"COMBOBOX", "",
                                   WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                                   Bounds(44, 8, 170, 200), kToolbox);
    ComboBox(tools).SetTexts(kToolChoices);
    ComboBox(tools).Select(0);
    MakeLabel(w, "Path Contains:", 228, 12, kPathLabel);
    const HWND path = MakeControl(w, L"EDIT", "", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                                  Bounds(318, 8, 250, 22), kPathedit, WS_EX_CLIENTEDGE);
    const HWND filter = MakeButton(w, "Filter", Bounds(574, 7, 75, kButtonsHeight), kFilterbtn);
    enterKey_ = ListKeys(path, nullptr, Guarded(&TForm10::ApplyFilter));
    layout_.Add(path, follow::kWide);
    layout_.Add(filter, follow::kRight);

    const RECT runs = Bounds(0, kRunsTop, kDesignRoom.cx, kRunsHeight);
    ListPaneSetup setup;
    setup.listId = kRunlist;
    setup.columns = {{"Time", 130}, {"Tool", 130},     {"Files", 50}, {"Bytes", 80},
                     {"Recycled", 60}, {"Permanent", 64}, {"Moved", 50}, {"Kept", 44},
                     {"Left For Age", 80}};
    setup.hint = "The runs of every tool, newest first. Select one to see its files.";
    runs_ = std::make_unique<ListPane>(w, Tips(), runs, std::move(setup));
    layout_.Add(runs_->Handle(), runs, follow::kWide);

    const int gridHeight = kDesignRoom.cy - kFilesTop - kButtonsHeight - 10;
    const RECT files = Bounds(0, kFilesTop, kDesignRoom.cx, gridHeight);
    grid_ = std::make_unique<ResultGrid>(w, files, kFilegrid, table_);
    layout_.Add(grid_->Handle(), files, follow::kFill);

    const int buttonsTop = kDesignRoom.cy - kButtonsHeight - 4;
    const HWND open = MakeButton(w, "Open Folder", Bounds(8, buttonsTop, 90, kButtonsHeight),
                                 kOpenbtn);
    const HWND restore =
        MakeButton(w, "Restore", Bounds(104, buttonsTop, 75, kButtonsHeight), kRestorebtn);
    UniqueMenu menu = MakePopupMenu();
    AppendItem(menu.get(), kSaveHtml, "As HTML File");
    AppendItem(menu.get(), kSaveText, "As Formatted Text File");
    save_ = std::make_unique<FlatButton>(w, "Save", Bounds(185, buttonsTop, 75, kButtonsHeight),
                                         kSavebtn, std::move(menu));
    for (const HWND button : {open, restore, save_->Handle()}) layout_.Add(button, follow::kBottom);
    Tips().Add(tools, "Show the runs of one tool only.");
    Tips().Add(path, "Show only files whose path contains this text.\r\nPress Enter to apply.");
    Tips().Add(open, "Open the folder of the selected file in Explorer.");
    Tips().Add(restore, "Put the checked files, or the selected one, back from the "
                        "recycle bin\r\nto the place they were removed from.");
    Tips().Add(save_->Handle(), "Save the files of the run as HTML/formatted text file.");
}

HWND TForm10::Control(int id) const {
    if (id == kStatHistory) return Status().Handle();
    if (id == kRunlist) return runs_->Handle();
    if (id == kFilegrid) return grid_->Handle();
    if (id == kSavebtn) return save_->Handle();
    return GetDlgItem(Handle(), id);
}

void TForm10::OnLayout(SIZE room) {
    layout_.Apply(room);
    runs_->Fit();
    grid_->FitPathColumn();
}

void TForm10::OnShown() {
    Guarded(&TForm10::Reload)();
}

std::function<void()> TForm10::Guarded(void (TForm10::*action)()) {
    return [this, action] {
        // Reading a long history lets events run: a click meanwhile waits for the next one.
        if (busy_) return;
        const ScopedFlag busy(busy_);
        (this->*action)();
    };
}

void TForm10::SaveSettings() {
    SettingsBatch batch(storage_->File());
    storage_->SavePlacement(Placement());
    batch.Commit();
}

void TForm10::Reload() {
    CleaningHistory& history = Context().history;
    const bool read = view_.Load(Services().fs, history.Path(), [this] { pump_.Tick(); });
    shownRun_ = static_cast<std::size_t>(-1);
    ShowRuns();
    if (!read) {
        Runner().SetStatus("The cleaning history " + history.Path() + " could not be read.");
    } else if (!history.Enabled()) {
        Runner().SetStatus("The cleaning history is off: General Options turns it on.");
    } else {
        Runner().SetStatus(Count(view_.RunCount()) + " runs.");
    }
}

void TForm10::ApplyFilter() {
    const std::size_t tool = ComboBox(Control(kToolbox)).Selected().value_or(0);
    view_.SetFilter(tool == 0 ? std::string() : kToolChoices[tool],
                    WindowText(Control(kPathedit)));
    shownRun_ = static_cast<std::size_t>(-1);
    ShowRuns();
    Runner().SetStatus(Count(view_.RunCount()) + " runs.");
}

void TForm10::ShowRuns() {
    std::vector<std::vector<std::string>> rows;
    for (std::size_t i = 0; i < view_.RunCount(); ++i) {
        const HistoryRunInfo& run = view_.Run(i);
        // A "Left for age" line counts files that stayed, not one removed.
        const std::size_t files = run.lines - run.Count(HistoryAction::kLeftForAge);
        rows.push_back({run.time, run.tool, Count(files), FormatByteSize(run.bytes),
                        Count(run.Count(HistoryAction::kRecycled)),
                        Count(run.Count(HistoryAction::kDeleted)),
                        Count(run.Count(HistoryAction::kMoved)),
                        Count(run.Count(HistoryAction::kKept)), Count(run.leftForAge)});
    }
    runs_->ShowRows(rows);
    if (view_.RunCount() > 0) {
        runs_->Select(0);
        // A row selected already sends no change: the run is shown here either way.
        ShowSelectedRun();
    } else {
        view_.ShowRun(0, table_);
        grid_->Refresh();
    }
}

void TForm10::ShowSelectedRun() {
    const auto selected = runs_->Selected(view_.RunCount());
    if (!selected || *selected == shownRun_) return;
    shownRun_ = *selected;
    view_.ShowRun(*selected, table_);
    grid_->Refresh();
}

std::vector<HistoryLine> TForm10::ChosenLines() const {
    std::vector<HistoryLine> lines;
    for (std::size_t row = 1; row < table_.RowCount(); ++row) {
        if (!table_.Checked(row)) continue;
        if (auto line = view_.LineOfRow(row)) lines.push_back(std::move(*line));
    }
    if (lines.empty()) {
        if (auto line = view_.LineOfRow(table_.SelectedRow())) lines.push_back(std::move(*line));
    }
    return lines;
}

void TForm10::OpenFolder() {
    const auto line = view_.LineOfRow(table_.SelectedRow());
    if (!line) {
        Prompts().Notice(kSelectFileFirst);
        return;
    }
    // Explorer opens the folder with the file selected, or the folder alone once it is gone.
    if (Services().fs.Exists(line->path)) {
        Services().shell.RunDocument("explorer.exe", "/select,\"" + line->path + "\"", "",
                                     kShowNormal);
    } else {
        Services().shell.RunDocument(DirectoryOf(line->path), "", "", kShowNormal);
    }
}

void TForm10::RestoreFiles() {
    if (!Runner().CanRun()) {
        Runner().SetStatus(kPassBusyStatus);
        return;
    }
    const std::vector<HistoryLine> lines = ChosenLines();
    if (lines.empty()) {
        Prompts().Notice(kSelectFileFirst);
        return;
    }
    const std::string question =
        lines.size() == 1 ? "Restore\r\n" + lines.front().path + "\r\nfrom the recycle bin?"
                          : "Restore " + Count(lines.size()) +
                                " files from the recycle bin to their places?";
    if (!Prompts().Confirm(question)) return;
    RestoreReport report;
    Runner().Run(PassRunner::Kind::kAction, [&] {
        report = RestoreFromHistory(Services(), Context().history, lines);
    });
    const std::string text = report.Text(lines);
    Reload();
    Runner().SetStatus(text);
    // A refusal of one file is said where the user looks.
    if (lines.size() == 1 && report.restored == 0) Prompts().Notice(text);
}

}  // namespace sorvane
