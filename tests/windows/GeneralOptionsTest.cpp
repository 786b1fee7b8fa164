// General Options on real controls, clicked as a user would: what Apply, Cancel and Close do
// to the settings file, the Run entry and the application's tooltips.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "WindowTestSupport.h"
#include "win/app/MainSorv.h"
#include "win/settings/GeneralSorv.h"
#include "core/settings/RunEntry.h"
#include "win/widgets/Controls.h"

namespace sorvane::testing {
namespace {

constexpr char kIni[] = "C:\\Tools\\guest.INI";
constexpr char kProgram[] = "C:\\Tools\\Sorvane.exe";
// Quoted, so that a path with blanks cannot start another program.
constexpr char kRunValue[] = "\"C:\\Tools\\Sorvane.exe\"";
using Id = TForm2::ControlId;

// One section of a settings file's text, header included.
std::string SectionOf(const std::string& file, const std::string& name) {
    const std::size_t start = file.find("[" + name + "]\n");
    if (start == std::string::npos) return {};
    const std::size_t end = file.find("\n[", start);
    return file.substr(start, end == std::string::npos ? std::string::npos : end + 1 - start);
}

std::string GeneralSection(bool recycle, bool tips, bool startup, bool exit, bool drive, int color,
                           int seconds) {
    const auto b = [](bool v) { return v ? "1" : "0"; };
    return std::string("[Generaloptions]\n") + "Recyclebox_Checked=" + b(recycle) +
           "\nTooltipebox_Checked=" + b(tips) + "\nStartupbox_Checked=" + b(startup) +
           "\nSchedulebox_Checked=" + b(exit) + "\nDriveinfo_Checked=" + b(drive) +
           "\nTooltips_Color=" + std::to_string(color) +
           "\nTipsHintTime=" + std::to_string(seconds) + "\n";
}

class GeneralOptionsDialog : public ProgramWindows {
  protected:
    // Starts the program on a platform of the given name's family and opens the dialog.
    void Open(int platformId = platform_id::kWindows9x) {
        fake.system.SetPlatformId(platformId);
        Start();
        ShowDialog();
    }
    void ShowDialog() {
        Dialog().Show();
        PumpMessages();
    }
    TForm2& Dialog() { return *forms->Get().general; }
    HWND Item(Id id) { return Dialog().Control(id); }

