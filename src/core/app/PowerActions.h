#pragma once
// The tray menu's power actions and its Help command.
#include <functional>
#include <string>

#include "core/platform/Platform.h"

namespace sorvane {

enum class PowerAction { kShutDown, kLogOff, kReboot };

// What a power command led to.
enum class PowerOutcome {
    kDeclined,  // the user did not answer Yes
    kAccepted,  // the platform is ending the session: the program ends
    kRefused,   // the platform refused; the refusal was shown
};

// Asks the action's question and, on Yes, asks the platform to end the session.
// Hung programs are closed, but programs that are asked to save work are not forced.
PowerOutcome RunPowerAction(PowerAction action, IPrompts& prompts, ISystemInfo& system);

// Exit To Dos: true when the program should end (the shortcut was opened).
bool RunExitToDos(Platform& platform, const std::string& windowsDir);

// Opens the contents of the help file beside the program through `showContents`, or says
// the file is missing; a system without a help viewer (`showContents` false) says so too.
void OpenHelp(Platform& platform, const std::string& programDir,
              const std::function<bool(const std::string& helpFile)>& showContents);

inline constexpr char kExitToDosFile[] = "Exit To Dos.pif";
inline constexpr char kHelpFile[] = "Sorvane.chm";

}  // namespace sorvane
