#pragma once
// The start-with-Windows entry: the string value "Sorvane" holding the program's full path in
// double quotes under the current user's Run key. Unquoted, a path with blanks would start
// "C:\Program.exe" when one is there. The key is only opened, never created; when it cannot be
// opened every operation does nothing.
#include <optional>
#include <string>

#include "core/platform/SystemInfo.h"

namespace sorvane {

inline constexpr char kRunValueName[] = "Sorvane";
inline constexpr char kWin9xRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kNtRunKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Run";

// The Run key for a platform name: the 95/98 key for "Windows 95/98", the NT key for
// "Windows NT", none for anything else (the choice is then not kept in the registry).
// NT-family systems normally read the 95/98 key and have no NT Run key for the user; there
// the 95/98 key is taken, so that starting with Windows works at all.
std::optional<std::string> RunKeyFor(const std::string& platformName, IRegistry& registry);

class RunEntry {
  public:
    // `key` is the Run key chosen for the platform; nullopt means none.
    RunEntry(IRegistry& registry, std::optional<std::string> key)
        : registry_(registry), key_(std::move(key)) {}

    bool HasKey() const { return key_.has_value(); }
    // The entry counts as present when it names `programPath`, quoted or not (as entries
    // written before were), without regard to ASCII letter case.
    bool Present(const std::string& programPath) const;
    void Register(const std::string& programPath) const;
    void Unregister() const;

  private:
    IRegistry& registry_;
    std::optional<std::string> key_;
};

}  // namespace sorvane