    void Click(Id id) {
        SendMessageW(Item(id), BM_CLICK, 0, 0);
        PumpMessages();
    }
    bool IsChecked(Id id) { return SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool ApplyEnabled() { return IsWindowEnabled(Item(TForm2::kApplybtn)) != FALSE; }
    void MoveSlider(int position) {
        const HWND slider = Item(TForm2::kTipsslider);
        SendMessageW(slider, TBM_SETPOS, TRUE, position);
        for (const WPARAM code : {MAKEWPARAM(TB_THUMBTRACK, position), WPARAM{TB_ENDTRACK}}) {
            SendMessageW(Dialog().Handle(), WM_HSCROLL, code, reinterpret_cast<LPARAM>(slider));
        }
        PumpMessages();
    }
    void ChooseColor(const wchar_t* name) {
        const HWND box = Item(TForm2::kTooltipscolorbox);
        SendMessageW(box, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name));
        SendMessageW(Dialog().Handle(), WM_COMMAND,
                     MAKEWPARAM(TForm2::kTooltipscolorbox, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(box));
        PumpMessages();
    }
    std::string Seconds() { return WindowText(Item(TForm2::kSecondlabel)); }
    std::string General() { return SectionOf(fake.settings.FileText(kIni), "Generaloptions"); }
    std::optional<std::string> RunValue(const char* key = kWin9xRunKey) {
        return fake.registry.ReadString(key, "Sorvane");
    }
};

TEST_F(GeneralOptionsDialog, ShowsEveryControlInItsDesignStateWithTipsAndHelp) {
    fake.registry.AddKey(kWin9xRunKey);
    Open();
    EXPECT_EQ(WindowText(Dialog().Handle()), "Sorvane v2.03 - General Options");
    EXPECT_EQ(GetWindowLongPtrW(Dialog().Handle(), GWL_STYLE) & (WS_SYSMENU | WS_CAPTION),
              WS_CAPTION);
    struct Expected {
        Id id;
        const char* text;
        DWORD help;
    };
    for (const Expected& e : std::initializer_list<Expected>{
             {TForm2::kRecyclebox, "Delete Files To Recycle_Bin", 31},
             {TForm2::kStartupbox, "Start Sorvane When Windows Starts", 41},
             {TForm2::kSchedulebox, "On Startup, After Performing Scheduled Tasks, Exit", 51},
             {TForm2::kDriveinfobox,
              "Display Drive(s) Info When Mouse Is Over The Sorvane Tray Icon", 61},
             {TForm2::kGroupBox1, "Tooltips (Hints)", 16},
             {TForm2::kTooltipebox, "Show Tooltips", 71},
             {TForm2::kLabel1, "Tooltips Color:", 0},
             {TForm2::kTooltipscolorbox, "Yellow", 81},
             {TForm2::kLabel2, "Keep Tooltips Visible For:", 0},
             {TForm2::kTipsslider, "", 91},
             {TForm2::kSecondlabel, "3 Seconds", 0},
             {TForm2::kApplybtn, "&Apply", 101},
             {TForm2::kCancelbtn, "&Cancel", 111},
             {TForm2::kClosebtn, "Cl&ose", 16}}) {
        ASSERT_NE(Item(e.id), nullptr) << e.text;
        EXPECT_EQ(WindowText(Item(e.id)), e.text);
        EXPECT_EQ(GetWindowContextHelpId(Item(e.id)), e.help) << e.text;
    }
    EXPECT_TRUE(IsChecked(TForm2::kRecyclebox));
    EXPECT_FALSE(IsChecked(TForm2::kStartupbox));
    EXPECT_TRUE(IsChecked(TForm2::kTooltipebox));
    EXPECT_EQ(Dialog().Tipsslider().Position(), 3);
    EXPECT_EQ(SendMessageW(Item(TForm2::kTipsslider), TBM_GETRANGEMIN, 0, 0), 1);
    EXPECT_EQ(SendMessageW(Item(TForm2::kTipsslider), TBM_GETRANGEMAX, 0, 0), 10);
    EXPECT_FALSE(ApplyEnabled());
    EXPECT_FALSE(Dialog().OptionsModified());

    EXPECT_EQ(Dialog().TooltipOf(TForm2::kSchedulebox),
              "Cleanning of directories and/or checking shortcuts.");
    EXPECT_EQ(Dialog().TooltipOf(TForm2::kTooltipscolorbox),
              "Select a different color for tooltpis.");
    EXPECT_EQ(Dialog().TooltipOf(TForm2::kApplybtn), "Click to close and save the changes.");
    EXPECT_EQ(Dialog().TooltipOf(TForm2::kCancelbtn),
              "Click to cancel the changes.\r\nThis has no effect if you already clicked the "
              "apply button.");
    EXPECT_EQ(Dialog().TooltipOf(TForm2::kClosebtn), "Click to close.");

    // Top to bottom, and inside the window.
    RECT client{};
    GetClientRect(Dialog().Handle(), &client);
    int lastTop = -1;
    for (const Id id : {TForm2::kRecyclebox, TForm2::kStartupbox, TForm2::kSchedulebox,
                        TForm2::kDriveinfobox, TForm2::kGroupBox1, TForm2::kTooltipebox,
                        TForm2::kTooltipscolorbox, TForm2::kTipsslider, TForm2::kApplybtn}) {
        RECT r{};
        GetWindowRect(Item(id), &r);
        MapWindowPoints(nullptr, Dialog().Handle(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_GT(r.top, lastTop);
        EXPECT_LE(r.right, client.right);
        EXPECT_LE(r.bottom, client.bottom);
        lastTop = r.top;
    }
    // Nothing was applied, so nothing was written.
    EXPECT_FALSE(fake.settings.HasFile(kIni));
    EXPECT_EQ(app->Tooltips().color, 65535u);
    EXPECT_EQ(app->Tooltips().visibleMs, 3000u);
}

TEST_F(GeneralOptionsDialog, LoadsStoredOptionsAndAppliesTheTooltipsAtOnce) {
    fake.settings.SetFileText(kIni,
                              "[Generaloptions]\nTooltips_Color=255\nTipsHintTime=0x0A\n"
                              "Recyclebox_Checked=0\nSchedulebox_Checked=1\n");
    Open();
    EXPECT_EQ(Dialog().Tooltipscolorbox().ColorName(), "Red");
    EXPECT_EQ(app->Tooltips().color, 255u);
    EXPECT_EQ(app->Tooltips().visibleMs, 10000u);
    EXPECT_TRUE(app->Tooltips().show);
    EXPECT_EQ(Seconds(), "10 Seconds");
    EXPECT_FALSE(context->options.recycle);
    EXPECT_FALSE(IsChecked(TForm2::kRecyclebox));
    EXPECT_TRUE(context->options.exitAfterTasks);
    EXPECT_FALSE(context->options.driveInfo);
}

TEST_F(GeneralOptionsDialog, ColoursAreKeptAsTheirRedGreenBlueValue) {
    // A stored colour that is in no list stays as it is.
    fake.settings.SetFileText(kIni, "[Generaloptions]\nTooltips_Color=1193046\n");
    Open();
    EXPECT_EQ(Dialog().Tooltipscolorbox().ColorName(), "Custom");
    EXPECT_EQ(Dialog().Tooltipscolorbox().Color(), 1193046u);
    EXPECT_EQ(app->Tooltips().color, 1193046u);

    // A system colour is written as the colour it stands for.
    ChooseColor(L"Tooltip Background");
    Click(TForm2::kApplybtn);
    EXPECT_EQ(fake.settings.ReadString(kIni, "Generaloptions", "Tooltips_Color", ""),
              std::to_string(GetSysColor(COLOR_INFOBK)));
}

TEST_F(GeneralOptionsDialog, StartupBoxWritesAndRemovesTheRunValueOnlyWhenItMustChange) {
    fake.registry.AddKey(kWin9xRunKey);
    Open();
    Click(TForm2::kStartupbox);
    EXPECT_TRUE(ApplyEnabled());
    EXPECT_FALSE(RunValue());  // nothing before Apply
    Click(TForm2::kApplybtn);
    EXPECT_EQ(RunValue(), kRunValue);
    EXPECT_EQ(General(), GeneralSection(true, true, true, false, false, 65535, 3));
    EXPECT_FALSE(ApplyEnabled());
    EXPECT_FALSE(Dialog().OptionsModified());

    // Apply with the box ticked leaves this program's entry alone, quoted or not, and makes
    // one naming another copy name this one.
    fake.registry.SetValue(kWin9xRunKey, "Sorvane", kProgram);
    Click(TForm2::kApplybtn);
    EXPECT_EQ(RunValue(), kProgram);
    fake.registry.SetValue(kWin9xRunKey, "Sorvane", "D:\\Elsewhere.exe");
    Click(TForm2::kApplybtn);
    EXPECT_EQ(RunValue(), kRunValue);

    Click(TForm2::kStartupbox);
    Click(TForm2::kApplybtn);
    EXPECT_FALSE(RunValue());
    EXPECT_EQ(General(), GeneralSection(true, true, false, false, false, 65535, 3));
}

TEST_F(GeneralOptionsDialog, NtWritesUnderItsOwnRunKey) {
    fake.registry.AddKey(kWin9xRunKey);
    fake.registry.AddKey(kNtRunKey);
    Open(platform_id::kWindowsNt);
    Click(TForm2::kStartupbox);
    Click(TForm2::kApplybtn);
    EXPECT_EQ(RunValue(kNtRunKey), kRunValue);
    EXPECT_FALSE(RunValue(kWin9xRunKey));
}

TEST_F(GeneralOptionsDialog, WithoutAPlatformNameTheRegistryIsLeftAloneAndCancelKeepsTheBox) {
    fake.registry.AddKey(kWin9xRunKey);
    fake.registry.AddKey(kNtRunKey);
    Open(platform_id::kWin32s);
    Click(TForm2::kStartupbox);
    Click(TForm2::kApplybtn);
    EXPECT_FALSE(RunValue(kWin9xRunKey));
    EXPECT_FALSE(RunValue(kNtRunKey));
    EXPECT_EQ(General(), GeneralSection(true, true, true, false, false, 65535, 3));
    Click(TForm2::kCancelbtn);
    EXPECT_TRUE(IsChecked(TForm2::kStartupbox));
}

TEST_F(GeneralOptionsDialog, StoredStartupChoiceShowsUntilCancelAsksTheRegistry) {
    fake.registry.AddKey(kWin9xRunKey);
    fake.settings.SetFileText(kIni, "[Generaloptions]\nStartupbox_Checked=1\n");
    Open();
    EXPECT_TRUE(IsChecked(TForm2::kStartupbox));
    Click(TForm2::kCancelbtn);
    EXPECT_FALSE(IsChecked(TForm2::kStartupbox));
    Click(TForm2::kStartupbox);
    Click(TForm2::kApplybtn);
    EXPECT_EQ(RunValue(), kRunValue);

    // A Run key that cannot be opened: nothing written, nothing said, and Cancel unticks.
    fake.registry.RemoveKey(kWin9xRunKey);
    Click(TForm2::kApplybtn);
    Click(TForm2::kCancelbtn);
    EXPECT_FALSE(IsChecked(TForm2::kStartupbox));
    EXPECT_FALSE(fake.registry.KeyExists(kWin9xRunKey));
    EXPECT_TRUE(fake.prompts.Texts().empty());
}

TEST_F(GeneralOptionsDialog, SliderShowsSecondsAtOnceButTooltipsChangeOnlyOnApply) {
    Open();
    MoveSlider(7);
    EXPECT_EQ(Seconds(), "7 Seconds");
    EXPECT_TRUE(ApplyEnabled());
    EXPECT_EQ(app->Tooltips().visibleMs, 3000u);
    ChooseColor(L"Aqua");
    Click(TForm2::kTooltipebox);
    EXPECT_EQ(app->Tooltips().color, 65535u);
    EXPECT_TRUE(app->Tooltips().show);

    Click(TForm2::kApplybtn);
    EXPECT_EQ(app->Tooltips().visibleMs, 7000u);
    EXPECT_EQ(app->Tooltips().color, RGB(0, 255, 255));
    EXPECT_FALSE(app->Tooltips().show);
    EXPECT_EQ(General(), GeneralSection(true, false, false, false, false, 16776960, 7));

    // A drag that ends where it started changes nothing.
    MoveSlider(7);
    EXPECT_FALSE(ApplyEnabled());
}

TEST_F(GeneralOptionsDialog, CancelRestoresTheLastApply) {
    fake.registry.AddKey(kWin9xRunKey);
    Open();
    Click(TForm2::kSchedulebox);
    Click(TForm2::kRecyclebox);
    MoveSlider(5);
    Click(TForm2::kApplybtn);
    EXPECT_TRUE(context->options.exitAfterTasks);
    EXPECT_FALSE(context->options.recycle);

    Click(TForm2::kSchedulebox);
    Click(TForm2::kDriveinfobox);
    ChooseColor(L"Lime");
    MoveSlider(9);
    Click(TForm2::kCancelbtn);
    EXPECT_TRUE(IsChecked(TForm2::kSchedulebox));
    EXPECT_FALSE(IsChecked(TForm2::kRecyclebox));
    EXPECT_FALSE(IsChecked(TForm2::kDriveinfobox));
    EXPECT_EQ(Dialog().Tooltipscolorbox().ColorName(), "Yellow");
    EXPECT_EQ(Dialog().Tipsslider().Position(), 5);
    EXPECT_EQ(Seconds(), "5 Seconds");
    EXPECT_FALSE(ApplyEnabled());
    EXPECT_TRUE(context->options.exitAfterTasks);
    EXPECT_FALSE(context->options.driveInfo);
}

TEST_F(GeneralOptionsDialog, CloseAsksOnlyWithPendingChangesAndSavesOnYes) {
    Open();
    Click(TForm2::kClosebtn);
    EXPECT_FALSE(Dialog().Visible());
    EXPECT_TRUE(fake.prompts.Questions().empty());

    // No: the controls go back before hiding, so the next showing has the applied state.
    ShowDialog();
    Click(TForm2::kDriveinfobox);
    fake.prompts.QueueAnswers({false});
    Click(TForm2::kClosebtn);
    EXPECT_EQ(fake.prompts.Questions(), std::vector<std::string>{"Save changes before exiting?"});
    EXPECT_FALSE(Dialog().Visible());
    ShowDialog();
    EXPECT_FALSE(IsChecked(TForm2::kDriveinfobox));
    EXPECT_FALSE(ApplyEnabled());
    EXPECT_FALSE(fake.settings.HasFile(kIni));

    Click(TForm2::kDriveinfobox);
    fake.prompts.QueueAnswers({true});
    Click(TForm2::kClosebtn);
    EXPECT_FALSE(Dialog().Visible());
    EXPECT_TRUE(context->options.driveInfo);
    EXPECT_EQ(General(), GeneralSection(true, true, false, false, true, 65535, 3));
}

TEST_F(GeneralOptionsDialog, ARefusedSettingsWriteIsReportedAfterRegistryAndTooltips) {
    fake.registry.AddKey(kWin9xRunKey);
    Open();
    fake.settings.SetReadOnly(kIni);
    Click(TForm2::kStartupbox);
    MoveSlider(4);
    Click(TForm2::kApplybtn);
    EXPECT_EQ(fake.prompts.Errors(),
              std::vector<std::string>{"Unable to write to C:\\Tools\\guest.INI"});
    EXPECT_EQ(RunValue(), kRunValue);
    EXPECT_EQ(app->Tooltips().visibleMs, 4000u);
    // Still modified, so the user can try again.
    EXPECT_TRUE(ApplyEnabled());

    // Closing with Yes fails the same way and leaves the dialog open.
    fake.prompts.QueueAnswers({true});
    Click(TForm2::kClosebtn);
    EXPECT_TRUE(Dialog().Visible());
    EXPECT_EQ(fake.prompts.Errors().size(), 2u);
}

}  // namespace
}  // namespace sorvane::testing
