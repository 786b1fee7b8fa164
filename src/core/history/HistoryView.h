#pragma once
// What the Cleaning History window shows: the runs of the history file, newest first, narrowed
// by tool and by a text in the path, and the files of one run as rows of a result table. The
// file's text is held once, shared with the table; rows point into it, so a run of a million files
// costs a few offsets a row.
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/history/HistoryFile.h"
#include "core/platform/FileSystem.h"
#include "core/results/ResultTable.h"

namespace sorvane {

// The whole of a file; nullopt when it cannot be read, an empty text when it is not there.
// `pulse`, when given, is called after every block read.
std::optional<std::string> ReadWholeFile(IFileSystem& fs, const std::string& path,
                                         const std::function<void()>& pulse = nullptr);

class HistoryView {
  public:
    // The table of a run's files: "Time", "Action", "Name", "Path", "Size", "Detail".
    static ResultTable MakeTable();

    // Reads the file anew; false when it cannot be read (the view then holds nothing). `pulse`,
    // when given, is called now and then here and in ShowRun, so that events run meanwhile.
    bool Load(IFileSystem& fs, const std::string& path, std::function<void()> pulse = nullptr);
    // `tool` empty for every tool; `text` empty for every path, else matched in any case.
    void SetFilter(std::string tool, std::string text);

    // The runs that pass the filter, newest first.
    std::size_t RunCount() const { return shown_.size(); }
    const HistoryRunInfo& Run(std::size_t shown) const { return index_.runs[shown_[shown]]; }

    // Fills `table` with the lines of run `shown` that pass the text filter.
    void ShowRun(std::size_t shown, ResultTable& table);
    // The line behind row `row` of the table ShowRun filled; nullopt for no such row.
    std::optional<HistoryLine> LineOfRow(std::size_t row) const;

  private:
    bool PathMatches(std::string_view line) const;

    std::function<void()> pulse_;
    std::shared_ptr<const std::string> text_ = std::make_shared<const std::string>();
    HistoryIndex index_;
    std::string tool_;
    std::string filter_;  // lower-case
    std::vector<std::size_t> shown_;
    // Line offsets of the table's data rows: the run's lines in the index, or those filtered.
    std::span<const std::size_t> rowLines_;
    std::vector<std::size_t> filtered_;
};

}  // namespace sorvane
