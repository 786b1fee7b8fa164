#pragma once
// Conversions between file-time ticks (100 ns since 1 January 1601) and calendar fields,
// proleptic Gregorian, for the fake locale and clock and for tests that date their files.
#include <cstdint>
#include <optional>

#include "core/platform/FileSystem.h"
#include "core/platform/Locale.h"

namespace sorvane::fake {

inline constexpr std::uint64_t kTicksPerSecond = 10'000'000;
inline constexpr std::uint64_t kTicksPerMillisecond = 10'000;

bool IsValidDateTime(const DateTime& value);
// nullopt for invalid fields or a moment before 1601.
std::optional<std::uint64_t> TicksOf(const DateTime& value);
DateTime DateTimeOf(std::uint64_t ticks);
// The file time of a calendar moment; throws std::invalid_argument when it has none, which
// in test setup is a mistake worth stopping at.
FileTime FileTimeOf(const DateTime& value);

}  // namespace sorvane::fake
