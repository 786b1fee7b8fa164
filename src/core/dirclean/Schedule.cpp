#include "core/dirclean/Schedule.h"

#include <algorithm>

namespace sorvane {

namespace {

constexpr char kSection[] = "Autoclean";

}  // namespace

ScheduleOptions LoadSchedule(const Settings& settings) {
    ScheduleOptions options;
    options.atStartup = settings.ReadBool("AutoClean", "Sorvstartbox_Check", false);
    options.periodic = settings.ReadBool(kSection, "Dirtimebox_Check", false);
    options.minutes = std::clamp(settings.ReadInteger(kSection, "Min_Value", 0), 0, 60);
    options.hours = std::clamp(settings.ReadInteger(kSection, "Hour_Value", 0), 0, 24);
    return options;
}

void SaveSchedule(Settings& settings, const ScheduleOptions& options) {
    SettingsBatch batch(settings);
    settings.WriteBool(kSection, "Sorvstartbox_Check", options.atStartup);
    settings.WriteBool(kSection, "Dirtimebox_Check", options.periodic);
    settings.WriteInteger(kSection, "Min_Value", options.minutes);
    settings.WriteInteger(kSection, "Hour_Value", options.hours);
    batch.Commit();
}

std::uint32_t ScheduleInterval(int minutes, int hours) {
    const auto m = static_cast<std::uint32_t>(std::clamp(minutes, 0, 60));
    const auto h = static_cast<std::uint32_t>(std::clamp(hours, 0, 24));
    return (m * 60 + h * 3600) * 1000;
}

void CleanSchedule::Start(const ScheduleOptions& options) {
    const std::uint32_t period = ScheduleInterval(options.minutes, options.hours);
    if (!options.periodic || period == 0) return;
    timer_.reset();
    timer_ = timers_.Start(period, tick_);
}

void CleanSchedule::Apply(const ScheduleOptions& options) {
    if (!options.periodic) {
        timer_.reset();
        return;
    }
    Start(options);
}

}  // namespace sorvane
