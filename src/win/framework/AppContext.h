#pragma once
// What every window is given: the application, the platform, the values the main window works
// out at start-up, the options General Options last applied, and the few services windows lend
// each other. Windows reach one another only through it, never by including each other.
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "core/app/SharedValues.h"
#include "core/platform/Platform.h"
#include "core/settings/GeneralOptions.h"
#include "win/framework/Application.h"

namespace sorvane {

class Form;

// What the user picked in the "Select a directory" dialog.
struct PickedDirectory {
    // As the tree holds it: "C:\" for a drive, "C:\Temp" for a directory; "?" when nothing
    // was selected.
    std::string path;
    // The selected entry's text in the tree ("Temp", "Local Disk (C:)").
    std::string displayName;
};

class IDirectoryPicker {
  public:
    virtual ~IDirectoryPicker() = default;
    // Shows the dialog modally over `owner`; the picked directory after OK, nothing otherwise.
    virtual std::optional<PickedDirectory> Execute(HWND owner) = 0;
};

// Cleaning every target directory, as the tray menu and the schedule ask for it.
class IDirectoryCleaning {
  public:
    virtual ~IDirectoryCleaning() = default;
    // True while the Clean Directories window is open.
    virtual bool WindowShown() const = 0;
    // Cleans with the window's own progress display.
    virtual void CleanAll() = 0;
    // Cleans under the progress window.
    virtual void RunUnattendedClean() = 0;
};

// The small window that shows work running while its own window is closed (an unattended
// clean, the start-up shortcut scan): a task line, a status line and Abort.
class IProgressWindow {
  public:
    virtual ~IProgressWindow() = default;
    // Shows the window with `task`; Abort calls `onAbort` until End.
    virtual void Begin(const std::string& task, std::function<void()> onAbort) = 0;
    virtual void SetStatus(const std::string& text) = 0;
    // Puts the status line back and hides the window.
    virtual void End() = 0;
};

// Ends a task's time in the progress window, however the task ends.
struct ProgressScope {
    IProgressWindow& window;
    ~ProgressScope() { window.End(); }
};

// The windows the tray menu shows.
enum class ToolWindow { kDirectories, kDriveClean, kDuplicates, kShortcuts, kGeneral, kAbout };

struct AppContext {
    AppContext(Application& application, Platform& services)
        : app(application), platform(services) {}

    Application& app;
    Platform& platform;
    // Worked out by the main window as it is created, before any other window.
    SharedValues values;
    // As General Options last loaded or applied them.
    GeneralOptions options;
    IDirectoryPicker* picker = nullptr;
    IDirectoryCleaning* directoryCleaning = nullptr;
    IProgressWindow* progress = nullptr;
    std::map<ToolWindow, Form*> tools;
    // A word in the tray icon's balloon, for work that ends with none of its windows on screen.
    std::function<void(const std::string& text)> trayNotice;
    // Prompts that hold `owner` while they are open; without it, the platform's own prompts.
    std::function<std::unique_ptr<IPrompts>(HWND owner)> makePrompts;
};

// "Clean Selected Directories Now", and a tick of the cleaning schedule: with the Clean
// Directories window open it cleans there, otherwise under the progress window. During another
// pass it waits for that pass to end, and requests meanwhile make one clean.
inline void CleanSelectedDirectoriesNow(AppContext& context) {
    IDirectoryCleaning* cleaning = context.directoryCleaning;
    if (cleaning == nullptr) return;
    context.app.Passes().RunWhenIdle("Clean Selected Directories", [cleaning] {
        if (cleaning->WindowShown()) {
            cleaning->CleanAll();
        } else {
            cleaning->RunUnattendedClean();
        }
    });
}

}  // namespace sorvane
