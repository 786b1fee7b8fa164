#pragma once
// What every window is given: the application, the platform, and the other windows.
#include "win/app/Application.h"
#include "core/platform/Platform.h"

namespace sorvane {

class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm7;
class TForm8;
class TForm9;

// The program's windows, filled in as they are created; a window may use those created
// before it.
struct Forms {
    TForm1* main = nullptr;         // drive pop-up, tray icon and menu
    TForm9* progress = nullptr;     // progress of unattended work
    TForm2* general = nullptr;      // General Options
    TForm3* shortcuts = nullptr;    // Check Shortcuts
    TForm4* about = nullptr;        // About
    TForm6* directories = nullptr;  // Clean Directories
    TForm5* picker = nullptr;       // Select a directory
    TForm7* duplicates = nullptr;   // Find Duplicate Files
    TForm8* driveClean = nullptr;   // Clean Drive(s)
};

struct AppContext {
    Application& app;
    Platform& platform;
    Forms forms;
};

}  // namespace sorvane
