#include "core/driveclean/DriveScan.h"

#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/app/StatusPump.h"
#include "core/driveclean/FileMatching.h"
#include "core/driveclean/ScanLists.h"
#include "core/utils/AllUtils.h"
#include "core/utils/TimeSlicedPump.h"

namespace sorvane {

namespace {

bool IsDots(const std::string& name) {
    return name == "." || name == "..";
}

constexpr std::uint32_t kVolumeLabel = 0x08;
// Events run every 15 ms, so that with a slow entry or a busy machine between two turns they
// still wait less than 50 ms; a turn costs about 40 us, well under 1% of the scan.
constexpr std::uint32_t kNotListed = 0xFFFFFFFFu;

// One scan's state: the directory list, the records and the pump.
//
// Every directory is listed for its files once. With subdirectories the preparation already
// lists each directory, so it tests the files there and then; the file phase lists only the
// directories whose files were not taken yet (the locations alone without subdirectories,
// and directories the preparation could not list).
class ScanRun {
  public:
    ScanRun(Platform& platform, PassRunner& runner, const LiveLimits& liveLimits,
            const DriveScanCriteria& criteria)
        : platform_(platform),
          runner_(runner),
          liveLimits_(liveLimits),
          criteria_(criteria),
          limits_(criteria),
          attributeSet_(AttributeSetOf(criteria)),
          matcher_(criteria, platform.locale),
          statusPump_(platform.pump,
                      [&runner](const std::string&, const std::string& path) {
                          runner.SetStatus(path);
                      }),
          pump_(statusPump_, platform.clock),
          types_(platform.shell),
          results_(platform.locale, directories_, types_) {}

    // Lists the locations (full, each once) and with subdirectories everything below them;
    // false when stopped.
    bool Prepare(const std::vector<std::string>& locations);
    // False when stopped.
    bool ScanFiles();
    // Sorts the records and writes them into the table; false when stopped first.
    bool Deliver(ResultTable& table, std::size_t& count);

  private:
    bool Running() const { return runner_.Running(); }
    // Lets events run when the slice is over; then false when the running flag is down.
    bool Continue() {
        if (pump_.Tick()) TakeLiveLimits();
        if (Running()) return true;
        stopped_ = true;
        return false;
    }
    // The user may have changed the size or date limits while events ran.
    void TakeLiveLimits() {
        if (liveLimits_ && liveLimits_(limits_)) {
            matcher_.SetLimits(limits_, platform_.locale);
        }
    }
    void PrepareDirectory(const ScanDirectoryList::Entry& entry);
    void OfferRemoval(const std::string& dir);
    // The number under which the files of the directory of `key` are kept, or kNotListed
    // when they have been taken already.
    std::uint32_t StartListing(const std::string& key);
    // Keeps the entry in data_ when it meets the criteria.
    void TestFile(const std::string& dir, std::uint32_t listing);
    ScanDirectoryList::Entry EntryOf(std::string path) {
        std::string key = platform_.locale.SortKey(path);
        return {std::move(key), std::move(path)};
    }

