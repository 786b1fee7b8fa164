#include "win/app/MainSorv.h"

#include "core/app/DriveInfo.h"
#include "win/app/MenuIds.h"
#include "core/app/PowerActions.h"
#include "win/dialogs/AboutSorv.h"
#include "win/dirclean/Mfolders.h"
#include "win/driveclean/CleanDriSorv.h"
#include "win/duplicates/FinddupSorv.h"
#include "resource.h"
#include "win/settings/GeneralSorv.h"
#include "win/shortcuts/ShortcutSorv.h"
#include "win/widgets/Controls.h"

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

TForm1::TForm1(AppContext& context) : Form(context.app, L"TForm1"), context_(context) {
    CreateForm(kAppTitle, kStyle, kExStyle, {258, 81});

    Platform& platform = context.platform;
    values_ = ComputeSharedValues(platform.system, platform.registry);

    BuildMenu();
    if (platform.fs.FileExists(values_.windowsDir + "\\" + kExitToDosFile)) {
        EnableItem(mainpopup_.get(), menu::kExitToDos1, true);
    }
    if (platform.fs.FileExists(values_.programDir + kHelpFile)) {
        context.app.SetHelpFile(values_.programDir + kHelpFile);
    }
    MoveTo(1, 1);
    driveInfoShown_ = false;

    screwPanel1_ = std::make_unique<ScrewPanel>(Handle(), ScrewPanel::Style{RGB(255, 255, 255)});
    drilabel_ = MakeLabel(screwPanel1_->Handle(), "Available Drives", 24, 16);

    trayicon_ = std::make_unique<TrayIcon>(
        TrayIconImage(), kAppTitle,
        TrayIcon::Events{[this](MouseButton b) { TrayiconClick(b); },
                         [this] { TrayiconMouseEnter(); }, [this] { TrayiconMouseExit(); }});
}

TForm1::~TForm1() = default;

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
    const std::string text = BuildDriveInfoText(context_.platform.drives);
    if (text.empty()) return;
    SetAutoSizeText(drilabel_, text);
    RECT label{};
    GetWindowRect(drilabel_, &label);
    // No border: the client area is the whole window.
    SetWindowPos(Handle(), HWND_TOPMOST, 1, 1, label.right - label.left + 80,
                 label.bottom - label.top + 40, SWP_NOACTIVATE | SWP_SHOWWINDOW);
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
                                [this] { context_.platform.pump.ProcessPending(); });
}

void TForm1::TrayiconMouseEnter() {
    if (context_.forms.general->DriveInfoOption()) ShowDriveInfo();
}

void TForm1::TrayiconMouseExit() {
    if (driveInfoShown_) HideDriveInfo();
}

void TForm1::Command(int id) {
    Forms& forms = context_.forms;
    Platform& platform = context_.platform;
    switch (id) {
        case menu::kShutDown2:
        case menu::kLogOff1:
        case menu::kReboot1: {
            const PowerAction action = id == menu::kShutDown2 ? PowerAction::kShutDown
                                       : id == menu::kLogOff1 ? PowerAction::kLogOff
                                                              : PowerAction::kReboot;
            if (RunPowerAction(action, platform.prompts, platform.system) ==
                PowerOutcome::kAccepted) {
                context_.app.Terminate();
            }
            break;
        }
        case menu::kExitToDos1:
            if (RunExitToDos(platform, values_.windowsDir)) context_.app.Terminate();
            break;
        case menu::kSetEditOptions1:
            forms.directories->Show();
            break;
        case menu::kCleanSelectedDirectoriesNow1:
            if (forms.directories->WindowShown()) {
                forms.directories->CleanAll();
            } else {
                forms.directories->RunUnattendedClean();
            }
            break;
        case menu::kClean1:
            forms.driveClean->Show();
            break;
        case menu::kFindDuplicateFiles1:
            forms.duplicates->Show();
            break;
        case menu::kCheckShortcuts1:
            forms.shortcuts->Show();
            break;
        case menu::kGeneralOptions1:
            forms.general->Show();
            break;
        case menu::kHelp1:
            OpenHelp(platform, values_.programDir);
            break;
        case menu::kAbout1:
            forms.about->Show();
            break;
        case menu::kExit1:
            context_.app.Terminate();
            break;
        default:
            break;
    }
}

LRESULT TForm1::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == 0 && lParam == 0) {
        Command(LOWORD(wParam));
        return 0;
    }
    return Form::OnMessage(message, wParam, lParam);
}

}  // namespace sorvane
