#include "win/driveclean/CleanDriSorv.h"

#include <commctrl.h>

#include "win/app/MainSorv.h"
#include "win/dialogs/SeldirSorv.h"
#include "core/driveclean/DriveScan.h"
#include "core/driveclean/MaskList.h"
#include "win/platform/Utf.h"
#include "win/settings/GeneralSorv.h"
#include "win/settings/WindowPlacement.h"
#include "win/widgets/Controls.h"

namespace sorvane {

using namespace cleandri;

namespace {

constexpr int kColumns = 7;
constexpr int kButtonTop = 6;
constexpr int kButtonHeight = 25;
constexpr int kMargin = 8;
constexpr POINT kPanelDesignPosition{150, 80};

std::string ColumnKey(int column) {
    return "Col" + std::to_string(column);
}

UniqueMenu MakeMenu(std::initializer_list<std::pair<int, const char*>> items) {
    UniqueMenu menu = MakePopupMenu();
    for (const auto& [id, caption] : items) {
        if (id == 0) {
            AppendSeparator(menu.get());
        } else {
            AppendItem(menu.get(), id, caption);
        }
    }
    return menu;
}

}  // namespace

TForm8::TForm8(AppContext& context)
    : Form(context.app, L"TForm8"),
      context_(context),
      table_(MakeCleanTable()),
      runner_(context.app.Passes(), *this) {
    CreateForm(std::string(kCaptionPrefix) + kIdleTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0,
               {639, 451});
    MoveTo(1, 1);

    CreateStatusBar();
    pages_ = std::make_unique<PageControl>(Handle(), Bounds(0, 0, 100, 100), kPages);
    const HWND optionsPage = pages_->AddPage("Step1 Set/Edit Scanning Options");
    const HWND resultsPage = pages_->AddPage("Step2 Start Scan");
    Layout();
    options_ = std::make_unique<ScanOptionsPage>(optionsPage, context.platform, Tips(),
                                                 [this](const std::string&) { BeginDrag(); });
    destination_ = std::make_unique<DestinationPanel>(
        resultsPage, "Set/Edit Destination Directory", kPanelDesignPosition,
        DestinationPanel::Ids{kDestdirpanel, kAlwayscheckbox, kDestdiredit, kSelectdirbtn,
                              kOkmovebtn, kCancelmovebtn},
        Tips());
    actions_ = std::make_unique<FileActions>(context.platform, table_, runner_);
    moves_ = std::make_unique<MoveCommands>(*actions_, context.platform, *destination_);
    saver_ = std::make_unique<TableSaver>(Handle(), context.platform, runner_);

    Restore();
    CreateResultsPage(resultsPage);
    Layout();
    // F1 on a control opens the help file at the control's own topic, numbered as the control.
    EnumChildWindows(
        Handle(),
        [](HWND child, LPARAM) -> BOOL {
            if (const int id = GetDlgCtrlID(child); id >= kPages && id < kSelectAll) {
                SetWindowContextHelpId(child, static_cast<DWORD>(id));
            }
            return TRUE;
        },
        0);

    // The last step of start-up: offer to leave once the start-up tasks have run.
    if (context.forms.general->ExitAfterTasksOption() &&
        context.platform.prompts.Confirm("Exit Sorvane?")) {
        context.app.Terminate();
    }
}

TForm8::~TForm8() = default;

void TForm8::CreateStatusBar() {
    stat2_ =
        CreateWindowExW(0, STATUSCLASSNAMEW, L"Ready...", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0,
                        0, 0, 0, Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStat2)),
                        GetModuleHandleW(nullptr), nullptr);
    SendMessageW(stat2_, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont()), FALSE);
    int parts[] = {-1};
    SendMessageW(stat2_, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(parts));
    SetStatus("Ready...");
}

void TForm8::CreateResultsPage(HWND page) {
    int x = kMargin;
    const auto next = [&x](int width) {
        const RECT r = Bounds(x, kButtonTop, width, kButtonHeight);
        x += width + 6;
        return r;
    };
    const HWND scan = MakeButton(page, "Scan", next(75), kCscanbtn);
    const HWND stop = MakeButton(page, "Stop", next(75), kCstopbtn);
    EnableWindow(stop, FALSE);
    ccheckbtn_ = std::make_unique<FlatButton>(
        page, "Checkboxes", next(90), kCcheckbtn,
        MakeMenu({{kSelectAll, "Select All"}, {kUnselectAll, "Unselect All"}}));
    cdeletebtn_ = std::make_unique<FlatButton>(page, "Delete", next(75), kCdeletebtn,
                                               MakeMenu({{kDeleteSelected, "Selected File"},
                                                         {kDeleteChecked, "All Checked Files"},
                                                         {kDeleteAll, "All Files"}}));
    cmovebtn_ = std::make_unique<FlatButton>(
        page, "Move", next(75), kCmovebtn,
        MakeMenu({{kMoveSelected, "Selected File"},
                  {kMoveChecked, "All Checked Files"},
                  {0, ""},
                  {kSetDestination, "Set/Edit Destination Directory"}}));
    csavebtn_ = std::make_unique<FlatButton>(
        page, "Save", next(75), kCsavebtn,
        MakeMenu({{kSaveHtml, "As HTML File"}, {kSaveText, "As Formatted Text File"}}));
    Tips().Add(scan, "Click t start the scan.");
    Tips().Add(stop, "Click to stop the scan.");
    Tips().Add(ccheckbtn_->Handle(), "Click to select/unselect all checkboxes.");
    Tips().Add(cdeletebtn_->Handle(), "Click to delete selected/all checked/all files.");
    Tips().Add(cmovebtn_->Handle(), "Click to move selected/all checked files.");
    Tips().Add(csavebtn_->Handle(), "Click to save the scan results as HTML/formatted text file.");

    cleangrid_ =
        std::make_unique<ResultGrid>(page, Bounds(kMargin, 36, 100, 100), kCleangrid, table_);
}

