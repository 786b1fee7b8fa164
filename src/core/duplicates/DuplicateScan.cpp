#include "core/duplicates/DuplicateScan.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <memory>
#include <unordered_set>

#include "core/app/SharedValues.h"
#include "core/app/StatusPump.h"
#include "core/driveclean/FileMatching.h"
#include "core/driveclean/ScanLists.h"
#include "core/utils/AllUtils.h"
#include "core/utils/AsciiText.h"
#include "core/utils/TimeSlicedPump.h"

namespace sorvane {

namespace {

constexpr std::uint32_t kVolumeLabel = 0x08;
// Files are told apart by a first block before more of them is read.
constexpr std::size_t kFirstBlock = 4096;
// Later blocks share this much memory among the files compared together, each between the
// first block's size and kLargestBlock.
constexpr std::size_t kBlockBudget = 8u << 20;
constexpr std::size_t kLargestBlock = 256u << 10;
// Files compared together stay open up to this many; more are opened again for each block.
constexpr std::size_t kMostOpen = 256;

// One file of the scan.
struct DupFile {
    std::string name;
    std::uint64_t size = 0;
    FileTime written;  // as listed (UTC)
    FileTime created;
    std::uint32_t directory = 0;
};

using Group = std::vector<std::uint32_t>;  // indices of files

// A file in the content comparison, with its reader while it is kept open.
struct Reading {
    std::uint32_t file = 0;
    std::unique_ptr<IFileReader> reader;
};

// Files sorted into sets by the bytes of a block, in the order the blocks first came.
class BlockSets {
  public:
    void Add(const std::string& block, Reading reading) {
        const auto [it, added] = index_.try_emplace(block, sets_.size());
        if (added) sets_.emplace_back();
        sets_[it->second].push_back(std::move(reading));
    }
    std::vector<std::vector<Reading>>& Sets() { return sets_; }

  private:
    std::unordered_map<std::string, std::size_t> index_;
    std::vector<std::vector<Reading>> sets_;
};

class DupRun {
  public:
    DupRun(Platform& platform, PassRunner& runner, const DuplicateCriteria& criteria)
        : platform_(platform),
          runner_(runner),
          criteria_(criteria),
          excluded_(criteria.excludedMasks.begin(), criteria.excludedMasks.end()),
          statusPump_(platform.pump,
                      [&runner](const std::string&, const std::string& text) {
                          runner.SetStatus(text);
                      }),
          pump_(statusPump_, platform.clock),
          types_(platform.shell) {}

    // Lists every directory below the locations once, keeping the files' entries as it goes;
    // false when stopped.
    bool Walk(const std::vector<std::string>& locations);
    std::size_t DirectoriesFound() const { return directoriesFound_; }
    // Goes through the files the walk kept, leaving out those an excluded mask names and the
    // empty ones; false when stopped.
    bool ScanFiles();
    std::size_t FilesFound() const { return filesFound_; }
    // Splits the files into groups that agree on name, size and date as chosen, and on
    // nothing more when the content is not compared; false when stopped. The status counts
    // the files settled from here until ComparingDone.
    bool GroupByKeys();
    // Splits the groups by content; false when stopped.
    bool CompareContents();
    // Drops every later name of a file that stands in its group more than once (hard links):
    // asked only of the files found alike, as the question costs an open per file.
    bool DropSecondNames();
    // Shows the count of the comparison at its end.
    void ComparingDone();
    // Writes the groups into the table; false when stopped first.
    bool Deliver(ResultTable& table, JudgedFiles& judged, DuplicateScanResult& result);
    std::size_t Unreadable() const { return unreadable_; }
    // Frees the working lists a piece at a time.
    void Release();

