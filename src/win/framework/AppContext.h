#pragma once
// What every window is given: the application, the platform, the values the main window works
// out at start-up, the options General Options last applied, and the few services windows lend
// each other. Windows reach one another only through it, never by including each other.
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/app/SharedValues.h"
#include "core/history/CleaningHistory.h"
#include "core/platform/Platform.h"
#include "core/settings/GeneralOptions.h"
#include "win/framework/Application.h"

namespace sorvane {

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

// The small window that shows work running while its own window is closed or not yet made: a
// task line, a status line and Abort.
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

struct AppContext {
    AppContext(Application& application, Platform& services)
        : app(application), platform(services), history(services.fs, services.clock) {}

    // Takes `applied` as the options in force; the cleaning history follows them, in its file
    // beside the settings file.
    void SetOptions(const GeneralOptions& applied) {
        options = applied;
        history.Configure(DirectoryOf(values.settingsPath) + kHistoryFileName, options.history);
    }

    Application& app;
    Platform& platform;
    // Worked out by the main window as it is created, before any other window.
    SharedValues values;
    // As General Options last loaded or applied them (through SetOptions).
    GeneralOptions options;
    // What every tool recycled, deleted, moved or kept.
    CleaningHistory history;
    IDirectoryPicker* picker = nullptr;
    IProgressWindow* progress = nullptr;
    // A word in the tray icon's balloon, for work that ends with none of its windows on screen.
    std::function<void(const std::string& text)> trayNotice;
    // Prompts that hold `owner` while they are open; without it, the platform's own prompts.
    std::function<std::unique_ptr<IPrompts>(HWND owner)> makePrompts;
};

}  // namespace sorvane
