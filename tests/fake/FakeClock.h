#pragma once
// Time that moves only when a test moves it, and timers that tick only when a test fires them.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "core/platform/Clock.h"

namespace sorvane {

class FakeClock final : public IClock {
  public:
    // Starts at 0 ms on 15/06/2024 12:00:00.
    FakeClock();

    void SetMilliseconds(std::uint64_t ms) { ms_ = ms; }
    void SetNow(const DateTime& now);
    // Moves both the millisecond count and the date forward.
    void Advance(std::uint64_t ms);
    // Every Milliseconds() call moves time forward by `ms` after answering, so loops that
    // wait for time to pass end without help; 0 turns this off.
    void SetAutoAdvance(std::uint64_t ms) { autoAdvanceMs_ = ms; }

    std::uint64_t Milliseconds() override;
    DateTime Now() override;

  private:
    std::uint64_t ms_ = 0;
    std::uint64_t nowTicks_ = 0;
    std::uint64_t autoAdvanceMs_ = 0;
};

class FakeTimerService final : public ITimerService {
  public:
    // Every timer ever started, by index in start order.
    std::size_t Count() const { return timers_.size(); }
    std::size_t RunningCount() const;
    bool IsRunning(std::size_t index) const { return timers_.at(index)->running; }
    std::uint32_t Period(std::size_t index) const { return timers_.at(index)->periodMs; }
    // Runs one tick of the timer; false (and nothing runs) when it has been stopped.
    bool Fire(std::size_t index);
    // One tick of every timer running now, in start order; ticks may start or stop timers.
    void FireAll();

    std::unique_ptr<ITimer> Start(std::uint32_t periodMs, std::function<void()> tick) override;

  private:
    // Shared with the timer object, so either may go first.
    struct State {
        std::uint32_t periodMs = 0;
        std::function<void()> tick;
        bool running = true;
    };
    class Timer;

    std::vector<std::shared_ptr<State>> timers_;
};

}  // namespace sorvane
