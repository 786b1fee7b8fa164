#include "core/dirclean/TargetProfiles.h"

#include <algorithm>

#include "core/platform/FileSystem.h"
#include "core/utils/AsciiText.h"

namespace sorvane {

namespace {

std::vector<std::string> ReadMasks(const Settings& settings, const std::string& path) {
    std::vector<std::string> masks;
    const std::int32_t count = settings.ReadInteger(path, "Count", 0);
    for (std::int32_t i = 0; i < count; ++i) {
        std::string mask = settings.ReadString(path, "Item" + std::to_string(i), "");
        if (!mask.empty()) masks.push_back(std::move(mask));
    }
    return masks;
}

constexpr char kAgeKey[] = "Olderthan";
constexpr char kAgeUnitKey[] = "Olderthanunit";
constexpr char kDays[] = "Days";
constexpr char kHours[] = "Hours";

AgeLimit ReadAge(const Settings& settings, const std::string& path) {
    AgeLimit age;
    age.amount = std::clamp(settings.ReadInteger(path, kAgeKey, 0), 0, kLongestAgeAmount);
    age.days = LowerAscii(settings.ReadString(path, kAgeUnitKey, kHours)) == "days";
    return age;
}

}  // namespace

std::string AgeLimit::Text() const {
    const char* unit = days ? " day" : " hour";
    return std::to_string(amount) + unit + (amount == 1 ? "" : "s");
}

bool OldEnough(FileTime written, FileTime created, FileTime now, const AgeLimit& limit) {
    if (!limit.Active()) return true;
    constexpr std::uint64_t kTicksPerHour = 3600ULL * 10'000'000ULL;
    const std::uint64_t span =
        static_cast<std::uint64_t>(limit.amount) * (limit.days ? 24 : 1) * kTicksPerHour;
    const auto old = [&](FileTime t) { return t.ticks <= now.ticks && now.ticks - t.ticks >= span; };
    return old(written) && old(created);
}

std::vector<Target> LoadTargets(const Settings& settings) {
    std::vector<Target> targets;
    const std::int32_t count = settings.ReadInteger(kTargetsSection, "Count", 0);
    for (std::int32_t n = 1; n <= count; ++n) {
        std::string path = settings.ReadString(kTargetsSection, "Item" + std::to_string(n), "");
        if (path.empty()) continue;
        std::string name = settings.ReadString(path, "Name", "");
        if (!name.empty()) targets.push_back({std::move(name), std::move(path)});
    }
    return targets;
}

TargetOptions ReadTargetOptions(const Settings& settings, const std::string& path) {
    TargetOptions options;
    options.useRecycle = settings.ReadBool(path, "Userecycle", true);
    options.includeSubdirs = settings.ReadBool(path, "Subs", true);
    options.deleteAll = settings.ReadBool(path, "Delall", true);
    if (!options.deleteAll) options.masks = ReadMasks(settings, path);
    options.age = ReadAge(settings, path);
    return options;
}

TargetPanelOptions ReadPanelOptions(const Settings& settings, const std::string& path) {
    TargetPanelOptions options;
    options.useRecycle = settings.ReadBool(path, "Userecycle", true);
    options.includeSubdirs = settings.ReadBool(path, "Subs", true);
    options.deleteAll = settings.ReadBool(path, "Delall", true);
    options.maskMode = settings.ReadBool(path, "Deltypes", false);
    if (options.maskMode) options.masks = ReadMasks(settings, path);
    options.age = ReadAge(settings, path);
    return options;
}

void SaveTargetOptions(Settings& settings, const std::string& path,
                       const TargetPanelOptions& options) {
    SettingsBatch batch(settings);
    settings.WriteBool(path, "Userecycle", options.useRecycle);
    settings.WriteBool(path, "Subs", options.includeSubdirs);
    settings.WriteBool(path, "Delall", options.deleteAll);
    settings.WriteBool(path, "DelTypes", options.maskMode);
    settings.WriteInteger(path, kAgeKey, options.age.amount);
    settings.WriteString(path, kAgeUnitKey, options.age.days ? kDays : kHours);
    if (options.maskMode) {
        settings.WriteInteger(path, "Count", static_cast<std::int32_t>(options.masks.size()));
        for (std::size_t i = 0; i < options.masks.size(); ++i) {
            settings.WriteString(path, "Item" + std::to_string(i), options.masks[i]);
        }
    }
    batch.Commit();
}

void AddTargetToSettings(Settings& settings, const Target& target, bool hasSubdirectories) {
    const std::int32_t count = settings.ReadInteger(kTargetsSection, "Count", 0);
    const std::int32_t n = count < 1 ? 1 : count + 1;
    SettingsBatch batch(settings);
    settings.WriteInteger(kTargetsSection, "Count", n);
    settings.WriteString(kTargetsSection, "Item" + std::to_string(n), target.path);
    settings.WriteString(target.path, "Name", target.name);
    // Recycling a browser cache or a recycle bin would only fill the bin again.
    const std::string lower = LowerAscii(target.path);
    const bool bin = lower.find("temporary internet files") != std::string::npos ||
                     lower.find("recycled") != std::string::npos;
    settings.WriteBool(target.path, "Userecycle", !bin);
    settings.WriteBool(target.path, "Subs", hasSubdirectories);
    settings.WriteBool(target.path, "Delall", true);
    settings.WriteBool(target.path, "Deltypes", false);
    batch.Commit();
}

void RemoveTargetFromSettings(Settings& settings, const std::string& path,
                              const std::vector<std::string>& remaining) {
    SettingsBatch batch(settings);
    settings.EraseSection(path);
    settings.EraseSection(kTargetsSection);
    if (!remaining.empty()) {
        settings.WriteInteger(kTargetsSection, "Count",
                              static_cast<std::int32_t>(remaining.size()));
        for (std::size_t n = 0; n < remaining.size(); ++n) {
            settings.WriteString(kTargetsSection, "Item" + std::to_string(n + 1), remaining[n]);
        }
    }
    batch.Commit();
}

std::optional<std::string> FolderAtRisk(const std::string& target, std::uint32_t attributes,
                                        const std::vector<std::string>& systemFolders) {
    const std::string lower = LowerAscii(target) + "\\";
    for (const std::string& folder : systemFolders) {
        if (!folder.empty() && (LowerAscii(folder) + "\\").starts_with(lower)) return folder;
    }
    // "X:\name": a folder right below a drive's root.
    const bool atRoot = target.size() > 3 && target[1] == ':' && target[2] == '\\' &&
                        target.find('\\', 3) == std::string::npos;
    if (atRoot && (attributes & attr::kSystem) != 0) return target;
    return std::nullopt;
}

std::string SizeText(std::uint64_t bytes) {
    if (bytes >= 1024) return std::to_string(bytes / 1024) + " Kb";
    return std::to_string(bytes) + " Bytes";
}

}  // namespace sorvane
