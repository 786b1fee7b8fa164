#pragma once
// A fixed, predictable locale: ASCII-only case rules and dates as "dd/mm/yyyy hh:nn:ss".
#include "core/platform/Locale.h"

namespace sorvane {

class FakeLocale final : public ILocale {
  public:
    int CompareText(const std::string& a, const std::string& b) override;
    // The ASCII-lowercased text.
    std::string SortKey(const std::string& text) override;
    std::string Lower(const std::string& text) override;
    std::string Upper(const std::string& text) override;
    // "dd/mm/yyyy hh:nn:ss", or "dd/mm/yyyy" at midnight.
    std::string FormatDateTime(const DateTime& value) override;
    // "d/m/yyyy" with an optional " h:n" or " h:n:s" (one or two digits each, blanks around
    // the whole allowed); nullopt for anything else or an impossible date.
    std::optional<DateTime> ParseDateTime(const std::string& text) override;
    // Fails, as the platform does, for ticks with the top bit set.
    std::optional<DateTime> FromFileTime(std::uint64_t localTicks) override;
};

}  // namespace sorvane
