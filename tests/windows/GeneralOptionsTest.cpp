// General Options on real controls, clicked as a user would: what Apply, Cancel and Close do
// to the settings file, the Run entry and the application's tooltips.

#include "WindowTestSupport.h"
#include "core/settings/RunEntry.h"

namespace sorvane::testing {
namespace {

// Quoted, so that a path with blanks cannot start another program.
constexpr char kRunValue[] = "\"C:\\Tools\\Sorvane.exe\"";

// `boxes`: recycle, tooltips, startup, exit after tasks and drive info, each 0 or 1.
std::string GeneralSection(const char* boxes, int color, int seconds,
                           const char* history = "1\nHistory_Days=90\nHistory_MB=20") {
    std::string s = "[Generaloptions]\n";
    for (const char* box : {"Recyclebox", "Tooltipebox", "Startupbox", "Schedulebox", "Driveinfo"})
        s += std::string(box) + "_Checked=" + *boxes++ + "\n";
    return s + "Tooltips_Color=" + std::to_string(color) +
           "\nTipsHintTime=" + std::to_string(seconds) + "\nHistory_Checked=" + history + "\n";
}

class GeneralOptionsDialog : public OneWindow<TForm2> {
  protected:
    // Opens the dialog in a program on Windows 9x, where the Run key is there.
    void OpenOn() {
        fake.system.SetPlatformId(platform_id::kWindows9x);
        fake.registry.AddKey(kWin9xRunKey);
        Open();
    }
    bool ApplyEnabled() { return IsWindowEnabled(Item(TForm2::kApplybtn)) != FALSE; }
    void ChooseColor(const wchar_t* name) {
        const HWND box = Item(TForm2::kTooltipscolorbox);
        SendMessageW(box, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name));
        SendMessageW(Form().Handle(), WM_COMMAND,
                     MAKEWPARAM(TForm2::kTooltipscolorbox, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(box));
        PumpMessages();
    }
    std::string Seconds() { return WindowText(Item(TForm2::kSecondlabel)); }
    std::optional<std::string> RunValue() {
        return fake.registry.ReadString(kWin9xRunKey, "Sorvane");
    }
    // The application's tooltips: how long they show, their colour and whether they show.
    auto Tips() {
        return std::tuple(app->Tooltips().visibleMs, app->Tooltips().color, app->Tooltips().show);
    }
};

// From its design state: the seconds show at once, the rest only on Apply, the Run value only
// when it must; a refused write is said after the registry and tooltips took the change.
TEST_F(GeneralOptionsDialog, FromTheDesignStateApplyWritesTheRunValueTheFileAndTheTooltips) {
    OpenOn();
    EXPECT_FALSE(ApplyEnabled());
    EXPECT_FALSE(fake.settings.HasFile(kIni));
    ClickItem(TForm2::kStartupbox);
    EXPECT_TRUE(ApplyEnabled());
    MoveSlider(TForm2::kTipsslider, 7);
    EXPECT_EQ(Seconds(), "7 Seconds");
    ChooseColor(L"Aqua");
    for (const auto id : {TForm2::kTooltipebox, TForm2::kHistorybox}) ClickItem(id);
    SetWindowTextW(Item(TForm2::kHistoryDays), L"30");
    SetWindowTextW(Item(TForm2::kHistoryMegabytes), L"99999");  // past the most: 1024
    EXPECT_FALSE(RunValue());
    EXPECT_EQ(Tips(), std::tuple(3000u, 65535u, true));

    ClickItem(TForm2::kApplybtn);
    EXPECT_EQ(RunValue(), kRunValue);
    EXPECT_EQ(Ini(), GeneralSection("10100", 16776960, 7, "0\nHistory_Days=30\nHistory_MB=1024"));
    EXPECT_FALSE(context->history.Enabled());
    EXPECT_EQ(Tips(), std::tuple(7000u, RGB(0, 255, 255), false));
    EXPECT_FALSE(ApplyEnabled());

    // A system colour is written as the colour it stands for.
    ClickItem(TForm2::kStartupbox);
    ChooseColor(L"Tooltip Background");
    ClickItem(TForm2::kApplybtn);
    EXPECT_FALSE(RunValue());
    EXPECT_EQ(fake.settings.ReadString(kIni, "Generaloptions", "Tooltips_Color", ""),
              std::to_string(GetSysColor(COLOR_INFOBK)));

    fake.settings.SetReadOnly(kIni);
    ClickItem(TForm2::kStartupbox);
    MoveSlider(TForm2::kTipsslider, 4);
    ClickItem(TForm2::kApplybtn);
    EXPECT_THAT(fake.prompts.Errors(), ElementsAre("Unable to write to C:\\Tools\\guest.INI"));
    EXPECT_EQ(RunValue(), kRunValue);
    EXPECT_EQ(app->Tooltips().visibleMs, 4000u);
    EXPECT_TRUE(ApplyEnabled());  // still modified, so the user can try again
    // Closing with Yes fails the same way and leaves the dialog open.
    fake.prompts.QueueAnswers({true});
    ClickItem(TForm2::kClosebtn);
    EXPECT_TRUE(Form().Visible());
    EXPECT_EQ(fake.prompts.Errors().size(), 2u);
}

TEST_F(GeneralOptionsDialog, StoredOptionsShowAndApplyAtOnceTheStartupBoxUntilCancel) {
    fake.settings.SetFileText(kIni,
                              "[Generaloptions]\nTooltips_Color=255\nTipsHintTime=0x0A\n"
                              "Recyclebox_Checked=0\nStartupbox_Checked=1\n");
    OpenOn();
    EXPECT_EQ(Form().Tooltipscolorbox().ColorName(), "Red");
    EXPECT_EQ(Tips(), std::tuple(10000u, 255u, true));
    EXPECT_FALSE(ItemChecked(TForm2::kRecyclebox));
    // The stored startup choice shows until Cancel asks the registry.
    EXPECT_TRUE(ItemChecked(TForm2::kStartupbox));
    ClickItem(TForm2::kCancelbtn);
    EXPECT_FALSE(ItemChecked(TForm2::kStartupbox));
    ClickItem(TForm2::kStartupbox);
    ClickItem(TForm2::kApplybtn);
    EXPECT_EQ(RunValue(), kRunValue);
}

// Cancel, and Close answered No, put back the last Apply; Close asks only with changes pending
// and saves on Yes.
TEST_F(GeneralOptionsDialog, CancelAndCloseWithNoRestoreTheLastApplyCloseWithYesSaves) {
    OpenOn();
    ClickItem(TForm2::kClosebtn);
    EXPECT_FALSE(Form().Visible());
    EXPECT_TRUE(fake.prompts.Questions().empty());
    Open();
    for (const auto id : {TForm2::kSchedulebox, TForm2::kRecyclebox}) ClickItem(id);
    MoveSlider(TForm2::kTipsslider, 5);
    ClickItem(TForm2::kApplybtn);
    EXPECT_TRUE(context->options.exitAfterTasks);
    EXPECT_FALSE(context->options.recycle);
    const std::string applied = Ini();

    for (const auto id : {TForm2::kSchedulebox, TForm2::kDriveinfobox}) ClickItem(id);
    ChooseColor(L"Lime");
    MoveSlider(TForm2::kTipsslider, 9);
    ClickItem(TForm2::kCancelbtn);
    EXPECT_THAT(Checks({TForm2::kSchedulebox, TForm2::kRecyclebox, TForm2::kDriveinfobox}),
                ElementsAre(true, false, false));
    EXPECT_EQ(Form().Tooltipscolorbox().ColorName(), "Yellow");
    EXPECT_EQ(Form().Tipsslider().Position(), 5);
    EXPECT_FALSE(ApplyEnabled());
    EXPECT_TRUE(context->options.exitAfterTasks);

    // No: the controls go back before hiding, so the next showing has the applied state.
    ClickItem(TForm2::kDriveinfobox);
    fake.prompts.QueueAnswers({false});
    ClickItem(TForm2::kClosebtn);
    EXPECT_EQ(fake.prompts.Questions(), std::vector<std::string>{"Save changes before exiting?"});
    EXPECT_FALSE(Form().Visible());
    Open();
    EXPECT_FALSE(ItemChecked(TForm2::kDriveinfobox));
    EXPECT_FALSE(ApplyEnabled());
    EXPECT_EQ(Ini(), applied);

    ClickItem(TForm2::kDriveinfobox);
    fake.prompts.QueueAnswers({true});
    ClickItem(TForm2::kClosebtn);
    EXPECT_FALSE(Form().Visible());
    EXPECT_TRUE(context->options.driveInfo);
    EXPECT_EQ(Ini(), GeneralSection("01011", 65535, 5));
}

}  // namespace
}  // namespace sorvane::testing
