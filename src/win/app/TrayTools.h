#pragma once
// What the tray menu reaches: the windows it shows and the clean it starts. The window set fills
// it in as it creates the windows, after the main window that owns the menu.
#include <functional>
#include <map>

namespace sorvane {

class Form;

enum class ToolWindow {
    kDirectories,
    kDriveClean,
    kDuplicates,
    kShortcuts,
    kHistory,
    kGeneral,
    kAbout
};

struct TrayTools {
    std::map<ToolWindow, Form*> windows;
    // "Clean Selected Directories Now".
    std::function<void()> cleanSelectedDirectoriesNow;
};

}  // namespace sorvane
