#include "win/dirclean/TargetOptionsPanel.h"

#include <algorithm>

#include "win/utils/Controls.h"
#include "win/widgets/StandardControls.h"

namespace sorvane {

TargetOptionsPanel::TargetOptionsPanel(HWND parent, Tooltip& tips, int firstId)
    : MovablePanel(parent, " Directory", Bounds(0, 0, 215, 315), firstId), firstId_(firstId) {
    const HWND p = Handle();
    const POINT below{0, TitleHeight()};
    const auto id = [firstId](Item item) { return firstId + item; };
    // Transparent, so that the panel, which leaves its children out, paints under it.
    MakeControl(p, L"BUTTON", "When Cleanning", WS_VISIBLE | BS_GROUPBOX,
                BoundsFrom(below, 6, 2, 201, 256), id(kGroup), WS_EX_TRANSPARENT);
    MakeCheckBox(p, "Delete Files To Recycle_Bin", BoundsFrom(below, 14, 20, 188, 20), id(kRecycle),
                 true);
    MakeCheckBox(p, "Include Sub-Directories", BoundsFrom(below, 14, 42, 188, 20),
                 id(kSubdirectories), true);
    MakeControl(p, L"BUTTON", "Delete All Files",
                WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON,
                BoundsFrom(below, 14, 64, 188, 20), id(kAllFiles));
    MakeControl(p, L"BUTTON", "Delete Using File Masks", WS_VISIBLE | BS_AUTORADIOBUTTON,
                BoundsFrom(below, 14, 86, 188, 20), id(kMaskMode));
    const HWND edit = MakeControl(
        p, L"EDIT", "", WS_VISIBLE | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL | ES_LOWERCASE,
        BoundsFrom(below, 14, 110, 120, 22), id(kMaskEdit), WS_EX_CLIENTEDGE);
    const HWND plus = MakeButton(p, "+", BoundsFrom(below, 138, 110, 30, 22), id(kAddMask));
    const HWND minus = MakeButton(p, "-", BoundsFrom(below, 172, 110, 30, 22), id(kRemoveMask));
    const HWND list = MakeControl(
        p, L"LISTBOX", "",
        WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_SORT | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
        BoundsFrom(below, 14, 136, 188, 66), id(kMaskList), WS_EX_CLIENTEDGE);
    const RECT olderAt = BoundsFrom(below, 14, 208, 188, 18);
    MakeLabelAt(p, "Only Files Older Than", {olderAt.left, olderAt.top}, id(kOlderLabel));
    const HWND amount =
        MakeControl(p, L"EDIT", "0", WS_VISIBLE | WS_TABSTOP | WS_GROUP | ES_NUMBER | ES_RIGHT,
                    BoundsFrom(below, 14, 228, 50, 22), id(kOlderAmount), WS_EX_CLIENTEDGE);
    LimitText(amount, 5);
    const HWND unit =
        MakeControl(p, L"COMBOBOX", "", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                    BoundsFrom(below, 70, 228, 80, 100), id(kOlderUnit));
    ComboBox(unit).SetTexts({"Hours", "Days"});
    MakeButton(p, "Apply", BoundsFrom(below, 24, 264, 75, 25), id(kApply));
    MakeButton(p, "Cancel", BoundsFrom(below, 114, 264, 75, 25), id(kCancel));
    tips.Add(edit,
             "Enter a file mask (*.txt,...).\r\nClick the plus button or press the Enter key.");
    tips.Add(plus, "Click to add a file mask to the list.");
    tips.Add(minus, "Click to remove the selected file mask from the list.");
    tips.Add(list, "Press the Del key to remove the selected file mask.");
    tips.Add(amount,
             "Clean only files written and created longer ago than this.\r\n"
             "0 cleans files of any age.");
}

void TargetOptionsPanel::Fill(const TargetPanelOptions& options) {
    SetWindowTextW(Control(kMaskEdit), L"");
    SetChecked(Control(kRecycle), options.useRecycle);
    SetChecked(Control(kSubdirectories), options.includeSubdirs);
    // Each button from its own key: stored options that say neither leave both clear, so
    // that Apply never turns a target into "all files" the user did not choose.
    SetChecked(Control(kAllFiles), options.deleteAll);
    SetChecked(Control(kMaskMode), options.maskMode);
    ShowMaskMode(options.maskMode);
    ListBox(Control(kMaskList)).SetTexts(options.masks);
    SetWindowTextW(Control(kOlderAmount), std::to_wstring(options.age.amount).c_str());
    ComboBox(Control(kOlderUnit)).Select(options.age.days ? 1 : 0);
}

TargetPanelOptions TargetOptionsPanel::Read() const {
    TargetPanelOptions options;
    options.useRecycle = IsChecked(Control(kRecycle));
    options.includeSubdirs = IsChecked(Control(kSubdirectories));
    options.deleteAll = IsChecked(Control(kAllFiles));
    options.maskMode = IsChecked(Control(kMaskMode));
    options.masks = ListBox(Control(kMaskList)).Texts();
    // The edit takes digits only; an empty one means any age.
    const std::string amount = WindowText(Control(kOlderAmount));
    options.age.amount = amount.empty() ? 0 : std::min(std::stoi(amount), kLongestAgeAmount);
    options.age.days = ComboBox(Control(kOlderUnit)).Selected() == 1u;
    return options;
}

void TargetOptionsPanel::ShowMaskMode(bool maskMode) {
    for (const Item item : {kMaskEdit, kAddMask, kRemoveMask, kMaskList}) {
        EnableWindow(Control(item), maskMode ? TRUE : FALSE);
    }
}

bool TargetOptionsPanel::AddTypedMask() {
    const HWND edit = Control(kMaskEdit);
    const std::string mask = WindowText(edit);
    if (mask.empty() || mask == "*.*" || mask == "*." || mask == "*") return false;
    ListBox list(Control(kMaskList));
    const std::size_t before = list.Texts().size();
    list.AddUnique(mask);
    SetWindowTextW(edit, L"");
    return list.Texts().size() != before;
}

}  // namespace sorvane
