#pragma once
// Reading the cleaning history back: its runs, found in one pass over the text, and the fields
// of single lines, decoded only when shown.
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/history/CleaningHistory.h"

namespace sorvane {

// The byte-order mark that tells a spreadsheet the file is UTF-8.
inline constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";

struct HistoryLine {
    std::uint64_t run = 0;
    std::string time;
    std::string tool;
    std::optional<HistoryAction> action;  // nullopt for a text this version does not know
    std::string actionText;
    std::string path;
    std::uint64_t size = 0;
    std::string detail;
};

struct HistoryRunInfo {
    std::uint64_t id = 0;
    std::string time;  // of its first line
    std::string tool;
    std::size_t begin = 0;  // offsets of its lines in the text
    std::size_t end = 0;
    std::size_t firstLine = 0;  // its first entry in HistoryIndex::lines
    std::size_t lines = 0;
    std::uint64_t bytes = 0;  // of the files recycled, deleted or moved
    std::array<std::size_t, 6> actions{};  // lines by HistoryAction
    std::size_t leftForAge = 0;            // files, as its "Left for age" lines count them
    std::size_t Count(HistoryAction action) const {
        return actions[static_cast<std::size_t>(action)];
    }
};

struct HistoryIndex {
    std::size_t body = 0;  // where the first line after the header starts
    std::vector<HistoryRunInfo> runs;  // in file order, oldest first
    std::vector<std::size_t> lines;    // where each history line starts, run after run
};

// The runs of a history's text: consecutive lines of one run number make one run. Lines that
// are not history lines (a spreadsheet's edits) are passed over. `pulse`, when given, is called
// every few thousand lines, so that a long file lets events run.
HistoryIndex IndexHistory(std::string_view text, const std::function<void()>& pulse = nullptr);

// The run number of one line (without its line end), or nullopt when it has none.
std::optional<std::uint64_t> RunOfLine(std::string_view line);

// All fields of one line; nullopt when it is not a history line.
std::optional<HistoryLine> ParseHistoryLine(std::string_view line);

// Where each line of `run` starts in the text indexed.
std::span<const std::size_t> LinesOfRun(const HistoryIndex& index, const HistoryRunInfo& run);

// The line starting at `offset`, without its line end.
std::string_view LineAt(std::string_view text, std::size_t offset);

}  // namespace sorvane
