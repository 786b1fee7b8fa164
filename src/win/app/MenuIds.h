#pragma once
// Command identifiers of the tray menu. Automation sends them as WM_COMMAND to the main window.
namespace sorvane::menu {

inline constexpr int kShutDown2 = 101;
inline constexpr int kLogOff1 = 102;
inline constexpr int kReboot1 = 103;
inline constexpr int kExitToDos1 = 104;
inline constexpr int kSetEditOptions1 = 111;
inline constexpr int kCleanSelectedDirectoriesNow1 = 112;
inline constexpr int kClean1 = 113;
inline constexpr int kFindDuplicateFiles1 = 114;
inline constexpr int kCheckShortcuts1 = 115;
inline constexpr int kCleaningHistory1 = 116;
inline constexpr int kGeneralOptions1 = 121;
inline constexpr int kHelp1 = 122;
inline constexpr int kAbout1 = 131;
inline constexpr int kExit1 = 132;

}  // namespace sorvane::menu
