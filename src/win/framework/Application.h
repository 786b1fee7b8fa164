#pragma once
// The application object: title, event loop, help file, the tooltip options shared by every
// window, and the error display for errors that reach a window procedure.
#include <windows.h>

#include <string>
#include <vector>

#include "core/app/PassRunner.h"
#include "core/platform/Platform.h"
#include "win/framework/HelpViewer.h"
#include "win/utils/Tooltip.h"

namespace sorvane {

class Application {
  public:
    explicit Application(Platform& platform);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    const std::string& Title() const { return title_; }
    void SetTitle(std::string title) { title_ = std::move(title); }

    // Tells the event loop to end; when it has not started yet it ends as soon as it starts.
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Runs the event loop until Terminate; returns the exit code.
    int Run();

    // The help file found at start-up, empty without one, and the viewer that shows it.
    const std::string& HelpFile() const { return helpFile_; }
    void SetHelpFile(std::string path) { helpFile_ = std::move(path); }
    IHelpViewer& HelpViewer() { return *helpViewer_; }
    // Tests watch what the windows ask of the viewer; null puts HTML Help back.
    void UseHelpViewer(IHelpViewer* viewer) { helpViewer_ = viewer ? viewer : &htmlHelp_; }

    const TooltipOptions& Tooltips() const { return tooltips_; }
    void SetTooltipOptions(const TooltipOptions& options);
    void Register(Tooltip& tooltip);
    void Unregister(Tooltip& tooltip);

    // The windows in the order they were created.
    void NoteCreated(std::string windowClass) { creationLog_.push_back(std::move(windowClass)); }
    const std::vector<std::string>& CreationLog() const { return creationLog_; }

    void ShowError(const std::string& message);

    // The hidden window that owns the tool windows: owned windows keep no taskbar button of
    // their own once they are hidden, which is where a minimised window goes.
    HWND Owner();

    // Lets one long pass of the program run at a time.
    PassGate& Passes() { return passes_; }

  private:
    Platform& platform_;
    std::string title_;
    std::string helpFile_;
    HtmlHelpViewer htmlHelp_;
    IHelpViewer* helpViewer_ = &htmlHelp_;
    bool terminated_ = false;
    PassGate passes_;
    TooltipOptions tooltips_;
    std::vector<Tooltip*> tooltipControls_;
    std::vector<std::string> creationLog_;
    UniqueWindow owner_;
};

}  // namespace sorvane
