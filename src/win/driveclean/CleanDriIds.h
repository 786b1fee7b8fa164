#pragma once
// The controls and menu commands of the Clean Drive(s) window.
namespace sorvane::cleandri {

enum ControlId {
    kPages = 3001,
    kStat2,
    // "Step1 Set/Edit Scanning Options"
    kCleantree,
    kSelecteddrives,
    kAdddrivebtn,
    kRemovedrivebtn,
    kSubcheckbox,
    kEmptydirbox,
    kCollactivebox,
    kSeparetebox,
    kMaskgroup,
    kMasklistbox,
    kFilemaskedit,
    kAddfilemaskbtn,
    kRemovefilemaskbtn,
    kSizegroup,
    kFilebiggerbox,
    kBiggerspin,
    kFilesmallerbox,
    kSmallerspin,
    kDategroup,
    kLastaccessbox,
    kAccessdateedit,
    kLastmodifiedbox,
    kModifieddateedit,
    kAttrigroup,
    kArchivebox,
    kReadonlybox,
    kHiddenbox,
    kSystembox,
    // "Step2 Start Scan"
    kCscanbtn,
    kCstopbtn,
    kCcheckbtn,
    kCdeletebtn,
    kCmovebtn,
    kCsavebtn,
    kCleangrid,
    kDestdirpanel,
    kAlwayscheckbox,
    kDestdiredit,
    kSelectdirbtn,
    kOkmovebtn,
    kCancelmovebtn,
};

// Menu commands come as WM_COMMAND too, so they keep clear of the control numbers.
enum MenuId {
    kSelectAll = 3501,
    kUnselectAll,
    kDeleteSelected,
    kDeleteChecked,
    kDeleteAll,
    kMoveSelected,
    kMoveChecked,
    kSetDestination,
    kSaveHtml,
    kSaveText,
};

}  // namespace sorvane::cleandri
