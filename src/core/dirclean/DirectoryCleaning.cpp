#include "core/dirclean/DirectoryCleaning.h"

#include <map>
#include <unordered_set>

#include "core/utils/AllUtils.h"
#include "core/utils/FileRemoval.h"

namespace sorvane {

namespace {

constexpr std::uint32_t kVolumeLabel = 0x08;
// Masks and extensions are compared up to this length.
constexpr std::size_t kLongestText = 255;

bool IsDots(const std::string& name) {
    return name == "." || name == "..";
}

// A directory to go into: not a dot entry, not a junction or link.
bool IsSubdirectory(const FindData& data) {
    return (data.attributes & attr::kDirectory) != 0 && !IsDots(data.name) &&
           (data.attributes & attr::kReparsePoint) == 0;
}

bool IsFile(const FindData& data) {
    return (data.attributes & (attr::kDirectory | kVolumeLabel)) == 0;
}

std::string ExtensionOf(const std::string& name) {
    const std::size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

}  // namespace

bool WildcardMatch(std::string_view text, std::string_view pattern) {
    text = text.substr(0, kLongestText);
    pattern = pattern.substr(0, kLongestText);
    const std::size_t n = text.size(), m = pattern.size();
    // matched[i][j]: text from i matches pattern from j. Worked from the ends back, so a
    // pattern with many stars costs no more than its length times the text's.
    std::vector<std::vector<char>> matched(n + 1, std::vector<char>(m + 1, 0));
    for (std::size_t i = n + 1; i-- > 0;) {
        for (std::size_t j = m + 1; j-- > 0;) {
            bool result = false;
            if (j + 1 == m && pattern[j] == '*') {
                result = true;  // a last star takes whatever is left
            } else if (i == n) {
                result = j == m;
            } else if (j == m) {
                result = false;
            } else if (pattern[j] == '*') {
                result = matched[i][j + 1] || matched[i + 1][j];
            } else {
                result = (pattern[j] == '?' || pattern[j] == text[i]) && matched[i + 1][j + 1];
            }
            matched[i][j] = result;
        }
    }
    return matched[0][0] != 0;
}

bool MatchesMask(const std::string& extension, const std::string& mask, ILocale& locale) {
    if (mask.find('?') == std::string::npos || extension.empty()) {
        return locale.Lower("*" + extension) == locale.Lower(mask);
    }
    return WildcardMatch(locale.Lower(extension), mask + "*");
}

std::string CleanNote(const CleanReport& report) {
    std::string note;
    if (report.keptWithoutBin > 0) {
        note = "Kept " + std::to_string(report.keptWithoutBin) +
               " files: their drive has no recycle bin, and nobody was asked to delete them "
               "for good.";
    }
    if (report.notRecycled > 0) {
        if (!note.empty()) note += ' ';
        note += std::to_string(report.notRecycled) + " files could not be recycled and stay.";
    }
    if (report.leftForAge > 0) {
        if (!note.empty()) note += ' ';
        note += "Left " + std::to_string(report.leftForAge) +
                " files younger than their age limit.";
    }
    if (!report.historyNote.empty()) {
        if (!note.empty()) note += ' ';
        note += report.historyNote;
    }
    return note;
}

DirectoryCleaning::DirectoryCleaning(Platform& platform, PassRunner& runner,
                                     CleaningHistory& history)
    : platform_(platform),
      runner_(runner),
      history_(history),
      pump_(platform.pump, platform.clock) {}

bool DirectoryCleaning::Walk(const std::string& path, bool subdirectories,
                             const std::function<void(const std::string&, const FindData&)>& visit) {
    // One listing per directory gives both its entries and the directories to go into next.
    std::vector<std::string> pending{path + "\\"};
    FindData data;
    while (!pending.empty()) {
        const std::string dir = std::move(pending.back());
        pending.pop_back();
        auto found = platform_.fs.FindFirst(dir + "*", data);
        if (!found) continue;
        do {
            if (!Continue()) return false;
            if (IsSubdirectory(data)) {
                if (subdirectories) pending.push_back(dir + data.name + "\\");
            } else if (!IsFile(data)) {
                continue;
            }
            visit(dir, data);
        } while (found->Next(data));
    }
    return true;
}

DirectoryStats DirectoryCleaning::GatherStats(const std::string& path) {
    DirectoryStats stats;
    // The numbers are only shown: a stop (the program ending) just ends the count.
    Walk(path, true, [&stats](const std::string&, const FindData& data) {
        if (IsSubdirectory(data)) {
            ++stats.subdirectories;
        } else {
            ++stats.files;
            stats.bytes += data.size;
        }
    });
    return stats;
}

bool DirectoryCleaning::Matches(const std::string& name, const TargetOptions& options) {
    if (options.deleteAll) return true;
    const std::string extension = ExtensionOf(name);
    for (const std::string& mask : options.masks) {
        // The first mask that matches is enough: a file goes once.
        if (MatchesMask(extension, mask, platform_.locale)) return true;
    }
    return false;
}

void DirectoryCleaning::Clean(const std::string& path, const TargetOptions& options,
                              bool unattended, HistoryRun& run, CleanReport& report) {
    std::vector<std::string> recycle;
    std::vector<std::uint64_t> sizes;  // of the files of `recycle`
    std::map<std::string, bool> bins;  // by drive root: one question per drive
    const FileTime now = platform_.clock.UtcNow();
    std::size_t young = 0;
    std::uint64_t youngBytes = 0;
    const bool walked = Walk(path, options.includeSubdirs, [&](const std::string& dir,
                                                                const FindData& data) {
        if (IsSubdirectory(data) || !Matches(data.name, options)) return;
        if (!OldEnough(data.lastWriteTime, data.creationTime, now, options.age)) {
            ++young;
            youngBytes += data.size;
            return;
        }
        std::string file = dir + data.name;
        if (options.useRecycle) {
            if (unattended) {
                const auto [bin, added] = bins.try_emplace(VolumeRootOf(file), true);
                if (added) bin->second = platform_.shell.HasRecycleBin(file);
                if (!bin->second) {
                    ++report.keptWithoutBin;
                    run.Record(HistoryAction::kKept, file, data.size, kept::kNoRecycleBin);
                    return;
                }
            }
            recycle.push_back(std::move(file));
            sizes.push_back(data.size);
            return;
        }
        // Read-only, hidden and system files go too: the target is the user's to empty.
        if (RemovePermanently(platform_.fs, file) == Removal::kDone) {
            ++report.deleted;
            run.Record(HistoryAction::kDeleted, file, data.size);
        } else {
            run.Record(HistoryAction::kKept, file, data.size, kept::kNotDeleted);
        }
    });
    if (young > 0) {
        report.leftForAge += young;
        // One line for the target: a temporary folder keeps its fresh files clean after clean.
        run.Record(HistoryAction::kLeftForAge, path, youngBytes,
                   std::to_string(young) + (young == 1 ? " file" : " files") +
                       " younger than " + options.age.Text());
    }
    if (!walked) {
        report.stopped = true;
        return;  // nothing of this target goes to the recycle bin
    }
    const RecycleOutcome outcome = RecycleAll(platform_.shell, platform_.fs, pump_, recycle);
    report.recycled += outcome.gone.size();
    report.notRecycled += outcome.stayed.size();
    const std::unordered_set<std::string> stayed(outcome.stayed.begin(), outcome.stayed.end());
    for (std::size_t i = 0; i < recycle.size(); ++i) {
        if (stayed.count(recycle[i]) > 0) {
            run.Record(HistoryAction::kKept, recycle[i], sizes[i], kept::kNotDeleted);
        } else {
            run.Record(HistoryAction::kRecycled, recycle[i], sizes[i]);
        }
    }
}

CleanReport DirectoryCleaning::CleanTarget(const std::string& path, const TargetOptions& options,
                                           bool unattended) {
    CleanReport report;
    HistoryRun run = history_.Begin(tool::kCleanDirectories);
    Clean(path, options, unattended, run, report);
    report.historyNote = run.End();
    return report;
}

CleanReport DirectoryCleaning::CleanAll(const Settings& settings,
                                        const std::vector<Target>& targets, bool unattended,
                                        const std::function<void(const Target&)>& onTarget) {
    CleanReport total;
    HistoryRun run = history_.Begin(tool::kCleanDirectories);
    for (const Target& target : targets) {
        const TargetOptions options = ReadTargetOptions(settings, target.path);
        if (onTarget) onTarget(target);
        if (!runner_.Running()) {
            total.stopped = true;
            break;
        }
        // A target that has gone is skipped; it stays in the list.
        if (!platform_.fs.DirExists(target.path)) continue;
        Clean(target.path, options, unattended, run, total);
        if (total.stopped) break;
    }
    total.historyNote = run.End();
    return total;
}

}  // namespace sorvane
