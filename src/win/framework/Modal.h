#pragma once
// What a modal dialog of the program needs: its owner disabled while it is open, and a message
// loop of its own that passes dialog keys to it and hands a quit request back to the main loop.
#include <windows.h>

#include <functional>

namespace sorvane {

// Keeps `owner` disabled while the object lives. Enabling it again before the dialog goes lets
// the system give the activation back to it.
class OwnerDisabled {
  public:
    explicit OwnerDisabled(HWND owner)
        : owner_(owner != nullptr && IsWindowEnabled(owner) ? owner : nullptr) {
        if (owner_) EnableWindow(owner_, FALSE);
    }
    ~OwnerDisabled() {
        if (owner_) EnableWindow(owner_, TRUE);
    }
    OwnerDisabled(const OwnerDisabled&) = delete;
    OwnerDisabled& operator=(const OwnerDisabled&) = delete;

  private:
    HWND owner_;
};

// Runs messages until `done` says so, Tab and Enter going to `dialog`. False when the program
// is ending (the quit request is posted again for the main loop) or the loop failed.
bool RunModalLoop(HWND dialog, const std::function<bool()>& done);

}  // namespace sorvane
