#pragma once
// The per-file rules of the Clean Drive(s) scan: which entries the attribute options let
// through, the date values of a file, its extension key and attribute text, and the mask,
// size and date tests combined with AND or OR.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/driveclean/DriveScanCriteria.h"
#include "core/platform/FileSystem.h"
#include "core/platform/Locale.h"

namespace sorvane {

// The attribute set of the criteria: 32 archive, 1 read-only, 2 hidden, 4 system; all four
// when the attribute group is off.
std::uint32_t AttributeSetOf(const DriveScanCriteria& criteria);

// Whether a listing with this attribute set returns the entry: never directories or volume
// labels, hidden and system files only when their bit is in the set. Archive and read-only
// do not narrow.
bool ListedWith(std::uint32_t attributeSet, std::uint32_t attributes);

// "None", "A", "AR", "ARH" or "ARHS": the highest of archive < read-only < hidden < system
// that is set.
const char* AttributeText(std::uint32_t attributes);

// "*" followed by the name's extension from its last dot, with A to Z lower-cased; "*" alone
// when the name has no dot. Written into `out` so a long scan reuses one buffer.
void ExtensionKey(std::string_view name, std::string& out);

// A file's two times as the scan compares and shows them. A zero value (an empty DateTime,
// local ticks 0) stands for a time that is unknown; it is below every real date.
struct FileDates {
    bool stamped = false;  // the last-write time fits a packed local stamp
    DateTime modified;
    DateTime accessed;
    std::uint64_t modifiedTicks = 0;  // local time
    std::uint64_t accessedTicks = 0;
};

FileDates ReadFileDates(IFileSystem& fs, ILocale& locale, const FindData& data);

// The short date and long time of local ticks, or "Unknown" for 0.
std::string DateText(ILocale& locale, std::uint64_t localTicks);

bool Before(const DateTime& a, const DateTime& b);

// The mask, size and date criteria of one scan. Which of them take part, the masks and the
// combination are fixed when it is made; the size and date limits may change during the scan.
class FileMatcher {
  public:
    FileMatcher(const DriveScanCriteria& criteria, ILocale& locale);

    // Takes the size and date limits (the boxes and their values) from `criteria`. The dates
    // are parsed here, so call it when they change, not per file.
    void SetLimits(const DriveScanCriteria& criteria, ILocale& locale);

    // Only the date test needs the file's dates.
    bool NeedsDates() const { return dateActive_; }
    bool NeedsExtension() const { return maskActive_; }
    // `extensionKey` as ExtensionKey gives it; `dates` only read when NeedsDates().
    bool Matches(std::string_view extensionKey, std::uint64_t size, const FileDates& dates) const;

  private:
    bool MaskTest(std::string_view extensionKey) const;
    bool SizeTest(std::uint64_t size) const;
    bool DateTest(const FileDates& dates) const;

    bool collective_;
    bool maskActive_;
    bool sizeActive_;
    bool dateActive_;
    std::vector<std::string> masks_;
    bool biggerOn_ = false;
    bool smallerOn_ = false;
    std::int64_t bigger_ = 0;
    std::int64_t smaller_ = 0;
    bool accessedOn_ = false;
    bool modifiedOn_ = false;
    std::optional<DateTime> accessedLimit_;
    std::optional<DateTime> modifiedLimit_;
};

}  // namespace sorvane