  private:
    bool Continue() {
        pump_.Tick();
        return runner_.Running();
    }
    // Comparisons that let events run every so often, for sorts of a long list.
    template <typename Less>
    auto Pulsed(Less less) {
        return [this, less](std::uint32_t a, std::uint32_t b) {
            if ((++compared_ & 0xFFF) == 0) pump_.Tick();
            return less(a, b);
        };
    }
    // Splits every group into runs of equal `key`, dropping runs of one file.
    template <typename Key>
    bool SplitBy(const Key& key);
    std::string Path(std::uint32_t file) const {
        return directories_[files_[file].directory] + files_[file].name;
    }
    // The date text of the table: empty without a valid stamp.
    const std::string& DateOf(std::uint32_t file);
    // Splits `set`, files of one size whose first `offset` bytes agree, by the rest of their
    // contents; the groups of equal files go to `done`.
    bool CompareRest(std::vector<Reading> set, std::uint64_t offset, std::vector<Group>& done);
    // Reads the next `count` bytes of a file at `offset`; false (counted) when it cannot.
    bool ReadBlock(Reading& reading, std::uint64_t offset, std::size_t count, char* into,
                   bool keepOpen);
    void Settled(std::size_t files) { settled_ += files; }
    std::string ComparedText() const;

    Platform& platform_;
    PassRunner& runner_;
    const DuplicateCriteria& criteria_;
    const std::unordered_set<std::string> excluded_;
    StatusPump statusPump_;
    TimeSlicedPump pump_;
    TypeNameCache types_;
    // As found on disk, so that opening a file needs no case-blind search; the table shows
    // those below a location in capitals.
    std::vector<std::string> directories_;
    std::vector<bool> belowLocation_;
    std::vector<DupFile> files_;
    std::vector<Group> groups_;
    std::unordered_map<std::uint64_t, std::string> dateTexts_;  // by second of the time
    std::unordered_set<std::string> seen_;  // collation keys of the directories listed
    std::unordered_map<std::uint32_t, std::string> directoryKeys_;
    std::unordered_map<std::uint32_t, std::string> shownDirectories_;  // as the table shows them
    std::size_t directoriesFound_ = 0;
    std::size_t filesFound_ = 0;
    std::size_t unreadable_ = 0;
    std::size_t settled_ = 0;
    std::uint32_t compared_ = 0;
    std::string foundDir_;  // the directory the walk found last
};

bool DupRun::Walk(const std::vector<std::string>& locations) {
    std::vector<std::string> pending;
    FindData data;
    statusPump_.SetCurrent([this] { return foundDir_.empty() ? foundDir_ : foundDir_ + "..."; });
    for (const std::string& location : locations) {
        pending.push_back(location + "\\");
        while (!pending.empty()) {
            std::string path = std::move(pending.back());
            pending.pop_back();
            // A directory reached from two locations is listed once.
            if (!seen_.insert(platform_.locale.SortKey(path)).second) continue;
            auto found = platform_.fs.FindFirst(path + "*", data);
            if (!found) continue;
            ++directoriesFound_;
            const auto index = static_cast<std::uint32_t>(directories_.size());
            belowLocation_.push_back(path.size() > location.size() + 1);
            directories_.push_back(std::move(path));
            const std::string* dir = &directories_.back();
            const std::size_t firstSub = pending.size();
            do {
                if (!Continue()) return false;
                if (data.attributes & attr::kDirectory) {
                    // A junction or link leads to files found elsewhere, or back above itself.
                    if (data.name == "." || data.name == ".." ||
                        (data.attributes & attr::kReparsePoint)) {
                        continue;
                    }
                    foundDir_ = *dir + data.name;
                    pending.push_back(foundDir_ + "\\");
                    continue;
                }
                if (data.attributes & kVolumeLabel) continue;
                files_.push_back(
                    {data.name, data.size, data.lastWriteTime, data.creationTime, index});
            } while (found->Next(data));
            // Depth first, in the order found.
            std::reverse(pending.begin() + static_cast<std::ptrdiff_t>(firstSub), pending.end());
        }
    }
    statusPump_.SetCurrent(nullptr);
    ReleaseInSlices(seen_, pump_);
    return runner_.Running();
}

bool DupRun::ScanFiles() {
    std::size_t at = 0;
    statusPump_.SetCurrent([this, &at] {
        return at < files_.size() ? directories_[files_[at].directory] + files_[at].name
                                  : std::string();
    });
    std::string extension;
    std::size_t kept = 0;
    for (; at < files_.size(); ++at) {
        if (!Continue()) return false;
        ExtensionKey(files_[at].name, extension);
        if (excluded_.count(extension) > 0) continue;
        ++filesFound_;
        // An empty file holds nothing to reclaim, and many are markers programs need.
        if (files_[at].size == 0) continue;
        if (kept != at) files_[kept] = std::move(files_[at]);
        ++kept;
    }
    files_.resize(kept);
    statusPump_.SetCurrent(nullptr);
    return true;
}

template <typename Key>
bool DupRun::SplitBy(const Key& key) {
    std::vector<Group> split;
    for (Group& group : groups_) {
        std::stable_sort(group.begin(), group.end(),
                         Pulsed([&](std::uint32_t a, std::uint32_t b) { return key(a) < key(b); }));
        if (!runner_.Running()) return false;
        for (std::size_t first = 0; first < group.size();) {
            std::size_t last = first + 1;
            while (last < group.size() && !(key(group[first]) < key(group[last]))) ++last;
            if (last - first > 1) split.emplace_back(group.begin() + first, group.begin() + last);
            first = last;
        }
        Group().swap(group);
    }
    groups_ = std::move(split);
    return Continue();
}

const std::string& DupRun::DateOf(std::uint32_t file) {
    // Files copied or unpacked together share their times: each second is converted once.
    const std::uint64_t second = files_[file].written.ticks / 10'000'000;
    const auto [it, added] = dateTexts_.try_emplace(second);
    if (added) {
        FindData data;
        data.lastWriteTime = files_[file].written;
        const FileDates dates = ReadFileDates(platform_.fs, platform_.locale, data);
        if (dates.stamped) it->second = platform_.locale.FormatDateTime(dates.modified);
    }
    return it->second;
}

std::string DupRun::ComparedText() const {
    // The last file is compared with none after it, so the count ends one short of the total.
    const std::size_t total = files_.size();
    return "Finished comparing " + std::to_string(std::min(settled_, total - 1)) +
           " files out of " + std::to_string(total) + " files found";
}

void DupRun::ComparingDone() {
    statusPump_.SetCurrent(nullptr);
    if (files_.size() > 1) runner_.SetStatus(ComparedText());
}

bool DupRun::GroupByKeys() {
    if (files_.size() > 1) statusPump_.SetCurrent([this] { return ComparedText(); });
    Group all(files_.size());
    for (std::uint32_t i = 0; i < all.size(); ++i) all[i] = i;
    groups_.push_back(std::move(all));
    // Files of different length are never the same content.
    if (criteria_.sameSize || criteria_.sameContent) {
        if (!SplitBy([this](std::uint32_t f) { return files_[f].size; })) return false;
    }
    if (criteria_.sameName &&
        !SplitBy([this](std::uint32_t f) -> const std::string& { return files_[f].name; })) {
        return false;
    }
    if (criteria_.sameDate &&
        !SplitBy([this](std::uint32_t f) -> const std::string& { return DateOf(f); })) {
        return false;
    }
    settled_ = files_.size();
    for (const Group& group : groups_) settled_ -= group.size();
    return true;
}

bool DupRun::DropSecondNames() {
    const auto times = [this](std::uint32_t f) {
        return std::pair(files_[f].written.ticks, files_[f].created.ticks);
    };
    std::vector<Group> kept;
    for (Group& group : groups_) {
        // Two names of one file share its times to the tick, which copies almost never do;
        // only those are asked for their identity, as the question costs an open per file.
        Group byTimes = group;
        std::sort(byTimes.begin(), byTimes.end(),
                  Pulsed([&](std::uint32_t a, std::uint32_t b) { return times(a) < times(b); }));
        std::unordered_set<std::uint32_t> suspects;
        for (std::size_t i = 1; i < byTimes.size(); ++i) {
            if (times(byTimes[i]) != times(byTimes[i - 1])) continue;
            suspects.insert(byTimes[i]);
            suspects.insert(byTimes[i - 1]);
        }
        std::vector<FileIdentity> identities;
        Group distinct;
        for (const std::uint32_t file : group) {
            if (!Continue()) return false;
            if (suspects.count(file) > 0) {
                if (const auto identity = platform_.fs.Identity(Path(file))) {
                    if (std::find(identities.begin(), identities.end(), *identity) !=
                        identities.end()) {
                        continue;
                    }
                    identities.push_back(*identity);
                }
            }
            distinct.push_back(file);
        }
        if (distinct.size() > 1) kept.push_back(std::move(distinct));
    }
    groups_ = std::move(kept);
    return true;
}

bool DupRun::ReadBlock(Reading& reading, std::uint64_t offset, std::size_t count, char* into,
                       bool keepOpen) {
    if (!reading.reader) {
        reading.reader = platform_.fs.OpenRead(Path(reading.file));
        if (!reading.reader || (offset > 0 && !reading.reader->Seek(offset))) {
            reading.reader.reset();
            ++unreadable_;
            return false;
        }
    }
    std::size_t got = 0;
    while (got < count) {
        const auto n = reading.reader->Read(into + got, count - got);
        if (!n || *n == 0) break;
        got += *n;
    }
    if (!keepOpen) reading.reader.reset();
    if (got == count) return true;
    // Unreadable, or shorter than when it was listed: not a copy of anything.
    reading.reader.reset();
    ++unreadable_;
    return false;
}

bool DupRun::CompareContents() {
    std::vector<Group> done;
    std::string block;
    for (Group& group : groups_) {
        const std::uint64_t size = files_[group.front()].size;
        const std::size_t first =
            static_cast<std::size_t>(std::min<std::uint64_t>(size, kFirstBlock));
        const bool keepOpen = size > first && group.size() <= kMostOpen;
        BlockSets sets;  // by the first block
        for (const std::uint32_t file : group) {
            if (!Continue()) return false;
            Reading reading{file, nullptr};
            block.resize(first);
            if (!ReadBlock(reading, 0, first, block.data(), true)) {
                Settled(1);
                continue;
            }
            if (!keepOpen) reading.reader.reset();
            sets.Add(block, std::move(reading));
        }
        Group().swap(group);
        for (auto& set : sets.Sets()) {
            if (set.size() < 2) {
                Settled(set.size());
                continue;
            }
            if (!CompareRest(std::move(set), first, done)) return false;
        }
    }
    groups_ = std::move(done);
    return true;
}

bool DupRun::CompareRest(std::vector<Reading> set, std::uint64_t offset, std::vector<Group>& done) {
    const std::uint64_t size = files_[set.front().file].size;
    // Sets of files equal up to `at`, each compared block by block together.
    struct Pending {
        std::vector<Reading> set;
        std::uint64_t at = 0;
    };
    std::vector<Pending> work;
    work.push_back({std::move(set), offset});
    std::string block;
    while (!work.empty()) {
        Pending pending = std::move(work.back());
        work.pop_back();
        if (pending.at >= size) {
            Group group;
            for (const Reading& reading : pending.set) group.push_back(reading.file);
            Settled(group.size());
            done.push_back(std::move(group));
            continue;
        }
        const bool keepOpen = pending.set.size() <= kMostOpen;
        const std::size_t share =
            std::clamp(kBlockBudget / pending.set.size(), kFirstBlock, kLargestBlock);
        const auto count =
            static_cast<std::size_t>(std::min<std::uint64_t>(share, size - pending.at));
        BlockSets subsets;
        block.resize(count);
        for (Reading& reading : pending.set) {
            if (!Continue()) return false;
            if (!ReadBlock(reading, pending.at, count, block.data(), keepOpen)) {
                Settled(1);
                continue;
            }
            subsets.Add(block, std::move(reading));
        }
        for (auto& subset : subsets.Sets()) {
            if (subset.size() < 2) {
                Settled(subset.size());
            } else {
                work.push_back({std::move(subset), pending.at + count});
            }
        }
    }
    return true;
}

bool DupRun::Deliver(ResultTable& table, JudgedFiles& judged, DuplicateScanResult& result) {
    if (groups_.empty()) return true;  // the table keeps the last results
    // Each group in the order of the file list (by name, then directory), the groups by their
    // first file. Only the first file's key is kept: a key for every file at once would cost a
    // long stall to make and to free.
    std::vector<std::string> firstKeys;  // of each group, as in groups_
    firstKeys.reserve(groups_.size());
    std::vector<std::pair<std::string, std::uint32_t>> keyed;  // of the group at hand
    std::string quoted;
    std::size_t rowCount = 0;
    for (Group& group : groups_) {
        keyed.resize(group.size());
        for (std::size_t i = 0; i < group.size(); ++i) {
            if (!Continue()) return false;
            const std::uint32_t file = group[i];
            quoted.assign(1, '"');
            quoted += files_[file].name;
            quoted += "\",";
            std::string& key = keyed[i].first;
            key = platform_.locale.SortKey(quoted);
            key += '\0';
            const std::uint32_t dir = files_[file].directory;
            auto [dirKey, added] = directoryKeys_.try_emplace(dir);
            if (added) dirKey->second = platform_.locale.SortKey(directories_[dir]);
            key += dirKey->second;
            keyed[i].second = file;
        }
        std::sort(keyed.begin(), keyed.end());
        for (std::size_t i = 0; i < group.size(); ++i) group[i] = keyed[i].second;
        firstKeys.push_back(std::move(keyed.front().first));
        rowCount += group.size();
    }
    std::vector<std::uint32_t> order(groups_.size());
    for (std::uint32_t g = 0; g < order.size(); ++g) order[g] = g;
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        if ((++compared_ & 0xFFF) == 0) pump_.Tick();
        return firstKeys[a] < firstKeys[b];
    });
    if (!runner_.Running()) return false;

