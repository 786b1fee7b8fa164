#pragma once
// Everything the engine may ask of the operating system, in one bundle that is
// handed to the windows and engines. The program wires the real services; tests
// wire the in-memory fake.
#include "core/platform/Clock.h"
#include "core/platform/Drives.h"
#include "core/platform/EventPump.h"
#include "core/platform/FileSystem.h"
#include "core/platform/Locale.h"
#include "core/platform/Prompts.h"
#include "core/platform/SettingsStore.h"
#include "core/platform/Shell.h"
#include "core/platform/SystemInfo.h"

namespace sorvane {

struct Platform {
    IFileSystem& fs;
    IDrives& drives;
    IShell& shell;
    ISystemInfo& system;
    IRegistry& registry;
    ISettingsStore& settings;
    ILocale& locale;
    IClock& clock;
    ITimerService& timers;
    IPrompts& prompts;
    IEventPump& pump;
};

}  // namespace sorvane
