#pragma once
// The two working lists of a Clean Drive(s) scan. Both order their entries without regard
// to letter case in the user's collation and drop an entry equal to one already added (the
// first stays). Entries are appended and put in order once, with each collation key computed
// once, rather than kept sorted entry by entry.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Locale.h"
#include "platform/Shell.h"
#include "results/ResultTable.h"

namespace sorvane {

// Directory paths, each ending in "\".
class ScanDirectoryList {
  public:
    struct Entry {
        std::string key;  // collation key of the path
        std::string path;
    };

    void Add(Entry entry) { entries_.push_back(std::move(entry)); }
    // Sorts and drops duplicates; call once adding is over.
    void Finish();

    std::size_t Count() const { return entries_.size(); }
    const std::string& Path(std::size_t index) const { return entries_[index].path; }

  private:
    std::vector<Entry> entries_;
};

// Sorts and drops duplicates of a run of entries by their keys, first one kept.
void SortUnique(std::vector<ScanDirectoryList::Entry>& entries);

// Type names from the shell, asked once per extension key.
class TypeNameCache {
  public:
    explicit TypeNameCache(IShell& shell) : shell_(shell) {}
    // The index of the type name of `path`, whose extension key is `extensionKey`.
    std::uint32_t IndexOf(const std::string& extensionKey, const std::string& path);
    const std::string& Name(std::uint32_t index) const { return names_[index]; }

  private:
    IShell& shell_;
    std::vector<std::string> keys_;  // sorted, with the index of each in indexes_
    std::vector<std::uint32_t> indexes_;
    std::vector<std::string> names_;
};

// One matching file, with what it takes to write its record.
struct FoundFile {
    std::string key;  // collation key of the record's leading name field
    std::string name;
    std::uint64_t size = 0;
    std::uint64_t modifiedTicks = 0;  // local; 0 shows "Unknown"
    std::uint64_t accessedTicks = 0;
    std::uint32_t directory = 0;  // index in the directory list
    std::uint32_t attributes = 0;
    std::uint32_t type = 0;  // index in the type-name cache
};

// The result records in the order their quoted text gives: by name, then by the other
// fields in record order.
class ResultList {
  public:
    ResultList(ILocale& locale, const ScanDirectoryList& directories, const TypeNameCache& types)
        : locale_(locale), directories_(directories), types_(types) {}

    // `file.key` is filled here.
    void Add(FoundFile file);
    // Sorts and drops duplicates; call once adding is over.
    void Finish();
    std::size_t Count() const { return files_.size(); }
    // The seven fields of record `index`: name, size, modified, accessed, path, attributes,
    // type.
    std::vector<std::string> Fields(std::size_t index) const;
    // Replaces the table's rows by the records, releasing each record as it goes so the
    // results are not held twice. The selected row number stays while such a row exists.
    void MoveInto(ResultTable& table);

  private:
    // Orders the files at positions [first, last) of `order`, of equal name and size, by
    // their whole records, marking duplicates.
    void OrderEqualNames(std::vector<std::uint32_t>& order, std::size_t first, std::size_t last);

    ILocale& locale_;
    const ScanDirectoryList& directories_;
    const TypeNameCache& types_;
    std::vector<FoundFile> files_;
    std::string quoted_;  // reused while keys are made
};

}  // namespace sorvane