    // Room for every row at once: growing a long list moves all of it in one go. Making that
    // room takes a while itself, so events run just before.
    pump_.Flush();
    ResultTable rows = DuplicateTable();
    rows.Reserve(rowCount);
    JudgedFiles files;
    files.Reserve(rowCount);
    std::string extension;
    char size[24];
    for (std::size_t g = 0; g < order.size(); ++g) {
        const Group& group = groups_[order[g]];
        const std::string number = std::to_string(g);
        const CellStyle style{g % 2 == 0 ? kEvenGroupColor : kOddGroupColor, 0x000000};
        for (const std::uint32_t file : group) {
            if (!Continue()) return false;
            const DupFile& f = files_[file];
            const auto [shown, added] = shownDirectories_.try_emplace(f.directory);
            if (added) {
                const std::string& dir = directories_[f.directory];
                shown->second = belowLocation_[f.directory] ? platform_.locale.Upper(dir) : dir;
            }
            ExtensionKey(f.name, extension);
            const std::string& type = types_.Name(types_.IndexOf(extension, Path(file)));
            const char* const sizeEnd = std::to_chars(size, size + sizeof size, f.size).ptr;
            rows.AppendCells({number, f.name, std::string_view(size, sizeEnd - size), DateOf(file),
                              shown->second, type});
            rows.SetStyle(rows.RowCount() - 1, style);
            // Judged by the path the table shows, which the actions will ask about.
            files.Add(shown->second + f.name, f.size, f.written);
        }
    }
    result.count = rowCount;
    result.groups = groups_.size();
    // The last results are freed a piece at a time.
    table.TakeRows(rows, [this] { pump_.Tick(); });
    judged.Swap(files);
    files.Release([this] { pump_.Tick(); });
    ReleaseInSlices(firstKeys, pump_);
    return true;
}

