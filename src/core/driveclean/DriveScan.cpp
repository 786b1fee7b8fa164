#include "driveclean/DriveScan.h"

#include <vector>

#include "driveclean/FileMatching.h"
#include "driveclean/ScanLists.h"
#include "utils/TimeSlicedPump.h"

namespace sorvane {

namespace {

// Lets events run through the platform's pump, first showing the entry being worked on.
class StatusPump final : public IEventPump {
  public:
    StatusPump(IEventPump& pump, const std::function<void(const std::string&)>& status)
        : pump_(pump), status_(status) {}

    void SetCurrent(const std::string* directory, const std::string* name) {
        directory_ = directory;
        name_ = name;
    }
    void ProcessPending() override {
        if (status_ && directory_ != nullptr) {
            status_(name_ == nullptr ? *directory_ : *directory_ + *name_);
        }
        pump_.ProcessPending();
    }

  private:
    IEventPump& pump_;
    const std::function<void(const std::string&)>& status_;
    const std::string* directory_ = nullptr;
    const std::string* name_ = nullptr;
};

bool IsDots(const std::string& name) {
    return name == "." || name == "..";
}

// One scan's state: the directory list, the records and the pump.
class ScanRun {
  public:
    ScanRun(Platform& platform, const DriveScanHooks& hooks)
        : platform_(platform),
          hooks_(hooks),
          statusPump_(platform.pump, hooks.status),
          pump_(statusPump_, platform.clock, 25),
          types_(platform.shell),
          results_(platform.locale, directories_, types_) {}

    // False when stopped.
    bool Prepare(const DriveScanCriteria& criteria);
    // False when stopped.
    bool ScanFiles(const DriveScanCriteria& criteria);
    ResultList& Results() { return results_; }

  private:
    bool Running() const { return !hooks_.running || hooks_.running(); }
    // Lets events run when the slice is over; then false when the running flag is down.
    bool Continue() {
        pump_.Tick();
        if (Running()) return true;
        stopped_ = true;
        return false;
    }
    void PrepareDirectory(const std::string& dir, bool emptyCheck);
    void OfferRemoval(const std::string& dir);
    ScanDirectoryList::Entry EntryOf(std::string path) {
        std::string key = platform_.locale.SortKey(path);
        return {std::move(key), std::move(path)};
    }

