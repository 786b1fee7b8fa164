#include "FakeCalendar.h"

#include <stdexcept>

namespace sorvane::fake {

namespace {

constexpr std::int64_t kSecondsPerDay = 86'400;
// Days from 1 January 1601 to 1 January 1970, the epoch of the day arithmetic below.
constexpr std::int64_t kDaysFrom1601To1970 = 134'774;

// Day number relative to 1970-01-01 (H. Hinnant's algorithm, valid for every year).
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146'097 + doe - 719'468;
}

void CivilFromDays(std::int64_t z, DateTime& out) {
    z += 719'468;
    const std::int64_t era = (z >= 0 ? z : z - 146'096) / 146'097;
    const std::int64_t doe = z - era * 146'097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36'524 - doe / 146'096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;
    out.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    out.month = static_cast<int>(month);
    out.year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace

bool IsValidDateTime(const DateTime& value) {
    return value.month >= 1 && value.month <= 12 && value.day >= 1 &&
           value.day <= DaysInMonth(value.year, value.month) && value.hour >= 0 &&
           value.hour < 24 && value.minute >= 0 && value.minute < 60 && value.second >= 0 &&
           value.second < 60;
}

std::optional<std::uint64_t> TicksOf(const DateTime& value) {
    if (!IsValidDateTime(value) || value.year < 1601) return std::nullopt;
    const std::int64_t days =
        DaysFromCivil(value.year, value.month, value.day) + kDaysFrom1601To1970;
    const std::int64_t seconds =
        days * kSecondsPerDay + value.hour * 3600 + value.minute * 60 + value.second;
    return static_cast<std::uint64_t>(seconds) * kTicksPerSecond;
}

DateTime DateTimeOf(std::uint64_t ticks) {
    const std::uint64_t seconds = ticks / kTicksPerSecond;
    const auto days = static_cast<std::int64_t>(seconds / kSecondsPerDay);
    const auto secondOfDay = static_cast<int>(seconds % kSecondsPerDay);
    DateTime out;
    CivilFromDays(days - kDaysFrom1601To1970, out);
    out.hour = secondOfDay / 3600;
    out.minute = secondOfDay / 60 % 60;
    out.second = secondOfDay % 60;
    return out;
}

FileTime FileTimeOf(const DateTime& value) {
    const auto ticks = TicksOf(value);
    if (!ticks) throw std::invalid_argument("no file time for this date");
    return FileTime{*ticks};
}

}  // namespace sorvane::fake
