#include "core/settings/RunEntry.h"

#include <algorithm>
#include <string_view>

namespace sorvane {

std::optional<std::string> RunKeyFor(const std::string& platformName, IRegistry& registry) {
    if (platformName == "Windows 95/98") return kWin9xRunKey;
    if (platformName == "Windows NT") {
        return registry.KeyExists(kNtRunKey) ? kNtRunKey : kWin9xRunKey;
    }
    return std::nullopt;
}

namespace {

bool SamePath(std::string_view a, std::string_view b) {
    const auto lower = [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

bool RunEntry::Present(const std::string& programPath) const {
    if (!key_ || programPath.empty()) return false;
    const auto value = registry_.ReadString(*key_, kRunValueName);
    if (!value) return false;
    std::string_view text = *value;
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
        text = text.substr(1, text.size() - 2);
    }
    return SamePath(text, programPath);
}

void RunEntry::Register(const std::string& programPath) const {
    // A key that cannot be opened leaves nothing to do and nothing to report.
    if (key_) registry_.WriteString(*key_, kRunValueName, '"' + programPath + '"');
}

void RunEntry::Unregister() const {
    if (key_) registry_.DeleteValue(*key_, kRunValueName);
}

}  // namespace sorvane
