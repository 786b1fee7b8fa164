#include "core/utils/SortedTextList.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

namespace sorvane {

void SortedTextList::Add(std::string text) {
    std::string key = locale_->SortKey(text);
    entries_.push_back({std::move(key), std::move(text)});
}

void SortedTextList::Clear() {
    entries_.clear();
    sorted_ = 0;
}

std::size_t SortedTextList::Count() const {
    Normalize();
    return entries_.size();
}

const std::string& SortedTextList::operator[](std::size_t index) const {
    Normalize();
    if (index >= entries_.size()) throw std::out_of_range("SortedTextList index out of range");
    return entries_[index].text;
}

std::optional<std::size_t> SortedTextList::IndexOf(const std::string& text) const {
    Normalize();
    const Entry probe{locale_->SortKey(text), {}};
    const auto it = std::lower_bound(entries_.begin(), entries_.end(), probe,
                                     [](const Entry& a, const Entry& b) { return a.key < b.key; });
    if (it == entries_.end() || it->key != probe.key) return std::nullopt;
    return static_cast<std::size_t>(it - entries_.begin());
}

void SortedTextList::RemoveAt(std::size_t index) {
    Normalize();
    if (index >= entries_.size()) throw std::out_of_range("SortedTextList index out of range");
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
    sorted_ = entries_.size();
}

std::vector<std::string> SortedTextList::Items() const {
    Normalize();
    std::vector<std::string> items;
    items.reserve(entries_.size());
    for (const Entry& entry : entries_) items.push_back(entry.text);
    return items;
}

void SortedTextList::Normalize() const {
    if (sorted_ == entries_.size()) return;
    // std::string compares through char_traits<char>, which orders bytes as unsigned values:
    // the plain byte order a sort key promises.
    const auto less = [](const Entry& a, const Entry& b) { return a.key < b.key; };
    const auto middle = entries_.begin() + static_cast<std::ptrdiff_t>(sorted_);
    // Stable steps keep every group of equal keys in the order the entries were added, with
    // the older sorted part first, so the entry kept below is always the first one added.
    std::stable_sort(middle, entries_.end(), less);
    std::inplace_merge(entries_.begin(), middle, entries_.end(), less);
    const auto last = std::unique(entries_.begin(), entries_.end(),
                                  [](const Entry& a, const Entry& b) { return a.key == b.key; });
    entries_.erase(last, entries_.end());
    sorted_ = entries_.size();
}

}  // namespace sorvane
