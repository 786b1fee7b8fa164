#pragma once
// The working list of directories and records: sorted without regard to letter case in the
// user's collation, an added entry equal to one already present is dropped (the first stays).
//
// Adding only appends; sorting and dropping duplicates happen once, when the list is next
// read, with each entry's collation key computed once. A million entries cost O(n log n)
// comparisons of plain bytes and no per-comparison platform call.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/Locale.h"

namespace sorvane {

class SortedTextList {
  public:
    explicit SortedTextList(ILocale& locale) : locale_(&locale) {}

    void Add(std::string text);
    void Clear();

    std::size_t Count() const;
    bool Empty() const { return Count() == 0; }
    const std::string& operator[](std::size_t index) const;
    // Position of an entry equal to `text` without regard to case.
    std::optional<std::size_t> IndexOf(const std::string& text) const;
    bool Contains(const std::string& text) const { return IndexOf(text).has_value(); }
    void RemoveAt(std::size_t index);

    // The entries in order.
    std::vector<std::string> Items() const;

  private:
    struct Entry {
        std::string key;
        std::string text;
    };
    void Normalize() const;

    ILocale* locale_;
    mutable std::vector<Entry> entries_;
    mutable std::size_t sorted_ = 0;  // entries_[0, sorted_) are in order and unique
};

}  // namespace sorvane
