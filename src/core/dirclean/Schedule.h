#pragma once
// When Clean Directories cleans on its own: at start-up, and every so many minutes and hours.
// Kept in the settings section "Autoclean".
#include <cstdint>
#include <functional>
#include <memory>

#include "core/platform/Clock.h"
#include "core/settings/Settings.h"

namespace sorvane {

struct ScheduleOptions {
    bool atStartup = false;  // "Sorvstartbox_Check"
    bool periodic = false;   // "Dirtimebox_Check"
    int minutes = 0;         // "Min_Value", 0 to 60
    int hours = 0;           // "Hour_Value", 0 to 24
};

ScheduleOptions LoadSchedule(const Settings& settings);
void SaveSchedule(Settings& settings, const ScheduleOptions& options);

// The period in milliseconds, minutes and hours taken within their ranges: at most 25 hours;
// 0 starts no timer.
std::uint32_t ScheduleInterval(int minutes, int hours);

// The periodic timer. Its ticks should go through the pass gate, so that those falling due
// during a clean or any other pass run once when it ends.
class CleanSchedule {
  public:
    CleanSchedule(ITimerService& timers, std::function<void()> tick)
        : timers_(timers), tick_(std::move(tick)) {}

    // At start-up: the timer runs when the options ask for it with a period above 0.
    void Start(const ScheduleOptions& options);
    // Apply: a period above 0 (re)starts the timer, the first tick one period from now; 0
    // leaves a running timer as it is; unticked stops it.
    void Apply(const ScheduleOptions& options);
    bool Running() const { return timer_ != nullptr; }

  private:
    ITimerService& timers_;
    std::function<void()> tick_;
    std::unique_ptr<ITimer> timer_;
};

}  // namespace sorvane
