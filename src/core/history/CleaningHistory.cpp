#include "core/history/CleaningHistory.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <utility>

#include "core/history/HistoryFile.h"
#include "core/history/HistoryView.h"
#include "core/utils/RecordCodec.h"

namespace sorvane {

namespace {

constexpr std::array<std::string_view, 6> kActionTexts = {
    "Recycled", "Deleted permanently", "Moved", "Kept", "Left for age", "Restored"};

// Where the lines of the last run start: the file's tail is enough to find its number.
constexpr std::uint64_t kTailBytes = 16 * 1024;

std::string DirectoryPart(const std::string& path) {
    const std::size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// Days since 1 January 1970 of a calendar date, and back (the proleptic Gregorian calendar).
std::int64_t DaysFromCivil(int y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(std::int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
}

}  // namespace

std::string_view ActionText(HistoryAction action) {
    return kActionTexts[static_cast<std::size_t>(action)];
}

std::optional<HistoryAction> ActionFromText(std::string_view text) {
    for (std::size_t i = 0; i < kActionTexts.size(); ++i) {
        if (kActionTexts[i] == text) return static_cast<HistoryAction>(i);
    }
    return std::nullopt;
}

std::string HistoryTimeText(const DateTime& time) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", time.year, time.month,
                  time.day, time.hour, time.minute, time.second);
    return text;
}

DateTime DaysBefore(const DateTime& time, int days) {
    DateTime result = time;
    CivilFromDays(DaysFromCivil(time.year, time.month, time.day) - days, result.year, result.month,
                  result.day);
    return result;
}

// ---- A run

HistoryRun::HistoryRun(HistoryRun&& other) noexcept
    : history_(std::exchange(other.history_, nullptr)),
      id_(std::move(other.id_)),
      tool_(std::move(other.tool_)),
      time_(other.time_),
      timeText_(std::move(other.timeText_)),
      lines_(std::move(other.lines_)),
      wrote_(other.wrote_) {}

HistoryRun::~HistoryRun() {
    End();
}

void HistoryRun::Record(HistoryAction action, const std::string& path, std::uint64_t size,
                        const std::string& detail) {
    if (history_ == nullptr) return;
    const DateTime now = history_->clock_.Now();
    if (timeText_.empty() || now != time_) {
        time_ = now;
        timeText_ = HistoryTimeText(now);
    }
    char sizeText[24];
    const auto sizeEnd = std::to_chars(std::begin(sizeText), std::end(sizeText), size).ptr;
    AppendRecord(lines_, {id_, timeText_, tool_, ActionText(action), path,
                          std::string_view(sizeText, sizeEnd - sizeText), detail});
    lines_ += "\r\n";
    if (lines_.size() >= CleaningHistory::kBatchBytes) Flush();
}

void HistoryRun::Flush() {
    if (lines_.empty()) return;
    // Lines that could not be written are dropped rather than held: a clean of a million
    // files must not grow the program by what it could not record.
    if (history_->Append(lines_)) wrote_ = true;
    lines_.clear();
}

std::string HistoryRun::End() {
    if (history_ == nullptr) return {};
    Flush();
    if (wrote_) history_->Trim();
    std::string note = history_->TakeTrouble();
    history_ = nullptr;
    return note;
}

// ---- The file

void CleaningHistory::Configure(std::string path, const HistoryOptions& options) {
    if (path != path_) {
        lastId_.reset();
        size_.reset();
        oldest_.reset();
    }
    path_ = std::move(path);
    options_ = options;
}

HistoryRun CleaningHistory::Begin(std::string tool) {
    if (!Enabled()) return HistoryRun(nullptr, 0, std::move(tool));
    if (!lastId_) lastId_ = LastRunId();
    return HistoryRun(this, ++*lastId_, std::move(tool));
}

std::optional<std::uint64_t> CleaningHistory::FileSize() {
    const Lookup found = fs_.Look(path_);
    if (found.presence == Presence::kNotFound) return 0;
    if (found.presence != Presence::kFound) return std::nullopt;
    return found.size;
}

std::optional<std::string> CleaningHistory::OldestRunTime() {
    auto reader = fs_.OpenRead(path_);
    if (!reader) return std::nullopt;
    std::string head(kTailBytes, '\0');
    const auto got = reader->Read(head.data(), head.size());
    if (!got) return std::nullopt;
    head.resize(*got);
    // Only whole lines: the last one read may be cut short.
    head.resize(head.rfind('\n') == std::string::npos ? 0 : head.rfind('\n') + 1);
    const HistoryIndex index = IndexHistory(head);
    if (index.runs.empty()) return std::nullopt;
    return index.runs.front().time;
}

std::uint64_t CleaningHistory::LastRunId() {
    size_ = FileSize();
    if (!size_ || *size_ == 0) return 0;
    auto reader = fs_.OpenRead(path_);
    if (!reader) return 0;
    const std::uint64_t from = *size_ > kTailBytes ? *size_ - kTailBytes : 0;
    std::string tail(static_cast<std::size_t>(*size_ - from), '\0');
    std::size_t filled = 0;
    if (reader->Seek(from)) {
        while (filled < tail.size()) {
            const auto got = reader->Read(tail.data() + filled, tail.size() - filled);
            if (!got || *got == 0) break;
            filled += *got;
        }
    }
    tail.resize(filled);
    // The first line of a tail may be cut short; every whole line after it has its number.
    std::uint64_t last = 0;
    std::size_t start = from == 0 ? 0 : tail.find('\n');
    while (start != std::string::npos && start < tail.size()) {
        if (tail[start] == '\n') ++start;
        const std::size_t end = std::min(tail.find('\n', start), tail.size());
        if (const auto run = RunOfLine(std::string_view(tail).substr(start, end - start))) {
            last = std::max(last, *run);
        }
        start = end;
    }
    return last;
}

bool CleaningHistory::Append(const std::string& lines) {
    if (!size_) size_ = FileSize();
    std::string bytes;
    // A new file starts with its header; one that cannot be looked at is not new.
    if (size_ == 0u) {
        bytes = kUtf8Mark;
        bytes += kHistoryHeader;
        bytes += "\r\n";
    }
    bytes += lines;
    std::string error;
    bool written = fs_.AppendFile(path_, bytes, error);
    if (!written && !fs_.DirExists(DirectoryPart(path_))) {
        // The settings folder comes into being with the first setting saved; a clean may come
        // first.
        fs_.MakeDir(DirectoryPart(path_));
        written = fs_.AppendFile(path_, bytes, error);
    }
    if (!written) {
        if (trouble_.empty()) {
            trouble_ = "The cleaning history could not be written to " + path_ + ": " + error;
        }
        size_.reset();  // perhaps partly written: look again next time
        return false;
    }
    // Unknown before, unknown still: the size is looked up again when it matters.
    if (size_) *size_ += bytes.size();
    trouble_.clear();
    troubleSaid_ = false;
    return true;
}

std::string CleaningHistory::TakeTrouble() {
    if (trouble_.empty() || troubleSaid_) return {};
    troubleSaid_ = true;
    return trouble_;
}

void CleaningHistory::Trim() {
    const std::uint64_t limit = static_cast<std::uint64_t>(options_.megabytes) * 1024 * 1024;
    const std::string cutoff = HistoryTimeText(DaysBefore(clock_.Now(), options_.days));
    if (!size_) size_ = FileSize();
    if (!size_) return;
    const bool tooBig = *size_ > limit;
    // The age of the first run decides whether the whole file need be read.
    if (!tooBig && !oldest_) oldest_ = OldestRunTime();
    if (!tooBig && oldest_ && *oldest_ >= cutoff) return;
    const std::optional<std::string> text = ReadWholeFile(fs_, path_);
    if (!text) return;
    HistoryIndex index = IndexHistory(*text);
    if (index.runs.empty()) return;
    // The oldest runs go until what is left is young enough and, with room for the runs to
    // come, small enough; the latest run always stays, however large.
    const std::uint64_t room = limit - limit / 10;
    std::size_t first = 0;
    while (first + 1 < index.runs.size()) {
        const HistoryRunInfo& run = index.runs[first];
        const std::uint64_t left = text->size() - run.begin;
        if (run.time >= cutoff && (!tooBig || left <= room)) break;
        ++first;
    }
    oldest_ = index.runs[first].time;
    if (first == 0) return;
    const std::size_t keepFrom = index.runs[first].begin;
    std::string trimmed = text->substr(0, index.body);
    trimmed.append(*text, keepFrom, std::string::npos);
    std::string error;
    if (fs_.ReplaceContents(path_, trimmed, error)) {
        size_ = trimmed.size();
    } else {
        size_.reset();
        if (trouble_.empty()) {
            trouble_ = "The cleaning history could not be written to " + path_ + ": " + error;
        }
    }
}

}  // namespace sorvane
