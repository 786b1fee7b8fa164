#include "core/driveclean/ScanLists.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <numeric>
#include <string_view>
#include <unordered_set>
#include <utility>

#include "core/driveclean/FileMatching.h"
#include "core/utils/AllUtils.h"
#include "core/utils/RecordCodec.h"

namespace sorvane {

// A relative location (a hand-edited or half-written settings file may hold one) would become
// the root of the current drive.
std::vector<std::string> ScanLocations(const std::vector<std::string>& locations, IFileSystem& fs,
                                       ILocale& locale) {
    std::vector<std::string> result;
    std::unordered_set<std::string> seen;
    for (const std::string& location : locations) {
        if (!IsFullPath(location)) continue;
        // "C:" alone would name the current directory of drive C:, not its root.
        std::string full =
            StripTrailingBackslash(fs.FullPath(location.size() == 2 ? location + "\\" : location));
        if (seen.insert(locale.SortKey(full + "\\")).second) result.push_back(std::move(full));
    }
    return result;
}

void SortUnique(std::vector<ScanDirectoryList::Entry>& entries,
                const std::function<void()>& pulse) {
    using Entry = ScanDirectoryList::Entry;
    std::uint32_t compared = 0;
    std::stable_sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        if (pulse && (++compared & 0xFFF) == 0) pulse();
        return a.key < b.key;
    });
    const auto last = std::unique(entries.begin(), entries.end(),
                                  [](const Entry& a, const Entry& b) { return a.key == b.key; });
    entries.erase(last, entries.end());
}

void ScanDirectoryList::Finish(const std::function<void()>& pulse) {
    SortUnique(entries_, pulse);
}

void ScanDirectoryList::Release(const std::function<void()>& pulse) {
    while (!entries_.empty()) {
        if ((entries_.size() & 0x3FF) == 0) pulse();
        entries_.pop_back();
    }
    std::vector<Entry>().swap(entries_);
}

std::size_t ScanDirectoryList::IndexOf(const std::string& key) const {
    const auto it =
        std::lower_bound(entries_.begin(), entries_.end(), key,
                         [](const Entry& e, const std::string& k) { return e.key < k; });
    if (it == entries_.end() || it->key != key) return entries_.size();
    return static_cast<std::size_t>(it - entries_.begin());
}

std::uint32_t TypeNameCache::IndexOf(const std::string& extensionKey, const std::string& path) {
    const auto it = std::lower_bound(keys_.begin(), keys_.end(), extensionKey);
    const auto at = it - keys_.begin();
    if (it != keys_.end() && *it == extensionKey) return indexes_[static_cast<std::size_t>(at)];
    const auto index = static_cast<std::uint32_t>(names_.size());
    names_.push_back(shell_.FileTypeName(path));
    keys_.insert(it, extensionKey);
    indexes_.insert(indexes_.begin() + at, index);
    return index;
}

void ResultList::Add(FoundFile file) {
    // The record begins with the quoted name followed by a comma; keying that, rather than
    // the bare name, orders a name before a longer one exactly as the record text does.
    quoted_.assign(1, '"');
    for (const char c : file.name) {
        if (c == '"') quoted_.push_back('"');
        quoted_.push_back(c);
    }
    quoted_ += "\",";
    file.key = locale_.SortKey(quoted_);
    files_.push_back(std::move(file));
}

void ResultList::MapDirectories(const std::vector<std::uint32_t>& index,
                                const std::function<void()>& pulse) {
    for (std::size_t i = 0; i < files_.size(); ++i) {
        if (pulse && (i & 0xFFFF) == 0xFFFF) pulse();
        files_[i].directory = index[files_[i].directory];
    }
}

namespace {

// The size field as the record holds it: its decimal text, compared by its characters. The
// closing quote sorts before any digit, so a shorter text sorts first, as here.
bool SizeTextLess(std::uint64_t a, std::uint64_t b) {
    char x[24];
    char y[24];
    const char* const endX = std::to_chars(x, x + sizeof x, a).ptr;
    const char* const endY = std::to_chars(y, y + sizeof y, b).ptr;
    return std::string_view(x, static_cast<std::size_t>(endX - x)) <
           std::string_view(y, static_cast<std::size_t>(endY - y));
}

// Calls `order(first, last)` for every run of two or more neighbours equal by `same`.
template <typename Same, typename Order>
void ForEachRun(std::size_t first, std::size_t last, Same same, Order order) {
    while (first < last) {
        std::size_t end = first + 1;
        while (end < last && same(first, end)) ++end;
        if (end - first > 1) order(first, end);
        first = end;
    }
}

}  // namespace