    Platform& platform_;
    PassRunner& runner_;
    const LiveLimits& liveLimits_;
    const DriveScanCriteria& criteria_;
    DriveScanCriteria limits_;  // the size and date limits as last read from the window
    const std::uint32_t attributeSet_;
    FileMatcher matcher_;
    StatusPump statusPump_;
    TimeSlicedPump pump_;
    ScanDirectoryList directories_;
    // The directories whose files were taken, by key, with the number their files carry
    // until the directory list is finished.
    std::unordered_map<std::string, std::uint32_t> listed_;
    std::uint32_t listings_ = 0;
    TypeNameCache types_;
    ResultList results_;
    FindData data_;  // reused by every listing, so entries cost no allocation
    std::string extension_;
    std::string path_;
    bool stopped_ = false;
};

bool ScanRun::Prepare(const std::vector<std::string>& locations) {
    for (const std::string& location : locations) {
        ScanDirectoryList::Entry entry = EntryOf(location + "\\");
        if (criteria_.subdirectories) {
            PrepareDirectory(entry);
            if (stopped_) return false;
        }
        directories_.Add(std::move(entry));
    }
    directories_.Finish([this] { pump_.Tick(); });
    return Running();
}

std::uint32_t ScanRun::StartListing(const std::string& key) {
    if (!listed_.try_emplace(key, listings_).second) return kNotListed;
    return listings_++;
}

void ScanRun::PrepareDirectory(const ScanDirectoryList::Entry& entry) {
    const std::string& dir = entry.path;
    std::vector<ScanDirectoryList::Entry> subdirectories;
    std::size_t count = 0;
    {
        // Overlapping locations walk some directories twice; their files are taken the
        // first time only.
        std::uint32_t listing = StartListing(entry.key);
        auto found = platform_.fs.FindFirst(dir + "*", data_);
        if (found) {
            do {
                statusPump_.SetCurrent(&dir, &data_.name);
                if (!Continue()) return;
                if (data_.attributes & attr::kDirectory) {
                    if (IsDots(data_.name)) continue;
                    ++count;
                    // A junction or link may lead back above itself or out of what the user
                    // chose to scan: its files are not this directory's to remove.
                    if (data_.attributes & attr::kReparsePoint) continue;
                    subdirectories.push_back(EntryOf(dir + data_.name + "\\"));
                    directories_.Add(subdirectories.back());
                } else if ((data_.attributes & kVolumeLabel) == 0) {
                    ++count;
                    if (listing != kNotListed) TestFile(dir, listing);
                }
            } while (found->Next(data_));
        } else if (listing != kNotListed) {
            // Not listed after all: a later walk or the file phase tries again.
            listed_.erase(entry.key);
        }
    }
    statusPump_.SetCurrent(nullptr, nullptr);
    // The question comes before the descent, so a directory holding only empty directories
    // is not offered itself.
    if (count == 0 && criteria_.emptyDirectoryCheck) OfferRemoval(dir);
    SortUnique(subdirectories);
    for (const auto& sub : subdirectories) {
        PrepareDirectory(sub);
        if (stopped_) return;
    }
}

void ScanRun::OfferRemoval(const std::string& dir) {
    IPrompts& prompts = platform_.prompts;
    if (!prompts.Confirm("Found an empty directory\r\n" + dir + "\r\nDelete the directory?")) {
        return;
    }
    // The directory stays in the list; listing it later simply gives nothing.
    if (platform_.fs.RemoveDir(dir)) {
        prompts.Show("Directory deleted succesfully.", MessageIcon::kQuestion);
    } else {
        prompts.Error("Unable to delete\r\n" + dir);
    }
}

void ScanRun::TestFile(const std::string& dir, std::uint32_t listing) {
    if (!ListedWith(attributeSet_, data_.attributes)) return;
    if (matcher_.NeedsExtension()) ExtensionKey(data_.name, extension_);
    FileDates dates;
    if (matcher_.NeedsDates()) dates = ReadFileDates(platform_.fs, platform_.locale, data_);
    if (!matcher_.Matches(extension_, data_.size, dates)) return;

    // The rest of the record is only worked out for the files kept.
    FoundFile file;
    if (!matcher_.NeedsDates()) dates = ReadFileDates(platform_.fs, platform_.locale, data_);
    if (!matcher_.NeedsExtension()) ExtensionKey(data_.name, extension_);
    path_.assign(dir).append(data_.name);
    file.type = types_.IndexOf(extension_, path_);
    file.name = data_.name;
    file.size = data_.size;
    file.modifiedTicks = dates.modifiedTicks;
    file.accessedTicks = dates.accessedTicks;
    file.directory = listing;
    file.attributes = data_.attributes;
    results_.Add(std::move(file));
}

bool ScanRun::ScanFiles() {
    for (std::size_t d = 0; d < directories_.Count(); ++d) {
        pump_.Tick();
        const std::uint32_t listing = StartListing(directories_.Key(d));
        if (listing == kNotListed) continue;
        const std::string& dir = directories_.Path(d);
        auto found = platform_.fs.FindFirst(dir + "*", data_);
        if (!found) continue;
        statusPump_.SetCurrent(&dir, &data_.name);
        do {
            if (!Continue()) return false;
            TestFile(dir, listing);
        } while (found->Next(data_));
    }
    statusPump_.SetCurrent(nullptr, nullptr);
    return Running();
}

bool ScanRun::Deliver(ResultTable& table, std::size_t& count) {
    // The files carry the number of their listing; the record wants the directory's place
    // in the finished list.
    const auto pulse = [this] { pump_.Tick(); };
    std::vector<std::uint32_t> index(listings_);
    std::size_t mapped = 0;
    for (const auto& [key, listing] : listed_) {
        if ((++mapped & 0x3FF) == 0) pulse();
        index[listing] = static_cast<std::uint32_t>(directories_.IndexOf(key));
    }
    // Released bit by bit: a hundred thousand directories take a while to free.
    for (auto it = listed_.begin(); it != listed_.end();) {
        if ((++mapped & 0x3FF) == 0) pulse();
        it = listed_.erase(it);
    }
    results_.MapDirectories(index, pulse);

    // Stop is not taken while the records sort, but events still run.
    results_.Finish(pulse);
    count = results_.Count();
    if (count == 0 || !Running()) return Running();
    const bool filled = results_.MoveInto(table, [this] {
        pump_.Tick();
        return Running();
    });
    directories_.Release(pulse);
    return filled;
}

}  // namespace

std::string StatusTextOf(const DriveScanResult& result) {
    switch (result.outcome) {
        case DriveScanOutcome::kNoLocation:
            return "Select a drive or directory first!";
        case DriveScanOutcome::kBusy:
            return kPassBusyStatus;
        case DriveScanOutcome::kStopped:
            return "Scan Stopped";
        case DriveScanOutcome::kNothingFound:
            return "No files were found";
        case DriveScanOutcome::kFound:
            break;
    }
    return std::to_string(result.count) + " files were found";
}

DriveScan::DriveScan(Platform& platform, PassRunner& runner, LiveLimits liveLimits)
    : platform_(platform), runner_(runner), liveLimits_(std::move(liveLimits)) {}

DriveScanResult DriveScan::Run(const DriveScanCriteria& criteria, ResultTable& table) {
    const std::vector<std::string> locations =
        ScanLocations(criteria.locations, platform_.fs, platform_.locale);
    if (locations.empty()) {
        platform_.prompts.Notice(kSelectLocationMessage);
        return {DriveScanOutcome::kNoLocation, 0};
    }
    const auto setCaption = [this](const char* phase) {
        runner_.SetCaption(std::string(kCaptionPrefix) + phase);
    };
    DriveScanResult result{DriveScanOutcome::kBusy, 0};
    const bool ran = runner_.Run(PassRunner::Kind::kStoppable, [&] {
        ScanRun run(platform_, runner_, liveLimits_, criteria);
        setCaption(kPreparingPhase);
        bool finished = run.Prepare(locations);
        if (finished) {
            setCaption(kScanningPhase);
            finished = run.ScanFiles();
        }
        std::size_t count = 0;
        if (finished) finished = run.Deliver(table, count);
        if (!finished) {
            result.outcome = DriveScanOutcome::kStopped;
        } else {
            result.count = count;
            result.outcome =
                count == 0 ? DriveScanOutcome::kNothingFound : DriveScanOutcome::kFound;
        }
    });
    if (ran) setCaption(kIdleTitle);
    return result;
}

}  // namespace sorvane
