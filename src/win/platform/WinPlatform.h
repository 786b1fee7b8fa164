#pragma once
// The real services of the Windows program, wired into one Platform. Create it on the
// user-interface thread after COM has been initialised there.
#include <string>

#include "core/platform/Platform.h"
#include "win/platform/WinApi.h"
#include "win/platform/WinClock.h"
#include "win/platform/WinDrives.h"
#include "win/platform/WinEventPump.h"
#include "win/platform/WinFileSystem.h"
#include "win/platform/WinLocale.h"
#include "win/platform/WinPrompts.h"
#include "win/platform/WinRegistry.h"
#include "win/platform/WinSettingsStore.h"
#include "win/platform/WinShell.h"
#include "win/platform/WinSystemInfo.h"
#include "win/platform/WinTimerService.h"

namespace sorvane {

class WinPlatform {
  public:
    // `title` (UTF-8) captions the program's notices and errors.
    explicit WinPlatform(const std::string& title);
    WinPlatform(const WinPlatform&) = delete;
    WinPlatform& operator=(const WinPlatform&) = delete;

    Platform& Get() { return platform_; }
    WinShell& Shell() { return shell_; }
    WinPrompts& Prompts() { return prompts_; }

    // Makes `owner` the owner of the shell's and the prompts' windows.
    void SetOwner(HWND owner);

  private:
    WinEventPump pump_;  // first: the shell lets events run through it
    WinFileSystem fs_;
    WinDrives drives_;
    WinShell shell_;
    WinSystemInfo system_;
    WinRegistry registry_;
    WinSettingsStore settings_;
    WinLocale locale_;
    WinClock clock_;
    WinTimerService timers_;
    WinPrompts prompts_;
    Platform platform_;
};

}  // namespace sorvane