void ResultList::Finish(const std::function<void()>& pulse) {
    // An order of indexes is sorted rather than the records themselves, which are large.
    std::vector<std::uint32_t> order(files_.size());
    std::iota(order.begin(), order.end(), 0u);
    const auto at = [&](std::size_t position) {
        return order.begin() + static_cast<std::ptrdiff_t>(position);
    };
    {
        // The first bytes of each key travel with its index, so most comparisons need not
        // reach the record; a long sort lets events run now and then.
        struct Sorted {
            std::uint64_t prefix[2];
            std::uint32_t index;
        };
        // Filled as it grows, so that the memory is first touched in the loop, between
        // pulses, rather than all at once.
        std::vector<Sorted> sorted;
        sorted.reserve(files_.size());
        for (std::size_t i = 0; i < files_.size(); ++i) {
            if (pulse && (i & 0xFFF) == 0xFFF) pulse();
            const std::string& key = files_[i].key;
            Sorted& entry = sorted.emplace_back();
            for (std::size_t half = 0; half < 2; ++half) {
                std::uint64_t prefix = 0;
                for (std::size_t b = half * 8; b < half * 8 + 8; ++b) {
                    const auto byte = b < key.size() ? static_cast<unsigned char>(key[b]) : 0u;
                    prefix = (prefix << 8) | byte;
                }
                entry.prefix[half] = prefix;
            }
            entry.index = static_cast<std::uint32_t>(i);
        }
        std::uint32_t compared = 0;
        std::stable_sort(sorted.begin(), sorted.end(), [&](const Sorted& a, const Sorted& b) {
            if (pulse && (++compared & 0xFFF) == 0) pulse();
            if (a.prefix[0] != b.prefix[0]) return a.prefix[0] < b.prefix[0];
            if (a.prefix[1] != b.prefix[1]) return a.prefix[1] < b.prefix[1];
            return files_[a.index].key < files_[b.index].key;
        });
        for (std::size_t i = 0; i < sorted.size(); ++i) order[i] = sorted[i].index;
    }
    // Files of one name (the same name in several directories) go by the rest of the record:
    // first its size, then, where that is equal too, the whole record's text. Only these few
    // need the costly whole-record keys.
    ForEachRun(
        0, order.size(),
        [&](std::size_t a, std::size_t b) {
            if (pulse && (b & 0xFFF) == 0) pulse();
            return files_[order[a]].key == files_[order[b]].key;
        },
        [&](std::size_t first, std::size_t last) {
            std::stable_sort(at(first), at(last), [this](std::uint32_t a, std::uint32_t b) {
                return SizeTextLess(files_[a].size, files_[b].size);
            });
            ForEachRun(
                first, last,
                [&](std::size_t a, std::size_t b) {
                    return files_[order[a]].size == files_[order[b]].size;
                },
                [&](std::size_t from, std::size_t to) { OrderEqualNames(order, from, to); });
        });
    // Puts each record where the order says, one cycle of the permutation at a time.
    std::size_t moved = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (order[i] == i) continue;
        FoundFile held = std::move(files_[i]);
        std::size_t j = i;
        while (order[j] != i) {
            // One cycle may run through the whole list.
            if (pulse && (++moved & 0xFFF) == 0) pulse();
            const std::size_t from = order[j];
            files_[j] = std::move(files_[from]);
            order[j] = static_cast<std::uint32_t>(j);
            j = from;
        }
        files_[j] = std::move(held);
        order[j] = static_cast<std::uint32_t>(j);
    }
    // Records found equal are marked by an empty key and dropped here.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < files_.size(); ++i) {
        if (pulse && (i & 0xFFF) == 0xFFF) pulse();
        if (files_[i].key.empty()) continue;
        if (kept != i) files_[kept] = std::move(files_[i]);
        ++kept;
    }
    files_.erase(files_.begin() + static_cast<std::ptrdiff_t>(kept), files_.end());
}

void ResultList::OrderEqualNames(std::vector<std::uint32_t>& order, std::size_t first,
                                 std::size_t last) {
    std::vector<std::pair<std::string, std::uint32_t>> group;
    group.reserve(last - first);
    for (std::size_t i = first; i < last; ++i) {
        group.emplace_back(locale_.SortKey(EncodeRecord(Fields(order[i]))), order[i]);
    }
    std::stable_sort(group.begin(), group.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 0; i < group.size(); ++i) {
        order[first + i] = group[i].second;
        if (i > 0 && group[i].first == group[i - 1].first) files_[group[i].second].key.clear();
    }
}

std::vector<std::string> ResultList::Fields(std::size_t index) const {
    const FoundFile& file = files_[index];
    return {file.name,
            std::to_string(file.size),
            DateText(locale_, file.modifiedTicks),
            DateText(locale_, file.accessedTicks),
            directories_.Path(file.directory),
            AttributeText(file.attributes),
            types_.Name(file.type)};
}

void ResultList::AppendTo(ResultTable& table, std::size_t index) {
    const FoundFile& file = files_[index];
    char size[24];
    const char* const sizeEnd = std::to_chars(size, size + sizeof size, file.size).ptr;
    // Files copied or unpacked together share their times, and a file's two times are often
    // the same, so the last texts made are kept.
    const auto dateText = [this](std::uint64_t ticks, std::size_t keep) {
        for (std::size_t i = 0; i < dates_.size(); ++i) {
            if (dates_[i].valid && dates_[i].ticks == ticks) return i;
        }
        if (nextDate_ == keep) nextDate_ = (nextDate_ + 1) % dates_.size();
        const std::size_t slot = nextDate_;
        nextDate_ = (nextDate_ + 1) % dates_.size();
        dates_[slot] = {ticks, DateText(locale_, ticks), true};
        return slot;
    };
    const std::size_t modifiedSlot = dateText(file.modifiedTicks, dates_.size());
    const std::string& modified = dates_[modifiedSlot].text;
    const std::string& accessed = dates_[dateText(file.accessedTicks, modifiedSlot)].text;
    table.AppendCells({file.name, std::string_view(size, static_cast<std::size_t>(sizeEnd - size)),
                       modified, accessed, directories_.Path(file.directory),
                       AttributeText(file.attributes), types_.Name(file.type)});
}

bool ResultList::MoveInto(ResultTable& table, const std::function<bool()>& proceed) {
    std::vector<Column> columns;
    for (std::size_t c = 0; c < table.ColumnCount(); ++c) columns.push_back(table.ColumnAt(c));
    ResultTable rows(std::move(columns), table.NameColumn(), table.PathColumn());
    rows.Reserve(files_.size());
    while (!files_.empty()) {
        if (proceed && !proceed()) return false;
        AppendTo(rows, 0);
        files_.pop_front();
    }
    // The last results are freed a piece at a time, with events let run between pieces.
    table.TakeRows(rows, [&proceed] {
        if (proceed) proceed();
    });
    return true;
}

}  // namespace sorvane
