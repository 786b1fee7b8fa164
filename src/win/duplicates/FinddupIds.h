#pragma once
// The controls and menu commands of the Find Duplicate Files window.
namespace sorvane::finddup {

enum ControlId {
    // The upper panel: where to scan, what to leave out, what files must share.
    kDuptree1 = 7001,
    kAdddirbtn,
    kRemovedirbtn,
    kExcludelistbox,
    kExcludemasklist,
    kExcludemasks,
    kAddfiletype,
    kRemovefiletype,
    kSnamebox,
    kSsizebox,
    kSdatebox,
    kScontentbox,
    kStartbtn,
    kStopbtn,
    // The results.
    kDelbtn,
    kMovebtn,
    kSavebtn,
    kDupgrid,
    kMovedirpanel,
    kAlwaysusebox,
    kMovediredit,
    kSelectmovedir,
    kOkmovedir,
    kCancelmovedir,
    kStat1,
};

// Menu commands come as WM_COMMAND too, so they keep clear of the control numbers.
enum MenuId {
    kDeleteSelected = 7501,
    kDeleteChecked,
    kMoveSelected,
    kMoveChecked,
    kSetDestination,
    kSaveHtml,
    kSaveText,
};

}  // namespace sorvane::finddup
