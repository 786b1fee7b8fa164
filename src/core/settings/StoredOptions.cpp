#include "core/settings/StoredOptions.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <set>
#include <tuple>

#include "core/utils/AsciiText.h"

namespace sorvane {

namespace {

constexpr char kCountKey[] = "Count";
constexpr char kItemPrefix[] = "Item";
constexpr int kMaxSignificantDigits = 18;
constexpr int kMinFixedExponent = -5;
// The platform's show commands as a placement stores them.
constexpr std::int32_t kShowNormal = 1;
constexpr std::int32_t kShowMinimized = 2;
constexpr std::int32_t kShowMaximized = 3;

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

std::optional<bool> ParseBoolName(const std::string& text) {
    const std::string lower = LowerAscii(Trim(text));
    if (lower == "true") return true;
    if (lower == "false") return false;
    return std::nullopt;
}

// Four comma-separated integers, as "NormPos" and "MinMaxPos" hold them.
std::optional<std::array<std::int32_t, 4>> ParseQuad(const std::string& text) {
    std::array<std::int32_t, 4> values{};
    std::size_t pos = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::size_t end = i + 1 < values.size() ? text.find(',', pos) : text.size();
        if (end == std::string::npos) return std::nullopt;
        const auto value = ParseSettingInteger(Trim(text.substr(pos, end - pos)));
        if (!value) return std::nullopt;
        values[i] = *value;
        pos = end + 1;
    }
    return values;
}

std::string Quad(std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d) {
    return std::to_string(a) + "," + std::to_string(b) + "," + std::to_string(c) + "," +
           std::to_string(d);
}

}  // namespace

std::string FormatStoredFloat(double value) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (value == 0) return "0";
    // The shortest digits that read back as the same value, then laid out in general format.
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    const std::string text(buffer, result.ptr);
    const bool negative = text.front() == '-';
    const std::size_t e = text.find('e');
    std::string digits;
    for (std::size_t i = negative ? 1 : 0; i < e; ++i) {
        if (text[i] != '.') digits += text[i];
    }
    int exponent = 0;
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(),
                    exponent);
    // A double never needs more than 17 digits, well inside the 18 the format allows.
    std::string out = negative ? "-" : "";
    if (exponent < kMinFixedExponent || exponent >= kMaxSignificantDigits) {
        out.append(digits, 0, 1);
        if (digits.size() > 1) out.append(1, '.').append(digits, 1);
        return out.append(1, 'E').append(std::to_string(exponent));
    }
    if (exponent < 0) {
        return out.append("0.").append(static_cast<std::size_t>(-exponent - 1), '0').append(digits);
    }
    const std::size_t whole = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= whole) return out.append(digits).append(whole - digits.size(), '0');
    return out.append(digits, 0, whole).append(1, '.').append(digits, whole);
}

std::optional<double> ParseStoredFloat(const std::string& text) {
    const std::string trimmed = Trim(text);
    const char* first = trimmed.data();
    const char* last = first + trimmed.size();
    if (first != last && *first == '+') ++first;
    double value = 0;
    const auto result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec != std::errc() || result.ptr != last) return std::nullopt;
    return value;
}

StoredPlacement PlacementOfBounds(const WindowBounds& b) {
    StoredPlacement p;
    p.pixelsPerInch = 0;
    p.showCmd = b.state == 2 ? kShowMaximized : (b.state == 3 ? kShowMinimized : kShowNormal);
    std::tie(p.left, p.top, p.right, p.bottom) =
        std::tuple(b.left, b.top, b.left + b.width, b.top + b.height);
    return p;
}

WindowBounds BoundsOfPlacement(const StoredPlacement& p) {
    const std::int32_t state =
        p.showCmd == kShowMaximized ? 2 : (p.showCmd == kShowMinimized ? 3 : 1);
    return {p.left, p.top, p.right - p.left, p.bottom - p.top, state};
}

