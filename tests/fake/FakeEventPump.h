#pragma once
// Counts the moments a long pass lets events run, and can act at them, as a user clicking
// Stop or another program deleting files would.
#include <cstddef>
#include <functional>

#include "core/platform/EventPump.h"

namespace sorvane {

class FakeEventPump final : public IEventPump {
  public:
    // Runs on every call with the call's number, counting from 1.
    void SetOnProcess(std::function<void(std::size_t call)> action) {
        onProcess_ = std::move(action);
    }

    void ProcessPending() override {
        ++calls_;
        if (onProcess_) onProcess_(calls_);
    }

  private:
    std::size_t calls_ = 0;
    std::function<void(std::size_t)> onProcess_;
};

}  // namespace sorvane
