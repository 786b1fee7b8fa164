#pragma once
// Everything the engine may ask of the operating system, in one bundle that is
// handed to the windows and engines. The program wires the real services; tests
// wire the in-memory fake.
#include "Clock.h"
#include "Drives.h"
#include "EventPump.h"
#include "FileSystem.h"
#include "Locale.h"
#include "Prompts.h"
#include "SettingsStore.h"
#include "Shell.h"
#include "SystemInfo.h"

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