HWND TForm8::Control(int id) const {
    switch (id) {
        case kPages:
            return pages_->Handle();
        case kStat2:
            return stat2_;
        case kCleangrid:
            return cleangrid_->Handle();
        case kCscanbtn:
        case kCstopbtn:
        case kCcheckbtn:
        case kCdeletebtn:
        case kCmovebtn:
        case kCsavebtn:
            return GetDlgItem(pages_->Page(1), id);
        case kDestdirpanel:
            return destination_->Panel().Handle();
        case kAlwayscheckbox:
        case kDestdiredit:
        case kSelectdirbtn:
        case kOkmovebtn:
        case kCancelmovebtn:
            return destination_->Control(id);
        default:
            return options_->Control(static_cast<ControlId>(id));
    }
}

HMENU TForm8::MenuOf(int buttonId) const {
    switch (buttonId) {
        case kCcheckbtn:
            return ccheckbtn_->Menu();
        case kCdeletebtn:
            return cdeletebtn_->Menu();
        case kCmovebtn:
            return cmovebtn_->Menu();
        case kCsavebtn:
            return csavebtn_->Menu();
        default:
            return nullptr;
    }
}

void TForm8::Restore() {
    cleanstorage_ = std::make_unique<StoredOptions>(
        context_.platform.settings, context_.forms.main->Values().settingsPath, kCleanSection);
    StoredOptions& s = *cleanstorage_;
    options_->AddStoredEntries(s);
    MovablePanel& panel = destination_->Panel();
    s.AddInteger(
        "Destdirpanel.Left", [&panel] { return static_cast<std::int32_t>(panel.Position().x); },
        [&panel](const std::int32_t& v) { panel.MoveTo(v, panel.Position().y); });
    s.AddInteger(
        "Destdirpanel.Top", [&panel] { return static_cast<std::int32_t>(panel.Position().y); },
        [&panel](const std::int32_t& v) { panel.MoveTo(panel.Position().x, v); });
    DestinationPanel& d = *destination_;
    s.AddBool(
        "Alwayscheckbox.Checked", [&d] { return d.Always(); },
        [&d](const bool& v) { d.SetAlways(v); });
    s.AddText(
        "Destdiredit.Text", [&d] { return d.Destination(); },
        [&d](const std::string& v) { d.SetDestination(v); });
    options_->AddCombinationEntries(s);

    s.RestoreProperties();
    if (const std::optional<StoredPlacement> placement = s.RestorePlacement()) {
        showCmd_ = ApplyPlacement(Handle(), *placement);
    }
    options_->AfterRestore();

    for (int c = 0; c < kColumns; ++c) {
        const auto column = static_cast<std::size_t>(c);
        table_.SetColumnWidth(column, s.ReadInteger(ColumnKey(c), table_.ColumnAt(column).width));
    }
    const Settings settings(context_.platform.settings, context_.forms.main->Values().settingsPath);
    options_->SetMasks(LoadMaskList(settings));
}

void TForm8::Save() {
    StoredOptions& s = *cleanstorage_;
    s.SaveProperties();
    s.SavePlacement(PlacementOf(Handle()));
    for (int c = 0; c < kColumns; ++c) {
        s.WriteInteger(ColumnKey(c), table_.ColumnAt(static_cast<std::size_t>(c)).width);
    }
    Settings settings(context_.platform.settings, context_.forms.main->Values().settingsPath);
    SaveMaskList(settings, options_->Masks());
}

void TForm8::Layout() {
    if (!pages_) return;
    SendMessageW(stat2_, WM_SIZE, 0, 0);
    RECT client{};
    GetClientRect(Handle(), &client);
    RECT status{};
    GetWindowRect(stat2_, &status);
    const int bottom = client.bottom - (status.bottom - status.top);
    pages_->MoveTo({2, 2, client.right - 2, bottom - 2});
    if (cleangrid_) {
        const SIZE page = pages_->PageSize();
        const int top = kButtonTop + kButtonHeight + 6;
        MoveWindow(cleangrid_->Handle(), kMargin, top, page.cx - 2 * kMargin,
                   page.cy - top - kMargin, TRUE);
    }
}

