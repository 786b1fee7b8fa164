#pragma once
// Check Shortcuts: dead shortcuts and empty directories in the Start Menu and on the Desktop,
// found by a scan and deleted from the list, with the options and exclusion lists kept in the
// settings file. With "Scan Startmenu And Desktop Everytime Sorvane Starts" on, the window's
// creation scans under the progress window and deletes what it found.
#include <memory>
#include <string>
#include <vector>

#include "core/app/PassRunner.h"
#include "core/shortcuts/ShortcutOptions.h"
#include "win/framework/AppContext.h"
#include "win/framework/ToolForm.h"
#include "win/results/ListPane.h"
#include "win/widgets/AnchorLayout.h"
#include "win/widgets/KeyHook.h"
#include "win/widgets/SaveDialog.h"

namespace sorvane {

class TForm3 : public ToolForm {
  public:
    enum ControlId {
        kScanbtn = 301,
        kStopshortbtn,
        kDelbtn,
        kStartmenubox,
        kDesktopbox,
        kEmptydirbox,
        kDiscardGroup,
        kFloppybox,
        kCdbox,
        kNetbox,
        kExcludeLabel,
        kExcludescan,
        kAdddirbit,
        kRemovedirbit,
        kLinkLabel,
        kLinkexclude,
        kAddlinkbit,
        kRemovelinkbit,
        kShortcutcheckbox,
        kAskcheckbox,
        kShortcutlistbox,
        kStat1,
        kSelected1,
        kAll1,
        kProperties1,
    };

    explicit TForm3(AppContext& context);

    HWND Control(int id) const { return GetDlgItem(Handle(), id); }
    const std::vector<DeadItem>& Items() const { return items_; }
    std::vector<std::string> ListTexts() const { return list_->Texts(); }
    std::string TooltipOf(int id) { return Tips().TextOf(Control(id)); }
    // Tests answer the shortcut file dialog; null puts the platform's dialog back.
    void UseChooser(IFileChooser* chooser) { chooser_ = chooser ? chooser : &winChooser_; }

  protected:
    void OnShown() override;
    void OnLayout(SIZE room) override { layout_.Apply(room); }
    void OnClose() override;
    void SaveSettings() override;

  private:
    void CreateControls();
    Settings Store();
    bool Checked(int id) const;
    void SetChecked(int id, bool checked);

    void LoadOptions();
    ShortcutScanOptions ScanOptionsOfControls() const;

    void ScanbtnClick();
    // The scan itself; `showFile` shows each file in the progress window during start-up.
    void Scan(const std::function<void(const std::string&)>& showFile);
    void StartupScan();
    void DeleteItems(bool selectedOnly);
    void Properties1Click();
    void AdddirbitClick();
    void AddlinkbitClick();
    void RemoveListItem(int listId);
    void ShowItems();

    std::unique_ptr<ListPane> list_;
    std::unique_ptr<KeyHook> keys_;
    WinFileChooser winChooser_;
    IFileChooser* chooser_ = &winChooser_;
    AnchorLayout layout_;

    std::vector<DeadItem> items_;
};

}  // namespace sorvane
