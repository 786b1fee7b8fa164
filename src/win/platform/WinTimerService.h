#pragma once
// Periodic timers on a hidden message-only window of the creating thread, so that every tick
// runs on that thread's message loop. Create the service on the user-interface thread.
#include <memory>

#include "core/platform/Clock.h"

namespace sorvane {

class WinTimerService final : public ITimerService {
  public:
    WinTimerService();
    ~WinTimerService() override;
    WinTimerService(const WinTimerService&) = delete;
    WinTimerService& operator=(const WinTimerService&) = delete;

    std::unique_ptr<ITimer> Start(std::uint32_t periodMs, std::function<void()> tick) override;

  private:
    class Window;
    class Timer;
    // The timers watch it without owning it: one that outlives the service just does nothing.
    std::shared_ptr<Window> window_;
};

}  // namespace sorvane
