#include "win/platform/WinPlatform.h"

namespace sorvane {

WinPlatform::WinPlatform(const std::string& title)
    : shell_(&pump_),
      prompts_(title, nullptr), platform_{fs_,     drives_, shell_,  system_,  registry_, settings_,
                                 locale_, clock_,  timers_, prompts_, pump_} {}

void WinPlatform::SetOwner(HWND owner) {
    shell_.SetOwner(owner);
    prompts_.SetOwner(owner);
}

}  // namespace sorvane
