#include "core/history/HistoryView.h"

#include <algorithm>

#include "core/utils/AsciiText.h"
#include "core/utils/RecordCodec.h"

namespace sorvane {

namespace {

enum HistoryColumn { kTime, kAction, kName, kPath, kSize, kDetail };

bool ContainsAnyCase(std::string_view text, std::string_view lowered) {
    return std::search(text.begin(), text.end(), lowered.begin(), lowered.end(),
                       [](char a, char b) { return LowerAscii(a) == b; }) != text.end();
}

}  // namespace

std::optional<std::string> ReadWholeFile(IFileSystem& fs, const std::string& path,
                                         const std::function<void()>& pulse) {
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
        if (pulse) pulse();
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

bool HistoryView::Load(IFileSystem& fs, const std::string& path, std::function<void()> pulse) {
    pulse_ = std::move(pulse);
    rowLines_ = {};  // the table's rows were lines of the text read before
    std::optional<std::string> text = ReadWholeFile(fs, path, pulse_);
    text_ = std::make_shared<const std::string>(text ? std::move(*text) : std::string());
    index_ = IndexHistory(*text_, pulse_);
    SetFilter(tool_, filter_);
    return text.has_value();
}

void HistoryView::SetFilter(std::string tool, std::string text) {
    tool_ = std::move(tool);
    filter_ = LowerAscii(std::move(text));
    shown_.clear();
    for (std::size_t i = index_.runs.size(); i-- > 0;) {
        const HistoryRunInfo& run = index_.runs[i];
        if (!tool_.empty() && run.tool != tool_) continue;
        if (!filter_.empty()) {
            const auto lines = LinesOfRun(index_, run);
            if (std::none_of(lines.begin(), lines.end(),
                             [this](std::size_t at) { return PathMatches(LineAt(*text_, at)); })) {
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
    rowLines_ = {};
    filtered_.clear();
    ResultTable fresh = MakeTable();
    if (shown < shown_.size()) {
        const auto lines = LinesOfRun(index_, Run(shown));
        fresh.Reserve(lines.size());
        const std::size_t shared = fresh.ShareText(text_);
        std::size_t count = 0;
        for (const std::size_t at : lines) {
            if (pulse_ && ++count % 4096 == 0) pulse_();
            const std::string_view line = LineAt(*text_, at);
            if (!PathMatches(line)) continue;
            // The fields as views of the text, which the table shares: only a field that had
            // to be decoded is copied.
            RecordReader reader(line);
            std::string_view fields[7];
            std::string decoded[7];
            for (int i = 0; i < 7; ++i) {
                const auto field = reader.Next();
                if (!field) break;
                // A field that had to be decoded lives in the reader only until the next one.
                fields[i] =
                    field->data() >= line.data() && field->data() < line.data() + line.size()
                        ? *field
                        : std::string_view(decoded[i] = std::string(*field));
            }
            const std::string_view path = fields[4];
            const std::size_t slash = path.find_last_of('\\');
            const std::string_view name =
                slash == std::string_view::npos ? path : path.substr(slash + 1);
            const std::string_view dir =
                slash == std::string_view::npos ? std::string_view() : path.substr(0, slash + 1);
            fresh.AppendShared(shared, {fields[1], fields[3], name, dir, fields[5], fields[6]});
            if (!filter_.empty()) filtered_.push_back(at);
        }
        // Without a text filter every line of the run is a row: no list of its own.
        rowLines_ = filter_.empty() ? lines : std::span<const std::size_t>(filtered_);
    }
    table.TakeRows(fresh, pulse_);
}

std::optional<HistoryLine> HistoryView::LineOfRow(std::size_t row) const {
    if (row == 0 || row > rowLines_.size()) return std::nullopt;
    return ParseHistoryLine(LineAt(*text_, rowLines_[row - 1]));
}

}  // namespace sorvane