void DupRun::Release() {
    // A phase that was stopped may have left a status that reads its own locals.
    statusPump_.SetCurrent(nullptr);
    ReleaseInSlices(files_, pump_);
    ReleaseInSlices(groups_, pump_);
    ReleaseInSlices(directories_, pump_);
    ReleaseInSlices(seen_, pump_);
    ReleaseInSlices(directoryKeys_, pump_);
    ReleaseInSlices(shownDirectories_, pump_);
}

}  // namespace

ResultTable DuplicateTable() {
    return ResultTable({{"", Alignment::kLeft, 10},
                        {"File Name", Alignment::kLeft, 150},
                        {"File Size", Alignment::kRight, 70},
                        {"File Date", Alignment::kLeft, 90},
                        {"File Path", Alignment::kLeft, 180},
                        {"File Type", Alignment::kLeft, 90}},
                       kDupNameColumn, kDupPathColumn);
}

std::string StatusTextOf(const DuplicateScanResult& result) {
    std::string text;
    switch (result.outcome) {
        case DuplicateScanOutcome::kNoLocation:
            return "Select a drive or directory first!";
        case DuplicateScanOutcome::kNoCriterion:
            return "Check at least one criterion first!";
        case DuplicateScanOutcome::kBusy:
            return kPassBusyStatus;
        case DuplicateScanOutcome::kStopped:
            return "Scanning Stopped!";
        case DuplicateScanOutcome::kNoDirectories:
            return "No directories were found.";
        case DuplicateScanOutcome::kNoFiles:
            return "No files were found.";
        case DuplicateScanOutcome::kNoneFound:
        case DuplicateScanOutcome::kFound:
            text = "Found " + std::to_string(result.count) + " duplicate files.";
            break;
    }
    if (result.unreadable > 0) {
        text += ' ';
        text += std::to_string(result.unreadable);
        text += " files could not be read.";
    }
    return text;
}

