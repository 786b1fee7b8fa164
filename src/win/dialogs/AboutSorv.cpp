#include "win/dialogs/AboutSorv.h"

#include "core/app/HelpTopics.h"
#include "win/utils/Controls.h"
#include "win/widgets/AnchorLayout.h"

namespace sorvane {

namespace {
constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;
constexpr SIZE kDesignClient = {427, 145};
// A few lines and two links: on a large screen the box grows by half at most, with its
// content in the middle.
constexpr int kMostGrowth = 150;
}  // namespace

TForm4::TForm4(AppContext& context) : Form(context, L"TForm4") {
    const Size outer = OuterForClient(kDesignClient.cx, kDesignClient.cy, kStyle, kExStyle);
    CreateForm("About Sorvane v2.03", kStyle, kExStyle, outer);
    KeepClientWithin(Handle(), {outer.width, outer.height}, kMostGrowth);
    ApplyHelpTopics(help::kOverview);
    panel_ = std::make_unique<ScrewPanel>(
        Handle(), ScrewPanel::Style{GetSysColor(COLOR_BTNFACE), true, 2, 4});
    const HWND panel = panel_->Handle();
    MakeLabel(panel, std::string("Author: ") + kAuthorName, 24, 24);
    MakeLabel(panel, "Name: Sorvane", 24, 40);
    MakeLabel(panel, kAuthorStatus, 24, 56);
    MakeLabel(panel, "Version: 2.03", 24, 72);
    emailpanel_ = std::make_unique<ArrowLabel>(panel, "Click Here To Send Me An Email",
                                               Bounds(160, 24, 233, 25), kEmailpanel);
    urlpanel_ = std::make_unique<ArrowLabel>(panel, "Click Here To Visit My Homepage",
                                             Bounds(160, 56, 233, 25), kUrlpanel);
    MakeButton(panel, "&Close", Bounds(176, 104, 75, 25), kButton1);
    AnchorLayout layout(kDesignClient);
    layout.AddChildren(panel, follow::kCentre);
    layout.Apply(ClientRoom(Handle()));
    Tips().Add(emailpanel_->Handle(), kAuthorEmail);
    Tips().Add(urlpanel_->Handle(), kHomePage);
    On().Command(kEmailpanel, [this] { EmailpanelClick(); });
    On().Command(kUrlpanel, [this] { UrlpanelClick(); });
    On().Command(kButton1, [this] { Close(); });
    On().Command(IDCANCEL, [this] { Close(); });
}

void TForm4::OnShowing() {
    // Centred on the screen every time it is shown.
    CenterOnScreen();
}

void TForm4::EmailpanelClick() {
    Context().platform.shell.RunDocument(std::string("mailto:") + kAuthorEmail, "", "",
                                         kShowNoActivate);
    Close();
}

void TForm4::UrlpanelClick() {
    Context().platform.shell.RunDocument(kHomePage, "", "", kShowNoActivate);
    Close();
}

}  // namespace sorvane
