#pragma once
// One of every fake, wired into a Platform. Tests set the fakes up through the public
// members and hand platform() to the code under test.
#include "FakeCalendar.h"
#include "FakeFileSystem.h"
#include "FakeSettingsStore.h"
#include "FakeShell.h"
#include "FakeSystem.h"
#include "ScriptedPrompts.h"
#include "core/history/CleaningHistory.h"
#include "core/platform/Platform.h"

namespace sorvane {

// Starts empty: no drives, no files, no settings. Each test sets up what it relies on.
struct FakePlatform {
    FakePlatform() = default;
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;

    Platform& platform() { return platform_; }

    FakeFileSystem fs;
    FakeDrives drives;
    FakeShell shell{fs};
    FakeSystemInfo system;
    FakeRegistry registry;
    FakeSettingsStore settings;
    FakeLocale locale;
    FakeClock clock;
    FakeTimerService timers;
    ScriptedPrompts prompts;
    FakeEventPump pump;
    // Records nothing until a test gives it a file.
    CleaningHistory history{fs, clock};

  private:
    Platform platform_{fs,     drives, shell,  system,  registry, settings,
                       locale, clock,  timers, prompts, pump};
};

}  // namespace sorvane
