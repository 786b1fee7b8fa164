#pragma once
// Drive paths as the fakes take them, compared with ASCII-only case folding instead of the
// user's locale.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/utils/AsciiText.h"

namespace sorvane::fake {

// The components of "C:\dir\file", drive first and upper-cased; '/' counts as '\', empty
// and "." components drop out, ".." goes up. nullopt without a drive.
inline std::optional<std::vector<std::string>> SplitDrivePath(std::string_view path) {
    std::vector<std::string> parts;
    std::string current;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i < path.size() && path[i] != '\\' && path[i] != '/') {
            current += path[i];
            continue;
        }
        if (current == "..") {
            if (parts.size() > 1) parts.pop_back();
        } else if (!current.empty() && current != ".") {
            parts.push_back(current);
        }
        current.clear();
    }
    if (parts.empty() || parts[0].size() != 2 || parts[0][1] != ':' ||
        LowerAscii(parts[0][0]) < 'a' || LowerAscii(parts[0][0]) > 'z') {
        return std::nullopt;
    }
    parts[0] = UpperAscii(parts[0]);
    return parts;
}

// The upper-cased components joined with '\': one key for every spelling of a path.
inline std::string PathKey(const std::vector<std::string>& parts) {
    std::string key;
    for (const std::string& part : parts) {
        if (!key.empty()) key += '\\';
        key += UpperAscii(part);
    }
    return key;
}

inline std::optional<std::string> PathKey(std::string_view path) {
    const auto parts = SplitDrivePath(path);
    return parts ? std::optional(PathKey(*parts)) : std::nullopt;
}

}  // namespace sorvane::fake
