#pragma once
// Runs the calling thread's waiting messages during a long pass.
#include "core/platform/EventPump.h"

namespace sorvane {

class WinEventPump final : public IEventPump {
  public:
    // A quit request met here is put back, so the main message loop still sees it and ends.
    void ProcessPending() override;
};

}  // namespace sorvane
