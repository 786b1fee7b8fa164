#pragma once
// The options panel of Clean Directories: one target's cleaning options (recycle, sub-folders,
// all files or masks, the age limit) as controls, filled from and read into the stored panel
// options. The window decides when to fill, read and save them.
#include <windows.h>

#include <string>

#include "core/dirclean/TargetProfiles.h"
#include "win/utils/Tooltip.h"
#include "win/widgets/MovablePanel.h"

namespace sorvane {

class TargetOptionsPanel : public MovablePanel {
  public:
    // The controls, whose ids run from the panel's own in this order.
    enum Item {
        kPanel,
        kGroup,
        kRecycle,
        kSubdirectories,
        kAllFiles,
        kMaskMode,
        kMaskEdit,
        kAddMask,
        kRemoveMask,
        kMaskList,
        kOlderLabel,
        kOlderAmount,
        kOlderUnit,
        kApply,
        kCancel,
        kItemCount
    };

    TargetOptionsPanel(HWND parent, Tooltip& tips, int firstId);

    HWND Control(Item item) const { return GetDlgItem(Handle(), firstId_ + item); }
    void Fill(const TargetPanelOptions& options);
    TargetPanelOptions Read() const;
    // The mask controls are used in mask mode only.
    void ShowMaskMode(bool maskMode);
    // Lists the typed mask unless it is empty, means every file or is listed already, and
    // empties the edit; true when the list grew.
    bool AddTypedMask();

  private:
    int firstId_;
};

}  // namespace sorvane
