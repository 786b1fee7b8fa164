#include "FakeClock.h"

#include "FakeCalendar.h"

namespace sorvane {

FakeClock::FakeClock() {
    SetNow({2024, 6, 15, 12, 0, 0});
}

void FakeClock::SetNow(const DateTime& now) {
    nowTicks_ = fake::FileTimeOf(now).ticks;
}

void FakeClock::Advance(std::uint64_t ms) {
    ms_ += ms;
    nowTicks_ += ms * fake::kTicksPerMillisecond;
}

std::uint64_t FakeClock::Milliseconds() {
    const std::uint64_t answer = ms_;
    Advance(autoAdvanceMs_);
    return answer;
}

DateTime FakeClock::Now() {
    return fake::DateTimeOf(nowTicks_);
}

class FakeTimerService::Timer final : public ITimer {
  public:
    explicit Timer(std::shared_ptr<State> state) : state_(std::move(state)) {}
    ~Timer() override { state_->running = false; }
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

  private:
    std::shared_ptr<State> state_;
};

std::size_t FakeTimerService::RunningCount() const {
    std::size_t running = 0;
    for (const auto& state : timers_) running += state->running ? 1 : 0;
    return running;
}

bool FakeTimerService::Fire(std::size_t index) {
    // Holding the state keeps the tick alive even if it stops its own timer.
    const std::shared_ptr<State> state = timers_.at(index);
    if (!state->running) return false;
    state->tick();
    return true;
}

void FakeTimerService::FireAll() {
    const std::size_t count = timers_.size();
    for (std::size_t i = 0; i < count; ++i) Fire(i);
}

std::unique_ptr<ITimer> FakeTimerService::Start(std::uint32_t periodMs,
                                                std::function<void()> tick) {
    auto state = std::make_shared<State>(State{periodMs, std::move(tick), true});
    timers_.push_back(state);
    return std::make_unique<Timer>(std::move(state));
}

}  // namespace sorvane
