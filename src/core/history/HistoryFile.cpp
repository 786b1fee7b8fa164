#include "core/history/HistoryFile.h"

#include <charconv>

#include "core/utils/RecordCodec.h"

namespace sorvane {

namespace {

std::optional<std::uint64_t> NumberOf(std::string_view text) {
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

// Where the line after the one starting at `offset` starts; text.size() at the end.
std::size_t NextLine(std::string_view text, std::size_t offset) {
    const std::size_t end = text.find('\n', offset);
    return end == std::string_view::npos ? text.size() : end + 1;
}

}  // namespace

std::string_view LineAt(std::string_view text, std::size_t offset) {
    std::string_view line = text.substr(offset, NextLine(text, offset) - offset);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
    return line;
}

std::optional<std::uint64_t> RunOfLine(std::string_view line) {
    RecordReader reader(line);
    const auto run = reader.Next();
    return run ? NumberOf(*run) : std::nullopt;
}

std::optional<HistoryLine> ParseHistoryLine(std::string_view line) {
    RecordReader reader(line);
    HistoryLine parsed;
    const auto run = reader.Next();
    if (!run) return std::nullopt;
    const auto number = NumberOf(*run);
    if (!number) return std::nullopt;
    parsed.run = *number;
    std::string* texts[] = {&parsed.time, &parsed.tool, &parsed.actionText, &parsed.path};
    for (std::string* text : texts) {
        const auto field = reader.Next();
        if (!field) return std::nullopt;
        text->assign(*field);
    }
    parsed.action = ActionFromText(parsed.actionText);
    if (const auto size = reader.Next()) parsed.size = NumberOf(*size).value_or(0);
    if (const auto detail = reader.Next()) parsed.detail.assign(*detail);
    return parsed;
}

HistoryIndex IndexHistory(std::string_view text, const std::function<void()>& pulse) {
    HistoryIndex index;
    std::size_t offset = 0;
    if (text.substr(0, 3) == kUtf8Mark) offset = 3;
    offset = NextLine(text, offset);  // the header
    index.body = offset;
    // About a hundred bytes a line: the offsets grow once or twice, not twenty times.
    index.lines.reserve(text.size() / 96);
    HistoryRunInfo* current = nullptr;
    for (std::size_t count = 1; offset < text.size(); ++count) {
        if (pulse && count % 4096 == 0) pulse();
        const std::size_t next = NextLine(text, offset);
        RecordReader reader(LineAt(text, offset));
        const auto runField = reader.Next();
        const auto run = runField ? NumberOf(*runField) : std::nullopt;
        if (run) {
            if (current == nullptr || current->id != *run) {
                HistoryRunInfo info;
                info.id = *run;
                info.begin = offset;
                info.firstLine = index.lines.size();
                if (const auto time = reader.Next()) info.time.assign(*time);
                if (const auto tool = reader.Next()) info.tool.assign(*tool);
                index.runs.push_back(std::move(info));
                current = &index.runs.back();
            } else {
                reader.Next();
                reader.Next();
            }
            ++current->lines;
            current->end = next;
            index.lines.push_back(offset);
            const auto actionField = reader.Next();
            const auto action = actionField ? ActionFromText(*actionField) : std::nullopt;
            reader.Next();  // the path
            const auto size = reader.Next();
            if (action == HistoryAction::kLeftForAge) {
                // "12 files younger than 24 hours"
                if (const auto detail = reader.Next()) {
                    current->leftForAge +=
                        NumberOf(detail->substr(0, detail->find(' '))).value_or(0);
                }
            }
            if (action) {
                ++current->actions[static_cast<std::size_t>(*action)];
                if ((*action == HistoryAction::kRecycled || *action == HistoryAction::kDeleted ||
                     *action == HistoryAction::kMoved) &&
                    size) {
                    current->bytes += NumberOf(*size).value_or(0);
                }
            }
        }
        offset = next;
    }
    return index;
}

std::span<const std::size_t> LinesOfRun(const HistoryIndex& index, const HistoryRunInfo& run) {
    return std::span<const std::size_t>(index.lines).subspan(run.firstLine, run.lines);
}

}  // namespace sorvane
