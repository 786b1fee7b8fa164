#include "core/driveclean/FileMatching.h"

#include <tuple>

namespace sorvane {

namespace {

constexpr std::uint32_t kVolumeLabel = 0x08;

// The local calendar value of a UTC file time, or nullopt when any step fails. Times whose
// upper half is zero or negative are not converted at all.
std::optional<DateTime> LocalValue(IFileSystem& fs, ILocale& locale, FileTime utc,
                                   std::uint64_t& localTicks) {
    localTicks = 0;
    if (static_cast<std::int32_t>(utc.ticks >> 32) <= 0) return std::nullopt;
    const auto local = fs.ToLocalTime(utc);
    if (!local) return std::nullopt;
    auto value = locale.FromFileTime(local->ticks);
    if (value) localTicks = local->ticks;
    return value;
}

}  // namespace

std::uint32_t AttributeSetOf(const DriveScanCriteria& criteria) {
    if (!criteria.attributeGroup) {
        return attr::kArchive | attr::kReadOnly | attr::kHidden | attr::kSystem;
    }
    return (criteria.archive ? attr::kArchive : 0u) | (criteria.readOnly ? attr::kReadOnly : 0u) |
           (criteria.hidden ? attr::kHidden : 0u) | (criteria.system ? attr::kSystem : 0u);
}

bool ListedWith(std::uint32_t attributeSet, std::uint32_t attributes) {
    if (attributes & (attr::kDirectory | kVolumeLabel)) return false;
    const std::uint32_t special = attributes & (attr::kHidden | attr::kSystem);
    return (special & ~attributeSet) == 0;
}

const char* AttributeText(std::uint32_t attributes) {
    if (attributes & attr::kSystem) return "ARHS";
    if (attributes & attr::kHidden) return "ARH";
    if (attributes & attr::kReadOnly) return "AR";
    if (attributes & attr::kArchive) return "A";
    return "None";
}

void ExtensionKey(std::string_view name, std::string& out) {
    out.assign(1, '*');
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return;
    for (const char c : name.substr(dot)) {
        out.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    }
}

FileDates ReadFileDates(IFileSystem& fs, ILocale& locale, const FindData& data) {
    FileDates dates;
    std::uint64_t ticks = 0;
    const auto modified = LocalValue(fs, locale, data.lastWriteTime, ticks);
    // The packed stamp of a directory listing only holds years 1980 to 2107; outside them
    // the platform gives no stamp and neither time is trusted.
    if (!modified || modified->year < 1980 || modified->year > 2107) return dates;
    dates.stamped = true;
    dates.modified = *modified;
    dates.modifiedTicks = ticks;
    if (const auto accessed = LocalValue(fs, locale, data.lastAccessTime, ticks)) {
        dates.accessed = *accessed;
        dates.accessedTicks = ticks;
    }
    return dates;
}

std::string DateText(ILocale& locale, std::uint64_t localTicks) {
    if (localTicks == 0) return "Unknown";
    const auto value = locale.FromFileTime(localTicks);
    return value ? locale.FormatDateTime(*value) : "Unknown";
}

bool Before(const DateTime& a, const DateTime& b) {
    return std::tie(a.year, a.month, a.day, a.hour, a.minute, a.second) <
           std::tie(b.year, b.month, b.day, b.hour, b.minute, b.second);
}

FileMatcher::FileMatcher(const DriveScanCriteria& criteria, ILocale& locale)
    : collective_(criteria.collective),
      maskActive_(criteria.maskGroup && !criteria.masks.empty()),
      sizeActive_(criteria.sizeGroup),
      dateActive_(criteria.dateGroup) {
    if (maskActive_) {
        for (const ScanMask& mask : criteria.masks) {
            if (mask.checked) masks_.push_back(mask.text);
        }
    }
    SetLimits(criteria, locale);
}

void FileMatcher::SetLimits(const DriveScanCriteria& criteria, ILocale& locale) {
    biggerOn_ = criteria.biggerOn;
    smallerOn_ = criteria.smallerOn;
    bigger_ = criteria.biggerKBytes * 1000;
    smaller_ = criteria.smallerKBytes * 1000;
    accessedOn_ = criteria.accessedOn;
    modifiedOn_ = criteria.modifiedOn;
    accessedLimit_.reset();
    modifiedLimit_.reset();
    if (dateActive_) {
        if (accessedOn_) accessedLimit_ = locale.ParseDateTime(criteria.accessedBefore);
        if (modifiedOn_) modifiedLimit_ = locale.ParseDateTime(criteria.modifiedBefore);
    }
}

bool FileMatcher::Matches(std::string_view extensionKey, std::uint64_t size,
                          const FileDates& dates) const {
    if (!maskActive_ && !sizeActive_ && !dateActive_) return true;
    // Tests run in the order mask, size, date and stop as soon as the outcome is known.
    if (collective_) {
        return (!maskActive_ || MaskTest(extensionKey)) && (!sizeActive_ || SizeTest(size)) &&
               (!dateActive_ || DateTest(dates));
    }
    return (maskActive_ && MaskTest(extensionKey)) || (sizeActive_ && SizeTest(size)) ||
           (dateActive_ && DateTest(dates));
}

bool FileMatcher::MaskTest(std::string_view extensionKey) const {
    for (const std::string& mask : masks_) {
        if (mask == extensionKey) return true;
    }
    return false;
}

bool FileMatcher::SizeTest(std::uint64_t size) const {
    const auto value = static_cast<std::int64_t>(size);
    if (biggerOn_ && smallerOn_) return bigger_ <= value && value <= smaller_;
    if (biggerOn_) return value >= bigger_;
    if (smallerOn_) return value <= smaller_;
    return false;
}

bool FileMatcher::DateTest(const FileDates& dates) const {
    if (!dates.stamped || (!accessedOn_ && !modifiedOn_)) return false;
    if (accessedOn_ && !(accessedLimit_ && Before(dates.accessed, *accessedLimit_))) return false;
    if (modifiedOn_ && !(modifiedLimit_ && Before(dates.modified, *modifiedLimit_))) return false;
    return true;
}

}  // namespace sorvane
