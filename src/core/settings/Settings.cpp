#include "core/settings/Settings.h"

#include <string_view>

namespace sorvane {

namespace {

constexpr std::size_t kMaxStringCharacters = 1023;
constexpr std::size_t kMaxHexDigits = 8;

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The longest settings text the windows were ever given: 1023 characters, never ending
// inside a UTF-8 sequence.
std::string CutToMaxLength(std::string text) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsContinuationByte(text[i])) continue;
        if (characters == kMaxStringCharacters) {
            text.resize(i);
            break;
        }
        ++characters;
    }
    return text;
}

std::optional<std::uint32_t> HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return static_cast<std::uint32_t>(c - '0');
    if (c >= 'a' && c <= 'f') return static_cast<std::uint32_t>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F') return static_cast<std::uint32_t>(c - 'A' + 10);
    return std::nullopt;
}

// Up to eight hex digits make a 32-bit pattern, read as two's complement so a colour or
// mask written as 0xFFFFFFFF survives as -1.
std::optional<std::uint32_t> ParseHex(std::string_view digits) {
    if (digits.empty() || digits.size() > kMaxHexDigits) return std::nullopt;
    std::uint32_t value = 0;
    for (const char c : digits) {
        const auto digit = HexDigitValue(c);
        if (!digit) return std::nullopt;
        value = (value << 4) | *digit;
    }
    return value;
}

// The magnitude of a decimal number, refused as soon as it passes `limit`.
std::optional<std::uint32_t> ParseDecimal(std::string_view digits, std::uint32_t limit) {
    if (digits.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
        if (value > limit) return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

}  // namespace

std::optional<std::int32_t> ParseSettingInteger(const std::string& text) {
    std::string_view rest = text;
    bool negative = false;
    if (!rest.empty() && (rest.front() == '-' || rest.front() == '+')) {
        negative = rest.front() == '-';
        rest.remove_prefix(1);
    }
    if (rest.size() > 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X')) {
        const auto bits = ParseHex(rest.substr(2));
        if (!bits) return std::nullopt;
        // Unsigned negation wraps, so "-0x80000000" stays the lowest value instead of
        // overflowing.
        return static_cast<std::int32_t>(negative ? 0U - *bits : *bits);
    }
    constexpr std::uint32_t kMaxPositive = 2147483647U;
    const auto magnitude = ParseDecimal(rest, negative ? kMaxPositive + 1 : kMaxPositive);
    if (!magnitude) return std::nullopt;
    return static_cast<std::int32_t>(negative ? 0U - *magnitude : *magnitude);
}

std::string Settings::ReadString(const std::string& section, const std::string& key,
                                 const std::string& def) const {
    return CutToMaxLength(store_.ReadString(path_, section, key, def));
}

std::int32_t Settings::ReadInteger(const std::string& section, const std::string& key,
                                   std::int32_t def) const {
    return ParseSettingInteger(store_.ReadString(path_, section, key, {})).value_or(def);
}

bool Settings::ReadBool(const std::string& section, const std::string& key, bool def) const {
    const auto value = ParseSettingInteger(store_.ReadString(path_, section, key, {}));
    return value ? *value != 0 : def;
}

void Settings::Write(SettingsEdit edit) {
    if (batch_ != nullptr) {
        batch_->push_back(std::move(edit));
    } else {
        store_.Apply(path_, {std::move(edit)});
    }
}

void Settings::WriteString(const std::string& section, const std::string& key,
                           const std::string& value) {
    Write({section, key, value});
}

void Settings::WriteInteger(const std::string& section, const std::string& key,
                            std::int32_t value) {
    Write({section, key, std::to_string(value)});
}

void Settings::WriteBool(const std::string& section, const std::string& key, bool value) {
    Write({section, key, value ? "1" : "0"});
}

void Settings::EraseSection(const std::string& section) {
    Write({section, std::nullopt, {}});
}

SettingsBatch::SettingsBatch(Settings& settings)
    : settings_(settings), outer_(settings.batch_ == nullptr) {
    if (outer_) settings_.batch_ = &edits_;
}

SettingsBatch::~SettingsBatch() {
    if (outer_ && settings_.batch_ == &edits_) settings_.batch_ = nullptr;
}

void SettingsBatch::Commit() {
    if (!outer_ || settings_.batch_ != &edits_) return;
    settings_.batch_ = nullptr;
    if (!edits_.empty()) settings_.store_.Apply(settings_.path_, edits_);
}

}  // namespace sorvane
