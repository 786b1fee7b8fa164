#pragma once
// Time and locale that tests control: file-time ticks (100 ns since 1601) to calendar fields,
// a clock that moves only when told, and a fixed locale with ASCII case rules and dates as
// "dd/mm/yyyy hh:nn:ss".
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "core/utils/AsciiText.h"
#include "core/platform/Clock.h"
#include "core/platform/FileSystem.h"
#include "core/platform/Locale.h"

namespace sorvane {

namespace fake {
DateTime DateTimeOf(std::uint64_t ticks);
// Throws std::invalid_argument for an impossible date or one before 1601: a setup mistake.
FileTime FileTimeOf(const DateTime& value);
}  // namespace fake

// Starts at 0 ms on 15/06/2024 12:00:00.
class FakeClock final : public IClock {
  public:
    // Each Milliseconds() call moves time on by `ms` after answering, so loops that wait
    // for time to pass end on their own; 0 turns this off.
    void SetAutoAdvance(std::uint64_t ms) { autoAdvanceMs_ = ms; }
    void Advance(std::uint64_t ms) { ms_ += ms; }
    std::uint64_t Milliseconds() override { return std::exchange(ms_, ms_ + autoAdvanceMs_); }
    DateTime Now() override;
    // No time zone: local time and UTC agree.
    FileTime UtcNow() override { return fake::FileTimeOf(Now()); }

  private:
    std::uint64_t ms_ = 0;
    std::uint64_t autoAdvanceMs_ = 0;
};

// Timers that tick only when the test says their period has passed.
class FakeTimerService final : public ITimerService {
  public:
    std::unique_ptr<ITimer> Start(std::uint32_t periodMs, std::function<void()> tick) override {
        timers_.push_back(
            std::make_shared<Entry>(Entry{std::move(tick), periodMs, now_ + periodMs}));
        return std::make_unique<Timer>(timers_.back());
    }
    // Lets `ms` milliseconds pass, each running timer ticking whenever its period is over.
    void Advance(std::uint64_t ms) {
        const std::uint64_t end = now_ + ms;
        for (;;) {
            std::shared_ptr<Entry> next;
            for (const auto& timer : timers_) {
                if (timer->tick && timer->due <= end && (!next || timer->due < next->due))
                    next = timer;
            }
            if (!next) break;
            now_ = next->due;
            next->due += next->period;
            const auto tick = next->tick;  // the tick may stop its own timer
            tick();
        }
        now_ = end;
    }
    // The periods of the running timers.
    std::vector<std::uint32_t> Running() const {
        std::vector<std::uint32_t> periods;
        for (const auto& timer : timers_) {
            if (timer->tick) periods.push_back(timer->period);
        }
        return periods;
    }

  private:
    struct Entry {
        std::function<void()> tick;  // empty once the timer has stopped
        std::uint32_t period = 0;
        std::uint64_t due = 0;
    };
    struct Timer final : ITimer {
        explicit Timer(std::shared_ptr<Entry> e) : entry(std::move(e)) {}
        ~Timer() override { entry->tick = nullptr; }
        std::shared_ptr<Entry> entry;
    };
    std::vector<std::shared_ptr<Entry>> timers_;
    std::uint64_t now_ = 0;
};

class FakeLocale final : public ILocale {
  public:
    int CompareText(const std::string& a, const std::string& b) override {
        const int order = LowerAscii(a).compare(LowerAscii(b));
        return (order > 0) - (order < 0);
    }
    std::string SortKey(const std::string& text) override { return LowerAscii(text); }
    std::string Lower(const std::string& text) override { return LowerAscii(text); }
    std::string Upper(const std::string& text) override { return UpperAscii(text); }
    // "dd/mm/yyyy hh:nn:ss", or "dd/mm/yyyy" at midnight.
    std::string FormatDateTime(const DateTime& value) override;
    // "d/m/yyyy" with an optional " h:n" or " h:n:s", blanks around allowed.
    std::optional<DateTime> ParseDateTime(const std::string& text) override;
    // Fails, as the platform does, for ticks with the top bit set.
    std::optional<DateTime> FromFileTime(std::uint64_t ticks) override {
        return ticks >> 63 ? std::nullopt : std::optional(fake::DateTimeOf(ticks));
    }
};

}  // namespace sorvane
