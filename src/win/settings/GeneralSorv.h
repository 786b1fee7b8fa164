#pragma once
// General Options: the options that belong to no single tool. Its applied values are what the
// other windows read: recycle or delete for good, the exit question after start-up, the drive
// pop-up. The tooltip options it applies belong to the application. Changes take effect only
// through Apply; Cancel puts the controls back; Close offers to save pending changes.
#include <memory>
#include <string>

#include "win/framework/AppContext.h"
#include "win/framework/Form.h"
#include "core/settings/GeneralOptions.h"
#include "core/settings/RunEntry.h"
#include "win/widgets/ColorBox.h"
#include "win/widgets/Slider.h"

namespace sorvane {

class TForm2 : public Form {
  public:
    enum ControlId {
        kRecyclebox = 2001,
        kStartupbox,
        kSchedulebox,
        kDriveinfobox,
        kGroupBox1,
        kTooltipebox,
        kLabel1,
        kTooltipscolorbox,
        kLabel2,
        kTipsslider,
        kSecondlabel,
        kApplybtn,
        kCancelbtn,
        kClosebtn,
        kHistoryGroup,
        kHistorybox,
        kHistoryDaysLabel,
        kHistoryDays,
        kHistorySizeLabel,
        kHistoryMegabytes,
    };

    explicit TForm2(AppContext& context);

    HWND Control(ControlId id) const { return GetDlgItem(Handle(), id); }
    std::string TooltipOf(ControlId id) { return Tips().TextOf(Control(id)); }
    const ColorBox& Tooltipscolorbox() const { return *tooltipscolorbox_; }
    const Slider& Tipsslider() const { return *tipsslider_; }

  protected:
    void OnShowing() override;
    void OnClosing() override;

  private:
    void CreateControls();
    void ShowHistoryOptions(const HistoryOptions& history);
    HistoryOptions HistoryOptionsOfControls() const;
    void Load();
    // Applies the controls' tooltip options to the whole application.
    void ApplyTooltipOptions();
    void ShowSeconds();
    void OptionChanged();
    void TipssliderChange();
    void ApplybtnClick();
    void CancelbtnClick();
    RunEntry StartEntry();

    bool Checked(ControlId id) const;
    void SetChecked(ControlId id, bool checked);

    GeneralOptions applied_;
    bool optionsModified_ = false;
    int shownSeconds_ = 0;
    bool loading_ = false;  // the program is filling the history edits itself
    std::unique_ptr<ColorBox> tooltipscolorbox_;
    std::unique_ptr<Slider> tipsslider_;
};

}  // namespace sorvane
