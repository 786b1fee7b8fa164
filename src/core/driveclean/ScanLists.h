#pragma once
// The two working lists of a Clean Drive(s) scan. Both order their entries without regard
// to letter case in the user's collation and drop an entry equal to one already added (the
// first stays). Entries are appended and put in order once, with each collation key computed
// once, rather than kept sorted entry by entry.
#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "core/platform/FileSystem.h"
#include "core/platform/Locale.h"
#include "core/platform/Shell.h"
#include "core/results/ResultTable.h"

namespace sorvane {

// The drives and directories to scan as full paths without a trailing backslash, each once: a
// relative one goes, and one directory spelled two ways (case, a trailing backslash, a short
// name, "..") is one location.
std::vector<std::string> ScanLocations(const std::vector<std::string>& locations, IFileSystem& fs,
                                       ILocale& locale);

// Directory paths, each ending in "\".
class ScanDirectoryList {
  public:
    struct Entry {
        std::string key;  // collation key of the path
        std::string path;
    };

    void Add(Entry entry) { entries_.push_back(std::move(entry)); }
    // Sorts and drops duplicates; call once adding is over. `pulse` as for ResultList.
    void Finish(const std::function<void()>& pulse = nullptr);

    std::size_t Count() const { return entries_.size(); }
    const std::string& Path(std::size_t index) const { return entries_[index].path; }
    const std::string& Key(std::size_t index) const { return entries_[index].key; }
    // Empties the list a piece at a time, calling `pulse` between pieces: freeing a hundred
    // thousand paths at once would hold up events.
    void Release(const std::function<void()>& pulse);
    // The index of the entry of this key once the list is finished; Count() when none.
    std::size_t IndexOf(const std::string& key) const;

  private:
    std::vector<Entry> entries_;
};

// Sorts and drops duplicates of a run of entries by their keys, first one kept. `pulse`, when
// given, is called now and then during a long sort.
void SortUnique(std::vector<ScanDirectoryList::Entry>& entries,
                const std::function<void()>& pulse = nullptr);

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
    // Gives every file the directory `index[file.directory]`, for files added with a number
    // of their own before the directory list was finished.
    void MapDirectories(const std::vector<std::uint32_t>& index,
                        const std::function<void()>& pulse = nullptr);
    // Sorts and drops duplicates; call once adding is over. `pulse` is called now and then
    // while a long list sorts, so events can run.
    void Finish(const std::function<void()>& pulse = nullptr);
    std::size_t Count() const { return files_.size(); }
    // The seven fields of record `index`: name, size, modified, accessed, path, attributes,
    // type.
    std::vector<std::string> Fields(std::size_t index) const;
    // The same added to the table as a row.
    void AppendTo(ResultTable& table, std::size_t index);
    // Replaces the table's rows by the records, releasing each record as it goes so the
    // results are not held twice. The selected row number stays while such a row exists.
    // The rows are built aside and put in at once, so `proceed`, asked after every row, may
    // let events run while the table still shows the earlier rows; when it returns false
    // the table is left as it was, the records are partly gone, and false is returned.
    bool MoveInto(ResultTable& table, const std::function<bool()>& proceed = nullptr);

  private:
    // Orders the files at positions [first, last) of `order`, of equal name and size, by
    // their whole records, marking duplicates.
    void OrderEqualNames(std::vector<std::uint32_t>& order, std::size_t first, std::size_t last);

    ILocale& locale_;
    const ScanDirectoryList& directories_;
    const TypeNameCache& types_;
    // A deque, so a long list grows without moving what it holds and gives its memory back
    // bit by bit as it is written into the table.
    std::deque<FoundFile> files_;
    std::string quoted_;  // reused while keys are made
    struct DateMemo {
        std::uint64_t ticks = 0;
        std::string text;
        bool valid = false;
    };
    std::array<DateMemo, 4> dates_;  // the date texts made last
    std::size_t nextDate_ = 0;
};

}  // namespace sorvane
