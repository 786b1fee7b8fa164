#include "FakeCalendar.h"

#include <chrono>
#include <cstdio>
#include <regex>
#include <stdexcept>

namespace sorvane {

namespace {

using namespace std::chrono;

constexpr std::uint64_t kTicksPerSecond = 10'000'000;
constexpr sys_days kFileTimeEpoch = year{1601} / 1 / 1;
constexpr std::uint64_t kStartTicks = 133'629'264'000'000'000;  // 15/06/2024 12:00:00

std::optional<year_month_day> DateOf(const DateTime& v) {
    const year_month_day date{year{v.year}, month(v.month), day(v.day)};
    if (!date.ok() || v.day < 1 || v.hour < 0 || v.hour > 23 || v.minute < 0 || v.minute > 59 ||
        v.second < 0 || v.second > 59)
        return std::nullopt;
    return date;
}

}  // namespace

DateTime fake::DateTimeOf(std::uint64_t ticks) {
    const auto time = kFileTimeEpoch + seconds(ticks / kTicksPerSecond);
    const year_month_day date{floor<days>(time)};
    const hh_mm_ss clock{time - floor<days>(time)};
    return {static_cast<int>(date.year()),
            static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day())),
            static_cast<int>(clock.hours().count()),
            static_cast<int>(clock.minutes().count()),
            static_cast<int>(clock.seconds().count())};
}

FileTime fake::FileTimeOf(const DateTime& v) {
    const auto date = DateOf(v);
    if (!date || v.year < 1601) throw std::invalid_argument("no file time for this date");
    const auto time = sys_days(*date) + hours(v.hour) + minutes(v.minute) + seconds(v.second);
    return FileTime{static_cast<std::uint64_t>((time - kFileTimeEpoch).count()) * kTicksPerSecond};
}

DateTime FakeClock::Now() {
    return fake::DateTimeOf(kStartTicks + ms_ * 10'000);
}

std::string FakeLocale::FormatDateTime(const DateTime& v) {
    char buffer[64];
    const int n = std::snprintf(buffer, sizeof buffer, "%02d/%02d/%04d", v.day, v.month, v.year);
    if (v.hour != 0 || v.minute != 0 || v.second != 0)
        std::snprintf(buffer + n, sizeof buffer - n, " %02d:%02d:%02d", v.hour, v.minute, v.second);
    return buffer;
}

std::optional<DateTime> FakeLocale::ParseDateTime(const std::string& text) {
    static const std::regex kPattern(
        R"( *(\d{1,2})/(\d{1,2})/(\d{4})(?: (\d{1,2}):(\d{1,2})(?::(\d{1,2}))?)? *)");
    std::smatch m;
    if (!std::regex_match(text, m, kPattern)) return std::nullopt;
    const auto field = [&](int i) { return m[i].matched ? std::stoi(m[i].str()) : 0; };
    const DateTime value{field(3), field(2), field(1), field(4), field(5), field(6)};
    return DateOf(value) ? std::optional(value) : std::nullopt;
}

}  // namespace sorvane
