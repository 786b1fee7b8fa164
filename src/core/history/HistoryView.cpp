#include "core/history/HistoryView.h"

#include <algorithm>

#include "core/utils/AllUtils.h"
#include "core/utils/RecordCodec.h"

namespace sorvane {

namespace {

enum HistoryColumn { kTime, kAction, kName, kPath, kSize, kDetail };

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool ContainsAnyCase(std::string_view text, std::string_view lowered) {
    return std::search(text.begin(), text.end(), lowered.begin(), lowered.end(),
                       [](char a, char b) { return LowerAscii(a) == b; }) != text.end();
}

}  // namespace

std::optional<std::string> ReadWholeFile(IFileSystem& fs, const std::string& path) {
    const Lookup found = fs.Look(path);
    if (found.presence == Presence::kNotFound) return std::string();
    auto reader = fs.OpenRead(path);
    if (!reader) return std::nullopt;
    std::string text;
    text.reserve(static_cast<std::size_t>(found.size));
    std::string block(1 << 20, '\0');
    for (;;) {
        const auto got = reader->Read(block.data(), block.size());
        if (!got) return std::nullopt;
        if (*got == 0) return text;
        text.append(block, 0, *got);
    }
}

ResultTable HistoryView::MakeTable() {
    return ResultTable({{"Time", Alignment::kLeft, 130},
                        {"Action", Alignment::kLeft, 110},
                        {"Name", Alignment::kLeft, 160},
                        {"Path", Alignment::kLeft, 260},
                        {"Size", Alignment::kRight, 80},
                        {"Detail", Alignment::kLeft, 220}},
                       kName, kPath);
}

bool HistoryView::Load(IFileSystem& fs, const std::string& path) {
    std::optional<std::string> text = ReadWholeFile(fs, path);
    text_ = text ? std::move(*text) : std::string();
    index_ = IndexHistory(text_);
    SetFilter(tool_, filter_);
    return text.has_value();
}

void HistoryView::SetFilter(std::string tool, std::string text) {
    tool_ = std::move(tool);
    std::transform(text.begin(), text.end(), text.begin(), LowerAscii);
    filter_ = std::move(text);
    shown_.clear();
    for (std::size_t i = index_.runs.size(); i-- > 0;) {
        const HistoryRunInfo& run = index_.runs[i];
        if (!tool_.empty() && run.tool != tool_) continue;
        if (!filter_.empty()) {
            const std::vector<std::size_t> lines = LinesOfRun(text_, run);
            if (std::none_of(lines.begin(), lines.end(), [this](std::size_t at) {
                    return PathMatches(LineAt(text_, at));
                })) {
                continue;
            }
        }
        shown_.push_back(i);
    }
}

bool HistoryView::PathMatches(std::string_view line) const {
    if (filter_.empty()) return true;
    RecordReader reader(line);
    for (int field = 0; field < 4; ++field) reader.Next();
    const auto path = reader.Next();
    return path && ContainsAnyCase(*path, filter_);
}

void HistoryView::ShowRun(std::size_t shown, ResultTable& table) {
    rows_.clear();
    ResultTable fresh = MakeTable();
    if (shown < shown_.size()) {
        const std::vector<std::size_t> lines = LinesOfRun(text_, Run(shown));
        fresh.Reserve(lines.size());
        for (const std::size_t at : lines) {
            const std::string_view line = LineAt(text_, at);
            if (!PathMatches(line)) continue;
            const auto parsed = ParseHistoryLine(line);
            if (!parsed) continue;
            const std::size_t slash = parsed->path.find_last_of('\\');
            const std::string_view path(parsed->path);
            const std::string_view name =
                slash == std::string::npos ? path : path.substr(slash + 1);
            const std::string_view dir =
                slash == std::string::npos ? std::string_view() : path.substr(0, slash + 1);
            fresh.AppendCells({parsed->time, parsed->actionText, name, dir,
                               FormatByteSize(parsed->size), parsed->detail});
            rows_.push_back(at);
        }
    }
    table.TakeRows(fresh);
}

std::optional<HistoryLine> HistoryView::LineOfRow(std::size_t row) const {
    if (row == 0 || row > rows_.size()) return std::nullopt;
    return ParseHistoryLine(LineAt(text_, rows_[row - 1]));
}

}  // namespace sorvane
