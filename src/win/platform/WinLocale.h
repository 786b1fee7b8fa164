#pragma once
// The user's locale through the Win32 national-language functions.
#include "core/platform/Locale.h"

namespace sorvane {

class WinLocale final : public ILocale {
  public:
    int CompareText(const std::string& a, const std::string& b) override;
    std::string SortKey(const std::string& text) override;
    std::string Lower(const std::string& text) override;
    std::string Upper(const std::string& text) override;
    std::string FormatDateTime(const DateTime& value) override;
    std::optional<DateTime> ParseDateTime(const std::string& text) override;
    std::optional<DateTime> FromFileTime(std::uint64_t localTicks) override;
};

}  // namespace sorvane