void TForm8::OnShowing() {
    runner_.Stop();
    table_.SelectRow(0);
    cleangrid_->Refresh();
    pages_->SetActivePage(0);
    options_->Cleantree().CollapseAll();
    if (showCmd_ == SW_SHOWMAXIMIZED) ShowWindow(Handle(), SW_SHOWMAXIMIZED);
    showCmd_ = SW_SHOWNORMAL;
}

void TForm8::OnClosing() {
    // A running scan ends at its next entry and leaves the table alone.
    runner_.Stop();
    EndDrag(false);
    table_.Clear();
    cleangrid_->Refresh();
    destination_->Hide();
    try {
        Save();
    } catch (const SettingsWriteError& e) {
        // The window still closes; what could not be kept is said once.
        context_.platform.prompts.Error(e.what());
    }
}

void TForm8::CscanbtnClick() {
    DriveScan scan(context_.platform, runner_,
                   // The size and date controls may change while the scan runs.
                   [this](DriveScanCriteria& c) { return options_->RefreshLimits(c); });
    const DriveScanResult result = scan.Run(options_->Criteria(), table_);
    if (result.outcome == DriveScanOutcome::kFound) cleangrid_->Refresh();
    SetStatus(StatusTextOf(result));
}

void TForm8::SelectdirbtnClick() {
    const std::optional<PickedDirectory> picked = context_.forms.picker->Execute(Handle());
    if (picked && picked->path != "?") moves_->DirectoryChosen(picked->path);
}

void TForm8::OnCommand(int id, int code) {
    if (options_->OnCommand(id, code)) return;
    if (code != BN_CLICKED) return;  // menu commands come with the same code
    const bool recycle = context_.forms.general->RecycleOption();
    switch (id) {
        case kCscanbtn:
            CscanbtnClick();
            return;
        case kCstopbtn:
            runner_.Stop();
            return;
        case kSelectAll:
        case kUnselectAll: {
            const BusyCursor busy;
            if (id == kSelectAll) {
                cleangrid_->SelectAll();
            } else {
                cleangrid_->UnselectAll();
            }
            return;
        }
        case kDeleteSelected:
            actions_->DeleteSelected(recycle);
            break;
        case kDeleteChecked:
            actions_->DeleteChecked(recycle);
            break;
        case kDeleteAll:
            actions_->DeleteAll(recycle);
            break;
        case kMoveSelected:
            moves_->Move(PendingMove::kSelected);
            break;
        case kMoveChecked:
            moves_->Move(PendingMove::kChecked);
            break;
        case kSetDestination:
            moves_->EditDestination();
            return;
        case kSelectdirbtn:
            SelectdirbtnClick();
            return;
        case kOkmovebtn:
            moves_->Accept();
            break;
        case kCancelmovebtn:
            moves_->Cancel();
            return;
        case kSaveHtml:
            saver_->SaveHtml(table_);
            return;
        case kSaveText:
            saver_->SaveText(table_);
            return;
        default:
            return;
    }
    // The actions changed rows of the table.
    cleangrid_->Refresh();
}

void TForm8::BeginDrag() {
    dragging_ = true;
    SetCapture(Handle());
    SetCursor(LoadCursorW(nullptr, IDC_NO));
}

void TForm8::EndDrag(bool drop) {
    if (!dragging_) return;
    dragging_ = false;
    ReleaseCapture();
    POINT at{};
    GetCursorPos(&at);
    if (drop && options_->OverLocations(at)) options_->AddLocation();
}

void TForm8::SetStatus(const std::string& text) {
    SendMessageW(stat2_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
}

std::string TForm8::StatusText() const {
    const auto length = LOWORD(SendMessageW(stat2_, SB_GETTEXTLENGTHW, 0, 0));
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(stat2_, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return Narrow(text);
}

void TForm8::SetCaption(const std::string& text) {
    SetWindowTextW(Handle(), Widen(text).c_str());
}

void TForm8::SetBusy(bool busy, bool stoppable) {
    if (busy) {
        busy_.emplace();
    } else {
        busy_.reset();
    }
    if (stoppable) {
        EnableWindow(Control(kCscanbtn), busy ? FALSE : TRUE);
        EnableWindow(Control(kCstopbtn), busy ? TRUE : FALSE);
    }
}

LRESULT TForm8::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_SIZE:
            Layout();
            return 0;
        case WM_SETCURSOR:
            if (BusyCursor::Active() && LOWORD(lParam) == HTCLIENT) {
                SetCursor(BusyCursor::Hourglass());
                return TRUE;
            }
            break;
        case WM_MOUSEMOVE:
            if (dragging_) {
                POINT at{};
                GetCursorPos(&at);
                SetCursor(LoadCursorW(nullptr, options_->OverLocations(at) ? IDC_ARROW : IDC_NO));
                return 0;
            }
            break;
        case WM_LBUTTONUP:
            if (dragging_) {
                EndDrag(true);
                return 0;
            }
            break;
        case WM_CAPTURECHANGED:
            if (dragging_) dragging_ = false;
            break;
        default:
            break;
    }
    return Form::OnMessage(message, wParam, lParam);
}

}  // namespace sorvane