    Platform& platform_;
    const DriveScanHooks& hooks_;
    StatusPump statusPump_;
    TimeSlicedPump pump_;
    ScanDirectoryList directories_;
    TypeNameCache types_;
    ResultList results_;
    FindData data_;  // reused by every listing, so entries cost no allocation
    bool stopped_ = false;
};

bool ScanRun::Prepare(const DriveScanCriteria& criteria) {
    for (const std::string& location : criteria.locations) {
        const std::string dir = location + "\\";
        if (criteria.subdirectories) {
            PrepareDirectory(dir, criteria.emptyDirectoryCheck);
            if (stopped_) return false;
        }
        directories_.Add(EntryOf(dir));
    }
    directories_.Finish();
    return Running();
}

void ScanRun::PrepareDirectory(const std::string& dir, bool emptyCheck) {
    std::vector<ScanDirectoryList::Entry> subdirectories;
    std::size_t count = 0;
    {
        auto listing = platform_.fs.FindFirst(dir + "*", data_);
        if (listing) {
            do {
                statusPump_.SetCurrent(&dir, &data_.name);
                if (!Continue()) return;
                if (data_.attributes & attr::kDirectory) {
                    if (IsDots(data_.name)) continue;
                    subdirectories.push_back(EntryOf(dir + data_.name + "\\"));
                    directories_.Add(subdirectories.back());
                    ++count;
                } else if ((data_.attributes & 0x08) == 0) {  // not a volume label
                    ++count;
                }
            } while (listing->Next(data_));
        }
    }
    statusPump_.SetCurrent(nullptr, nullptr);
    // The question comes before the descent, so a directory holding only empty directories
    // is not offered itself.
    if (count == 0 && emptyCheck) OfferRemoval(dir);
    SortUnique(subdirectories);
    for (const auto& sub : subdirectories) {
        PrepareDirectory(sub.path, emptyCheck);
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
        prompts.Notice("Directory deleted succesfully.");
    } else {
        prompts.Error("Unable to delete\r\n" + dir);
    }
}

bool ScanRun::ScanFiles(const DriveScanCriteria& criteria) {
    const std::uint32_t attributeSet = AttributeSetOf(criteria);
    const FileMatcher matcher(criteria, platform_.locale);
    std::string extension;
    std::string path;
    for (std::size_t d = 0; d < directories_.Count(); ++d) {
        const std::string& dir = directories_.Path(d);
        auto listing = platform_.fs.FindFirst(dir + "*", data_);
        if (!listing) continue;
        statusPump_.SetCurrent(&dir, &data_.name);
        do {
            if (!Continue()) return false;
            if (!ListedWith(attributeSet, data_.attributes)) continue;
            if (matcher.NeedsExtension()) ExtensionKey(data_.name, extension);
            FileDates dates;
            if (matcher.NeedsDates()) dates = ReadFileDates(platform_.fs, platform_.locale, data_);
            if (!matcher.Matches(extension, data_.size, dates)) continue;

            // The rest of the record is only worked out for the files kept.
            FoundFile file;
            if (!matcher.NeedsDates()) dates = ReadFileDates(platform_.fs, platform_.locale, data_);
            if (!matcher.NeedsExtension()) ExtensionKey(data_.name, extension);
            path.assign(dir).append(data_.name);
            file.type = types_.IndexOf(extension, path);
            file.name = data_.name;
            file.size = data_.size;
            file.modifiedTicks = dates.modifiedTicks;
            file.accessedTicks = dates.accessedTicks;
            file.directory = static_cast<std::uint32_t>(d);
            file.attributes = data_.attributes;
            results_.Add(std::move(file));
        } while (listing->Next(data_));
    }
    statusPump_.SetCurrent(nullptr, nullptr);
    return true;
}

}  // namespace

std::string StatusTextOf(const DriveScanResult& result) {
    switch (result.outcome) {
        case DriveScanOutcome::kNoLocation:
            return "Select a drive or directory first!";
        case DriveScanOutcome::kStopped:
            return "Scan Stopped";
        case DriveScanOutcome::kNothingFound:
            return "No files were found";
        case DriveScanOutcome::kFound:
            break;
    }
    return std::to_string(result.count) + " files were found";
}

DriveScan::DriveScan(Platform& platform, DriveScanHooks hooks)
    : platform_(platform), hooks_(std::move(hooks)) {}

DriveScanResult DriveScan::Run(const DriveScanCriteria& criteria, ResultTable& table) {
    if (criteria.locations.empty()) {
        platform_.prompts.Notice(kSelectLocationMessage);
        return {DriveScanOutcome::kNoLocation, 0};
    }
    const auto setCaption = [this](const char* phase) {
        if (hooks_.caption) hooks_.caption(std::string(kCaptionPrefix) + phase);
    };
    DriveScanResult result;
    {
        ScanRun run(platform_, hooks_);
        setCaption(kPreparingPhase);
        if (!run.Prepare(criteria)) {
            result.outcome = DriveScanOutcome::kStopped;
        } else {
            setCaption(kScanningPhase);
            if (!run.ScanFiles(criteria)) {
                result.outcome = DriveScanOutcome::kStopped;
            } else {
                ResultList& results = run.Results();
                results.Finish();
                result.count = results.Count();
                if (result.count == 0) {
                    result.outcome = DriveScanOutcome::kNothingFound;
                } else {
                    results.MoveInto(table);
                    result.outcome = DriveScanOutcome::kFound;
                }
            }
        }
    }
    setCaption(kIdleTitle);
    return result;
}

}  // namespace sorvane