void JudgedFiles::Add(std::string path, std::uint64_t size, FileTime written) {
    files_[UpperAscii(std::move(path))] = {size, written};
}

bool JudgedFiles::Unchanged(IFileSystem& fs, const std::string& path) const {
    const auto it = files_.find(UpperAscii(path));
    if (it == files_.end()) return false;
    FindData data;
    const auto found = fs.FindFirst(path, data);
    return found && (data.attributes & attr::kDirectory) == 0 && data.size == it->second.size &&
           data.lastWriteTime == it->second.written;
}

void JudgedFiles::Release(const std::function<void()>& pulse) {
    for (std::size_t erased = 0; !files_.empty(); ++erased) {
        if ((erased & 0x3FF) == 0x3FF) pulse();
        files_.erase(files_.begin());
    }
}

void JudgedFiles::Moved(const std::string& from, const std::string& to) {
    const auto it = files_.find(UpperAscii(from));
    if (it == files_.end()) return;
    const State state = it->second;
    files_.erase(it);
    files_[UpperAscii(to)] = state;
}

DuplicateScan::DuplicateScan(Platform& platform, PassRunner& runner)
    : platform_(platform), runner_(runner) {}

DuplicateScanResult DuplicateScan::Run(const DuplicateCriteria& criteria, ResultTable& table,
                                       JudgedFiles& judged) {
    using Outcome = DuplicateScanOutcome;
    const std::vector<std::string> locations =
        ScanLocations(criteria.locations, platform_.fs, platform_.locale);
    if (locations.empty()) {
        platform_.prompts.Notice("You must select at least one drive or directory!");
        return {Outcome::kNoLocation};
    }
    if (!criteria.sameName && !criteria.sameSize && !criteria.sameDate && !criteria.sameContent) {
        // Every file would match every other.
        platform_.prompts.Notice("You must check at least one of the criteria to compare files!");
        return {Outcome::kNoCriterion};
    }
    const auto setCaption = [this](const char* phase) {
        runner_.SetCaption(std::string(kCaptionPrefix) + phase);
    };
    DuplicateScanResult result{Outcome::kBusy};
    const bool ran = runner_.Run(PassRunner::Kind::kStoppable, [&] {
        DupRun run(platform_, runner_, criteria);
        result.outcome = [&] {
            setCaption(kDupPreparingPhase);
            if (!run.Walk(locations)) return Outcome::kStopped;
            if (run.DirectoriesFound() == 0) return Outcome::kNoDirectories;
            setCaption(kDupScanningPhase);
            if (!run.ScanFiles()) return Outcome::kStopped;
            if (run.FilesFound() == 0) return Outcome::kNoFiles;
            setCaption(kDupComparingPhase);
            if (!run.GroupByKeys()) return Outcome::kStopped;
            if (criteria.sameContent) {
                const bool compared = run.CompareContents();
                result.unreadable = run.Unreadable();
                if (!compared) return Outcome::kStopped;
            }
            if (!run.DropSecondNames()) return Outcome::kStopped;
            run.ComparingDone();
            if (!run.Deliver(table, judged, result)) {
                result.count = 0;
                return Outcome::kStopped;
            }
            return result.count == 0 ? Outcome::kNoneFound : Outcome::kFound;
        }();
        run.Release();
    });
    if (ran) setCaption(kDupIdleTitle);
    return result;
}

}  // namespace sorvane