StoredPlacement FitToScreen(StoredPlacement placement, std::int32_t pixelsPerInch,
                            const MonitorArea& monitor) {
    if (placement.pixelsPerInch > 0 && pixelsPerInch > 0 &&
        placement.pixelsPerInch != pixelsPerInch) {
        const auto scale = [&](std::int32_t length) {
            return static_cast<std::int32_t>(static_cast<std::int64_t>(length) * pixelsPerInch /
                                             placement.pixelsPerInch);
        };
        placement.right = placement.left + scale(placement.right - placement.left);
        placement.bottom = placement.top + scale(placement.bottom - placement.top);
        placement.pixelsPerInch = pixelsPerInch;
    }
    // The work area in the rectangle's own coordinates: from the monitor's corner on.
    const ScreenArea& work = monitor.work;
    const std::int32_t dx = work.left - monitor.whole.left;
    const std::int32_t dy = work.top - monitor.whole.top;
    const ScreenArea area{work.left - dx, work.top - dy, work.right - dx, work.bottom - dy};
    const bool offScreen = placement.right <= area.left || placement.left >= area.right ||
                           placement.bottom <= area.top || placement.top >= area.bottom;
    if (offScreen) {
        const std::int32_t width = placement.right - placement.left;
        const std::int32_t height = placement.bottom - placement.top;
        placement.left =
            std::clamp(placement.left, area.left, std::max(area.left, area.right - width));
        placement.top =
            std::clamp(placement.top, area.top, std::max(area.top, area.bottom - height));
        placement.right = placement.left + width;
        placement.bottom = placement.top + height;
    }
    return placement;
}

StoredOptions::StoredOptions(ISettingsStore& store, std::string path, std::string section)
    : store_(store), settings_(store, std::move(path)), section_(std::move(section)) {}

std::string StoredOptions::KeyOf(const std::string& name) {
    std::string key = name;
    std::replace(key.begin(), key.end(), '.', '_');
    return key;
}

void StoredOptions::AddScalar(const std::string& name, std::function<std::string()> encode,
                              std::function<bool(const std::string&)> decode) {
    entries_.push_back({KeyOf(name), std::move(encode), std::move(decode), {}, {}});
}

void StoredOptions::AddBool(const std::string& name, Getter<bool> get, Setter<bool> set) {
    AddScalar(
        name, [get] { return std::string(get() ? "True" : "False"); },
        [set](const std::string& text) {
            const auto value = ParseBoolName(text);
            if (value) set(*value);
            return value.has_value();
        });
}

void StoredOptions::AddInteger(const std::string& name, Getter<std::int32_t> get,
                               Setter<std::int32_t> set) {
    AddScalar(
        name, [get] { return std::to_string(get()); },
        [set](const std::string& text) {
            const auto value = ParseSettingInteger(Trim(text));
            if (value) set(*value);
            return value.has_value();
        });
}

void StoredOptions::AddText(const std::string& name, Getter<std::string> get,
                            Setter<std::string> set) {
    AddScalar(name, std::move(get), [set](const std::string& text) {
        set(text);
        return true;
    });
}

void StoredOptions::AddFloat(const std::string& name, Getter<double> get, Setter<double> set) {
    AddScalar(
        name, [get] { return FormatStoredFloat(get()); },
        [set](const std::string& text) {
            const auto value = ParseStoredFloat(text);
            if (value) set(*value);
            return value.has_value();
        });
}

void StoredOptions::AddStrings(const std::string& name, Getter<std::vector<std::string>> get,
                               Setter<std::vector<std::string>> set) {
    entries_.push_back({KeyOf(name), {}, {}, std::move(get), std::move(set)});
}

void StoredOptions::SaveProperties() {
    SettingsBatch batch(settings_);
    for (const Entry& entry : entries_) {
        if (entry.lines) {
            SaveList(entry);
        } else {
            settings_.WriteString(section_, entry.key, entry.encode());
        }
    }
    batch.Commit();
}

