#include "driveclean/ScanLists.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <numeric>
#include <string_view>
#include <utility>

#include "driveclean/FileMatching.h"
#include "utils/RecordCodec.h"

namespace sorvane {

void SortUnique(std::vector<ScanDirectoryList::Entry>& entries) {
    using Entry = ScanDirectoryList::Entry;
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.key < b.key; });
    const auto last = std::unique(entries.begin(), entries.end(),
                                  [](const Entry& a, const Entry& b) { return a.key == b.key; });
    entries.erase(last, entries.end());
}

void ScanDirectoryList::Finish() {
    SortUnique(entries_);
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

void ResultList::Finish() {
    // An order of indexes is sorted rather than the records themselves, which are large.
    std::vector<std::uint32_t> order(files_.size());
    std::iota(order.begin(), order.end(), 0u);
    const auto at = [&](std::size_t position) {
        return order.begin() + static_cast<std::ptrdiff_t>(position);
    };
    std::stable_sort(order.begin(), order.end(), [this](std::uint32_t a, std::uint32_t b) {
        return files_[a].key < files_[b].key;
    });
    // Files of one name (the same name in several directories) go by the rest of the record:
    // first its size, then, where that is equal too, the whole record's text. Only these few
    // need the costly whole-record keys.
    ForEachRun(
        0, order.size(),
        [&](std::size_t a, std::size_t b) { return files_[order[a]].key == files_[order[b]].key; },
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
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (order[i] == i) continue;
        FoundFile held = std::move(files_[i]);
        std::size_t j = i;
        while (order[j] != i) {
            const std::size_t from = order[j];
            files_[j] = std::move(files_[from]);
            order[j] = static_cast<std::uint32_t>(j);
            j = from;
        }
        files_[j] = std::move(held);
        order[j] = static_cast<std::uint32_t>(j);
    }
    // Records found equal are marked by an empty key and dropped here.
    files_.erase(std::remove_if(files_.begin(), files_.end(),
                                [](const FoundFile& f) { return f.key.empty(); }),
                 files_.end());
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

void ResultList::MoveInto(ResultTable& table) {
    const std::size_t selected = table.SelectedRow();
    table.SetRows({});
    table.Reserve(files_.size());
    for (std::size_t i = 0; i < files_.size(); ++i) {
        table.AppendRow(Fields(i));
        files_[i] = FoundFile{};
    }
    std::vector<FoundFile>().swap(files_);
    table.SelectRow(selected);
}

}  // namespace sorvane
