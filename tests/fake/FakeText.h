#pragma once
// Text rules the fakes share: the ASCII-only case folding they use instead of the user's
// locale, drive paths, and the wildcard masks of directory listings.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sorvane::fake {

std::string AsciiLower(std::string_view text);
std::string AsciiUpper(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);

// True when `name` fits `mask` ('*' any run, '?' one character), ignoring ASCII case.
// "*.*" fits every name, dotted or not, as on the real platform.
bool MatchesMask(std::string_view name, std::string_view mask);
bool HasWildcards(std::string_view mask);

// The components of a drive path ("C:\dir\file"), the drive first and upper-cased; '/'
// counts as '\', empty and "." components drop out and ".." goes up (never above the
// drive). nullopt when the path does not start with a drive.
std::optional<std::vector<std::string>> SplitDrivePath(std::string_view path);
// The identity of a path: its components joined with '\' and upper-cased, so two spellings
// of one path give the same key.
std::string PathKey(const std::vector<std::string>& parts);
// The key of a drive path; nullopt when it has no drive.
std::optional<std::string> PathKey(std::string_view path);

}  // namespace sorvane::fake
