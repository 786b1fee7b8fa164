#pragma once
// The first page of Clean Drive(s), "Step1 Set/Edit Scanning Options": where to scan and the
// mask, size, date and attribute criteria, combined with AND or OR. It turns its controls into
// the criteria of a scan and keeps them in the window's stored-options set.
#include <windows.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/driveclean/DriveScanCriteria.h"
#include "core/platform/Platform.h"
#include "core/settings/StoredOptions.h"
#include "win/driveclean/CleanDriIds.h"
#include "win/framework/Form.h"
#include "win/utils/Tooltip.h"
#include "win/widgets/AnchorLayout.h"
#include "win/widgets/CheckGroupBox.h"
#include "win/widgets/CheckList.h"
#include "win/widgets/DirectoryTree.h"
#include "win/widgets/KeyHook.h"
#include "win/widgets/SpinEdit.h"

namespace sorvane {

class ScanOptionsPage {
  public:
    // Builds the page's controls on `page` and registers their commands with `form`.
    ScanOptionsPage(Form& form, HWND page, Tooltip& tips,
                    std::function<void(const std::string&)> beginDrag);

    // The control of that number; for a check-box group, its title check box.
    HWND Control(cleandri::ControlId id) const;
    DirectoryTree& Cleantree() { return *cleantree_; }
    CheckList& Masklistbox() { return *masklistbox_; }

    // "Adddrivebtn": the tree's selected directory joins the scan locations.
    void AddLocation();

    std::vector<std::string> Locations() const;
    void SetLocations(const std::vector<std::string>& locations);
    std::vector<ScanMask> Masks() const;
    void SetMasks(const std::vector<ScanMask>& masks);

    // Everything a scan starts from.
    DriveScanCriteria Criteria() const;
    // Copies the size and date controls into `criteria`; true when any of them changed.
    bool RefreshLimits(DriveScanCriteria& criteria) const;

    // Register the page's controls with the window's stored-options set: the locations and
    // criteria, and (after the window's own entries) the AND and OR boxes.
    void AddStoredEntries(StoredOptions& storage);
    void AddCombinationEntries(StoredOptions& storage);
    // Whatever the file held, exactly one of AND and OR is checked afterwards.
    void AfterRestore();
    // Places the controls for a page of that size.
    void Layout(SIZE page) const { layout_.Apply(page); }

  private:
    void CreateLocationControls(HWND page);
    void CreateMaskGroup(HWND page);
    void CreateSizeGroup(HWND page);
    void CreateDateGroup(HWND page);
    void CreateAttributeGroup(HWND page);
    HWND AddCheckBox(HWND parent, cleandri::ControlId id, const std::string& text, RECT bounds,
                     bool checked);
    void Remember(cleandri::ControlId id, HWND control) { controls_[id] = control; }

    void RemoveLocation();
    void AddMask();
    void RemoveMask();
    void EmptydirboxClick();
    void ChooseCombination(cleandri::ControlId clicked);

    bool Checked(cleandri::ControlId id) const;
    void SetChecked(cleandri::ControlId id, bool checked);
    std::string Text(cleandri::ControlId id) const;
    void SetText(cleandri::ControlId id, const std::string& text);

    Platform& platform_;
    std::unordered_map<int, HWND> controls_;
    std::unique_ptr<DirectoryTree> cleantree_;
    std::unique_ptr<CheckGroupBox> maskgroup_;
    std::unique_ptr<CheckList> masklistbox_;
    std::unique_ptr<CheckGroupBox> sizegroup_;
    std::unique_ptr<SpinEdit> biggerspin_;
    std::unique_ptr<SpinEdit> smallerspin_;
    std::unique_ptr<CheckGroupBox> dategroup_;
    std::unique_ptr<CheckGroupBox> attrigroup_;
    std::vector<std::unique_ptr<KeyHook>> keys_;
    AnchorLayout layout_;
};

}  // namespace sorvane
