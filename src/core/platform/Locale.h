#pragma once
// The user's locale: collation, case mapping and date-time texts.
#include <cstdint>
#include <optional>
#include <string>

namespace sorvane {

// A calendar date and time of day, in local time.
struct DateTime {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    friend bool operator==(const DateTime&, const DateTime&) = default;
};

class ILocale {
  public:
    virtual ~ILocale() = default;
    // Compares without regard to letter case in the user's collation: <0, 0 or >0.
    virtual int CompareText(const std::string& a, const std::string& b) = 0;
    // A byte string whose plain byte order is the order of CompareText, and which is equal
    // for texts that CompareText finds equal. Lets long lists sort without the platform call
    // per comparison.
    virtual std::string SortKey(const std::string& text) = 0;
    virtual std::string Lower(const std::string& text) = 0;
    virtual std::string Upper(const std::string& text) = 0;
    // The user's short date format, a blank and the long time format; the time is left out
    // when it is exactly midnight.
    virtual std::string FormatDateTime(const DateTime& value) = 0;
    // Reads a date (and an optional time) written in the user's short date format.
    virtual std::optional<DateTime> ParseDateTime(const std::string& text) = 0;
    // Splits a local file time into its calendar fields; nullopt when it does not convert.
    virtual std::optional<DateTime> FromFileTime(std::uint64_t localTicks) = 0;
};

}  // namespace sorvane
