#include "win/app/MainSorv.h"

#include "core/app/DriveInfo.h"
#include "core/app/PowerActions.h"
#include "resource.h"
#include "win/app/MenuIds.h"
#include "win/utils/Controls.h"

namespace sorvane {

namespace {

constexpr DWORD kStyle = WS_POPUP;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;

HICON TrayIconImage() {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_SORVANE),
                                         IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                         GetSystemMetrics(SM_CYSMICON), LR_SHARED));
}

}  // namespace

TForm1::TForm1(AppContext& context, TrayTools& tools) : Form(context, L"TForm1"), tools_(tools) {
    CreateForm(kAppTitle, kStyle, kExStyle, {258, 81});

    Platform& platform = context.platform;
    context.values = ComputeSharedValues(platform.system, platform.registry, platform.fs);
    const SharedValues& values = context.values;
    context.SetOptions(context.options);  // until General Options reads the stored ones

    BuildMenu();
    for (const int id : {menu::kShutDown2, menu::kLogOff1, menu::kReboot1, menu::kExitToDos1,
                         menu::kSetEditOptions1, menu::kCleanSelectedDirectoriesNow1, menu::kClean1,
                         menu::kFindDuplicateFiles1, menu::kCheckShortcuts1, menu::kCleaningHistory1,
                         menu::kGeneralOptions1,
                         menu::kHelp1, menu::kAbout1, menu::kExit1}) {
        On().Command(id, [this, id] { Command(id); });
    }
    if (platform.fs.FileExists(values.windowsDir + "\\" + kExitToDosFile)) {
        EnableItem(mainpopup_.get(), menu::kExitToDos1, true);
    }
    if (platform.fs.FileExists(values.programDir + kHelpFile)) {
        context.app.SetHelpFile(values.programDir + kHelpFile);
    }
    MoveTo(1, 1);
    driveInfoShown_ = false;

    screwPanel1_ = std::make_unique<ScrewPanel>(Handle(), ScrewPanel::Style{RGB(255, 255, 255)});
    drilabel_ = MakeLabel(screwPanel1_->Handle(), "Available Drives", 24, 16);

    trayicon_ = std::make_unique<TrayIcon>(
        TrayIconImage(), kAppTitle,
        TrayIcon::Events{[this](MouseButton b) { TrayiconClick(b); },
                         [this] { TrayiconMouseEnter(); }, [this] { TrayiconMouseExit(); }});
    context.trayNotice = [this](const std::string& text) {
        trayicon_->ShowBalloon(kAppTitle, text);
    };
}

TForm1::~TForm1() {
    Context().trayNotice = nullptr;
}

void TForm1::BuildMenu() {
    mainpopup_ = MakePopupMenu();
    HMENU m = mainpopup_.get();

    UniqueMenu shutDown = MakePopupMenu();
    AppendItem(shutDown.get(), menu::kShutDown2, "Shut Down");
    AppendItem(shutDown.get(), menu::kLogOff1, "Log Off");
    AppendItem(shutDown.get(), menu::kReboot1, "Reboot");
    AppendItem(shutDown.get(), menu::kExitToDos1, "Exit To Dos", false);
    AppendSubmenu(m, std::move(shutDown), "Shut Down");
    AppendSeparator(m);

    UniqueMenu directories = MakePopupMenu();
    AppendItem(directories.get(), menu::kSetEditOptions1, "Set/Edit Options");
    AppendItem(directories.get(), menu::kCleanSelectedDirectoriesNow1,
               "Clean Selected Directories Now");
    AppendSubmenu(m, std::move(directories), "Clean Directories");
    AppendItem(m, menu::kClean1, "Clean Drive(s)");
    AppendItem(m, menu::kFindDuplicateFiles1, "Find Duplicate Files");
    AppendItem(m, menu::kCheckShortcuts1, "Check Shortcuts");
    AppendItem(m, menu::kCleaningHistory1, "Cleaning History");
    AppendSeparator(m);
    AppendItem(m, menu::kGeneralOptions1, "General Options");
    AppendItem(m, menu::kHelp1, "Help");
    AppendSeparator(m);
    AppendItem(m, menu::kAbout1, "About");
    AppendItem(m, menu::kExit1, "Exit");
}

void TForm1::ShowDriveInfo() {
    SetAutoSizeText(drilabel_, "");
    driveInfoShown_ = false;
    const std::string text = BuildDriveInfoText(Context().platform.drives);
    if (text.empty()) return;
    SetAutoSizeText(drilabel_, text);
    RECT label{};
    GetWindowRect(drilabel_, &label);
    // No border: the client area is the whole window.
    SetWindowPos(Handle(), HWND_TOPMOST, 1, 1, label.right - label.left + Scaled(80),
                 label.bottom - label.top + Scaled(40), SWP_NOACTIVATE | SWP_SHOWWINDOW);
    screwPanel1_->FillParent();
    driveInfoShown_ = true;
}

void TForm1::HideDriveInfo() {
    Hide();
    driveInfoShown_ = false;
}

void TForm1::TrayiconClick(MouseButton button) {
    if (button == MouseButton::kMiddle) return;
    if (driveInfoShown_) HideDriveInfo();
    TrayIcon::ShowMenuAtPointer(mainpopup_.get(), Handle(),
                                [this] { Context().platform.pump.ProcessPending(); });
}

void TForm1::TrayiconMouseEnter() {
    if (Context().options.driveInfo) ShowDriveInfo();
}

void TForm1::TrayiconMouseExit() {
    if (driveInfoShown_) HideDriveInfo();
}

void TForm1::ShowTool(ToolWindow tool) {
    const auto found = tools_.windows.find(tool);
    if (found != tools_.windows.end() && found->second != nullptr) found->second->Show();
}

void TForm1::Command(int id) {
    Platform& platform = Services();
    const SharedValues& values = Context().values;
    switch (id) {
        case menu::kShutDown2:
        case menu::kLogOff1:
        case menu::kReboot1: {
            const PowerAction action = id == menu::kShutDown2 ? PowerAction::kShutDown
                                       : id == menu::kLogOff1 ? PowerAction::kLogOff
                                                              : PowerAction::kReboot;
            if (RunPowerAction(action, platform.prompts, platform.system) ==
                PowerOutcome::kAccepted) {
                Context().app.Terminate();
            }
            break;
        }
        case menu::kExitToDos1:
            if (RunExitToDos(platform, values.windowsDir)) Context().app.Terminate();
            break;
        case menu::kSetEditOptions1:
            ShowTool(ToolWindow::kDirectories);
            break;
        case menu::kCleanSelectedDirectoriesNow1:
            if (tools_.cleanSelectedDirectoriesNow) tools_.cleanSelectedDirectoriesNow();
            break;
        case menu::kClean1:
            ShowTool(ToolWindow::kDriveClean);
            break;
        case menu::kFindDuplicateFiles1:
            ShowTool(ToolWindow::kDuplicates);
            break;
        case menu::kCheckShortcuts1:
            ShowTool(ToolWindow::kShortcuts);
            break;
        case menu::kCleaningHistory1:
            ShowTool(ToolWindow::kHistory);
            break;
        case menu::kGeneralOptions1:
            ShowTool(ToolWindow::kGeneral);
            break;
        case menu::kHelp1:
            OpenHelp(platform, values.programDir, [this](const std::string& file) {
                return Context().app.HelpViewer().ShowContents(nullptr, file);
            });
            break;
        case menu::kAbout1:
            ShowTool(ToolWindow::kAbout);
            break;
        case menu::kExit1:
            Context().app.Terminate();
            break;
        default:
            break;
    }
}

}  // namespace sorvane
