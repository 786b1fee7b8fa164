#include "core/settings/RunEntry.h"

namespace sorvane {

std::optional<std::string> RunKeyFor(const std::string& platformName, IRegistry& registry) {
    if (platformName == "Windows 95/98") return kWin9xRunKey;
    if (platformName == "Windows NT") {
        return registry.KeyExists(kNtRunKey) ? kNtRunKey : kWin9xRunKey;
    }
    return std::nullopt;
}

bool RunEntry::Present() const {
    if (!key_) return false;
    const auto value = registry_.ReadString(*key_, kRunValueName);
    return value && !value->empty();
}

void RunEntry::Register(const std::string& programPath) const {
    // A key that cannot be opened leaves nothing to do and nothing to report.
    if (key_) registry_.WriteString(*key_, kRunValueName, programPath);
}

void RunEntry::Unregister() const {
    if (key_) registry_.DeleteValue(*key_, kRunValueName);
}

}  // namespace sorvane
