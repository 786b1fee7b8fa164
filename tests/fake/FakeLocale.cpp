#include "FakeLocale.h"

#include <cstdio>
#include <limits>

#include "FakeCalendar.h"
#include "FakeText.h"

namespace sorvane {

namespace {

// Reads a number of 1 to `maxDigits` digits at `pos`.
std::optional<int> ReadNumber(const std::string& text, std::size_t& pos, std::size_t maxDigits) {
    const std::size_t start = pos;
    int value = 0;
    while (pos < text.size() && pos - start < maxDigits && text[pos] >= '0' && text[pos] <= '9') {
        value = value * 10 + (text[pos++] - '0');
    }
    if (pos == start) return std::nullopt;
    return value;
}

bool Expect(const std::string& text, std::size_t& pos, char c) {
    if (pos >= text.size() || text[pos] != c) return false;
    ++pos;
    return true;
}

}  // namespace

int FakeLocale::CompareText(const std::string& a, const std::string& b) {
    const int order = SortKey(a).compare(SortKey(b));
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

std::string FakeLocale::SortKey(const std::string& text) {
    return fake::AsciiLower(text);
}

std::string FakeLocale::Lower(const std::string& text) {
    return fake::AsciiLower(text);
}

std::string FakeLocale::Upper(const std::string& text) {
    return fake::AsciiUpper(text);
}

std::string FakeLocale::FormatDateTime(const DateTime& value) {
    char buffer[64];
    const bool midnight = value.hour == 0 && value.minute == 0 && value.second == 0;
    if (midnight) {
        std::snprintf(buffer, sizeof buffer, "%02d/%02d/%04d", value.day, value.month, value.year);
    } else {
        std::snprintf(buffer, sizeof buffer, "%02d/%02d/%04d %02d:%02d:%02d", value.day,
                      value.month, value.year, value.hour, value.minute, value.second);
    }
    return buffer;
}

std::optional<DateTime> FakeLocale::ParseDateTime(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return std::nullopt;
    const std::string body = text.substr(first, text.find_last_not_of(' ') - first + 1);

    std::size_t pos = 0;
    DateTime value;
    const auto day = ReadNumber(body, pos, 2);
    if (!day || !Expect(body, pos, '/')) return std::nullopt;
    const auto month = ReadNumber(body, pos, 2);
    if (!month || !Expect(body, pos, '/')) return std::nullopt;
    const std::size_t yearStart = pos;
    const auto year = ReadNumber(body, pos, 4);
    if (!year || pos - yearStart != 4) return std::nullopt;
    value.day = *day;
    value.month = *month;
    value.year = *year;
    if (pos < body.size()) {
        if (!Expect(body, pos, ' ')) return std::nullopt;
        const auto hour = ReadNumber(body, pos, 2);
        if (!hour || !Expect(body, pos, ':')) return std::nullopt;
        const auto minute = ReadNumber(body, pos, 2);
        if (!minute) return std::nullopt;
        value.hour = *hour;
        value.minute = *minute;
        if (pos < body.size()) {
            const auto second = Expect(body, pos, ':') ? ReadNumber(body, pos, 2) : std::nullopt;
            if (!second) return std::nullopt;
            value.second = *second;
        }
    }
    if (pos != body.size() || !fake::IsValidDateTime(value)) return std::nullopt;
    return value;
}

std::optional<DateTime> FakeLocale::FromFileTime(std::uint64_t localTicks) {
    if (localTicks > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
        return std::nullopt;
    }
    return fake::DateTimeOf(localTicks);
}

}  // namespace sorvane
