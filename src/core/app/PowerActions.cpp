#include "core/app/PowerActions.h"

#include "core/utils/AllUtils.h"

namespace sorvane {

namespace {

struct PowerText {
    const char* question;
    unsigned flags;
    const char* refusal;
};

PowerText TextOf(PowerAction action) {
    using namespace exit_flags;
    switch (action) {
        case PowerAction::kShutDown:
            return {"Shut Down the computer?", kShutdown | kForceIfHung,
                    "Unable to shutdown. An application refused to close!"};
        case PowerAction::kLogOff:
            return {"Close all programs and Log On as a different user?", kLogOff | kForceIfHung,
                    "Unable to logoff. An application refused to close!"};
        case PowerAction::kReboot:
            break;
    }
    return {"Restart the computer?", kReboot | kForceIfHung,
            "Unable to reboot. An application refused to close!"};
}

}  // namespace

PowerOutcome RunPowerAction(PowerAction action, IPrompts& prompts, ISystemInfo& system) {
    const PowerText text = TextOf(action);
    if (!prompts.Confirm(text.question)) return PowerOutcome::kDeclined;
    if (ExitWindowsWithPrivilege(system, text.flags)) return PowerOutcome::kAccepted;
    prompts.Notice(text.refusal);
    return PowerOutcome::kRefused;
}

bool RunExitToDos(Platform& platform, const std::string& windowsDir) {
    if (!platform.prompts.Confirm("Restart the computer in MS-DOS mode?")) return false;
    const std::string shortcut = windowsDir + "\\" + kExitToDosFile;
    if (!platform.fs.FileExists(shortcut)) return false;
    platform.shell.RunDocument(shortcut, "", windowsDir, kShowNormal);
    return true;
}

void OpenHelp(Platform& platform, const std::string& programDir,
              const std::function<bool(const std::string& helpFile)>& showContents) {
    const std::string help = programDir + kHelpFile;
    if (!platform.fs.FileExists(help) || !showContents(help)) {
        platform.prompts.Notice("Help File Is Missing!");
    }
}

}  // namespace sorvane