void StoredOptions::RestoreProperties() {
    // One look at the section's key names tells missing keys from empty values.
    std::set<std::string> present;
    for (const std::string& key : store_.ReadKeys(settings_.Path(), section_)) {
        present.insert(LowerAscii(key));
    }
    for (const Entry& entry : entries_) {
        if (entry.lines) {
            RestoreList(entry);
        } else if (present.count(LowerAscii(entry.key)) > 0) {
            entry.decode(settings_.ReadString(section_, entry.key, {}));
        }
    }
}

void StoredOptions::SaveList(const Entry& entry) {
    // Erased first, so a shorter list leaves no stale items behind.
    const std::string section = ListSection(entry);
    settings_.EraseSection(section);
    const std::vector<std::string> lines = entry.lines();
    if (lines.empty()) return;
    settings_.WriteString(section, kCountKey, std::to_string(lines.size()));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        settings_.WriteString(section, kItemPrefix + std::to_string(i), lines[i]);
    }
}

void StoredOptions::RestoreList(const Entry& entry) const {
    const std::string section = ListSection(entry);
    const std::int32_t count =
        ParseSettingInteger(Trim(settings_.ReadString(section, kCountKey, {}))).value_or(0);
    if (count <= 0) return;
    // A damaged count cannot make us read more lines than the section has keys.
    const std::size_t stored = store_.ReadKeys(settings_.Path(), section).size();
    const std::size_t lineCount = std::min(static_cast<std::size_t>(count), stored);
    std::vector<std::string> lines;
    lines.reserve(lineCount);
    for (std::size_t i = 0; i < lineCount; ++i) {
        lines.push_back(settings_.ReadString(section, kItemPrefix + std::to_string(i), {}));
    }
    entry.setLines(lines);
}

void StoredOptions::SavePlacement(const StoredPlacement& p) {
    SettingsBatch batch(settings_);
    settings_.WriteInteger(section_, "Flags", p.flags);
    settings_.WriteInteger(section_, "ShowCmd", p.showCmd);
    settings_.WriteInteger(section_, "PixelsPerInch", p.pixelsPerInch);
    settings_.WriteString(section_, "MinMaxPos", Quad(p.minX, p.minY, p.maxX, p.maxY));
    settings_.WriteString(section_, "NormPos", Quad(p.left, p.top, p.right, p.bottom));
    settings_.WriteBool(section_, "Visible", p.visible);
    batch.Commit();
}

std::optional<StoredPlacement> StoredOptions::RestorePlacement() const {
    const auto normal = ParseQuad(settings_.ReadString(section_, "NormPos", {}));
    if (!normal || (*normal)[2] <= (*normal)[0] || (*normal)[3] <= (*normal)[1]) {
        return std::nullopt;
    }
    StoredPlacement p;
    p.left = (*normal)[0];
    p.top = (*normal)[1];
    p.right = (*normal)[2];
    p.bottom = (*normal)[3];
    p.flags = settings_.ReadInteger(section_, "Flags", p.flags);
    p.showCmd = settings_.ReadInteger(section_, "ShowCmd", p.showCmd);
    p.pixelsPerInch = settings_.ReadInteger(section_, "PixelsPerInch", p.pixelsPerInch);
    if (const auto minMax = ParseQuad(settings_.ReadString(section_, "MinMaxPos", {}))) {
        p.minX = (*minMax)[0];
        p.minY = (*minMax)[1];
        p.maxX = (*minMax)[2];
        p.maxY = (*minMax)[3];
    }
    p.visible = settings_.ReadBool(section_, "Visible", p.visible);
    return p;
}

std::int32_t StoredOptions::ReadInteger(const std::string& key, std::int32_t def) const {
    return settings_.ReadInteger(section_, key, def);
}

void StoredOptions::WriteInteger(const std::string& key, std::int32_t value) {
    settings_.WriteInteger(section_, key, value);
}

}  // namespace sorvane
