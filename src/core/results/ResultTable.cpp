#include "core/results/ResultTable.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <functional>
#include <stdexcept>

namespace sorvane {

namespace {

// Blocks grow from small, so a short table stays small, to a size whose allocations are few.
constexpr std::size_t kFirstBlock = 4096;
constexpr std::size_t kLargestBlock = std::size_t{1} << 20;

}  // namespace

ResultTable::ResultTable(std::vector<Column> columns, std::size_t nameColumn,
                         std::size_t pathColumn)
    : columns_(std::move(columns)),
      nameColumn_(nameColumn),
      pathColumn_(pathColumn),
      styles_{CellStyle{}} {
    if (columns_.empty() || nameColumn_ >= columns_.size() || pathColumn_ >= columns_.size()) {
        throw std::invalid_argument("result table: bad columns");
    }
    PushBlank();
}

std::size_t ResultTable::ColumnCount() const {
    return columns_.size();
}

const Column& ResultTable::ColumnAt(std::size_t column) const {
    CheckColumn(column);
    return columns_[column];
}

void ResultTable::SetColumnWidth(std::size_t column, int width) {
    CheckColumn(column);
    columns_[column].width = width;
}

std::size_t ResultTable::NameColumn() const {
    return nameColumn_;
}

std::size_t ResultTable::PathColumn() const {
    return pathColumn_;
}

std::size_t ResultTable::RowCount() const {
    return rows_.size() + 1;
}

void ResultTable::CheckRow(std::size_t row) const {
    if (row >= RowCount()) throw std::out_of_range("result table: no row " + std::to_string(row));
}

void ResultTable::CheckColumn(std::size_t column) const {
    if (column >= columns_.size()) {
        throw std::out_of_range("result table: no column " + std::to_string(column));
    }
}

std::size_t ResultTable::RowBytes(std::size_t index) const {
    std::size_t bytes = 0;
    const Span* spans = SpansOf(index);
    for (std::size_t c = 0; c < columns_.size(); ++c) bytes += spans[c].size;
    return bytes;
}

std::size_t ResultTable::OwnBytes(std::size_t index) const {
    const std::size_t bytes = RowBytes(index);
    return bytes == 0 || blocks_[rows_[index].block].shared ? 0 : bytes;
}

std::string& ResultTable::BlockFor(std::size_t length) {
    if (blocks_.empty() || blocks_.back().shared ||
        blocks_.back().own.capacity() - blocks_.back().own.size() < length) {
        const std::size_t last = blocks_.empty() ? kFirstBlock / 2 : blocks_.back().own.capacity();
        blocks_.emplace_back().own.reserve(std::max(length, std::min(kLargestBlock, 2 * last)));
    }
    held_ += length;
    return blocks_.back().own;
}

void ResultTable::CompactIfWasteful() {
    if (wasted_ <= kLargestBlock || wasted_ * 2 <= held_) return;
    std::vector<Block> old;
    old.swap(blocks_);
    held_ = 0;
    wasted_ = 0;
    // Shared text is kept as it is, under a new number.
    std::vector<std::uint32_t> sharedAt(old.size(), UINT32_MAX);
    for (std::size_t index = 0; index < rows_.size(); ++index) {
        Row& row = rows_[index];
        const Block& from = old[row.block];
        if (from.shared) {
            if (sharedAt[row.block] == UINT32_MAX) {
                sharedAt[row.block] = static_cast<std::uint32_t>(blocks_.size());
                blocks_.push_back(from);
            }
            row.block = sharedAt[row.block];
            continue;
        }
        const std::size_t bytes = RowBytes(index);
        std::string& block = BlockFor(bytes);
        row.block = static_cast<std::uint32_t>(blocks_.size() - 1);
        Span* spans = SpansOf(index);
        for (std::size_t c = 0; c < columns_.size(); ++c) {
            const std::size_t start = block.size();
            block += from.own.substr(spans[c].start, spans[c].size);
            spans[c].start = static_cast<std::uint32_t>(start);
        }
    }
}

void ResultTable::DropText() {
    std::vector<Block>().swap(blocks_);
    held_ = 0;
    wasted_ = 0;
}

std::string_view ResultTable::CellView(std::size_t row, std::size_t column) const {
    CheckRow(row);
    CheckColumn(column);
    if (row == 0) return columns_[column].heading;
    const Span span = SpansOf(row - 1)[column];
    if (span.size == 0) return {};
    return blocks_[rows_[row - 1].block].Text().substr(span.start, span.size);
}

std::string ResultTable::Cell(std::size_t row, std::size_t column) const {
    return std::string(CellView(row, column));
}

void ResultTable::SetCell(std::size_t row, std::size_t column, std::string text) {
    CheckRow(row);
    CheckColumn(column);
    if (row == 0) {
        columns_[column].heading = std::move(text);
        return;
    }
    // The row's cells are written anew, together, in the table's own text.
    const std::size_t index = row - 1;
    std::vector<std::string> cells;
    cells.reserve(columns_.size());
    for (std::size_t c = 0; c < columns_.size(); ++c) {
        cells.emplace_back(c == column ? std::string_view(text) : CellView(row, c));
    }
    wasted_ += OwnBytes(index);
    std::size_t length = 0;
    for (const std::string& cell : cells) length += cell.size();
    std::string& block = BlockFor(length);
    rows_[index].block = static_cast<std::uint32_t>(blocks_.size() - 1);
    Span* spans = SpansOf(index);
    for (std::size_t c = 0; c < columns_.size(); ++c) {
        spans[c] = {static_cast<std::uint32_t>(block.size()),
                    static_cast<std::uint32_t>(cells[c].size())};
        block += cells[c];
    }
    CompactIfWasteful();
}

Alignment ResultTable::AlignmentOf(std::size_t row, std::size_t column) const {
    CheckRow(row);
    return row == 0 ? Alignment::kCenter : ColumnAt(column).alignment;
}

bool ResultTable::Checked(std::size_t row) const {
    CheckRow(row);
    return row > 0 && rows_[row - 1].checked;
}

void ResultTable::SetChecked(std::size_t row, bool checked) {
    CheckRow(row);
    if (row > 0) rows_[row - 1].checked = checked;
}

const CellStyle& ResultTable::Style(std::size_t row) const {
    CheckRow(row);
    return styles_[row == 0 ? 0 : rows_[row - 1].style];
}

void ResultTable::SetStyle(std::size_t row, const CellStyle& style) {
    CheckRow(row);
    if (row == 0) return;
    // A table uses a handful of styles, so a linear search stays short.
    auto it = std::find(styles_.begin(), styles_.end(), style);
    if (it == styles_.end()) it = styles_.insert(styles_.end(), style);
    rows_[row - 1].style = static_cast<std::uint32_t>(it - styles_.begin());
}

bool ResultTable::Empty() const {
    return rows_.size() == 1 && CellView(1, nameColumn_).empty();
}

void ResultTable::Clear() {
    // Swapped rather than cleared, so the memory of a large table goes back.
    std::vector<Row>().swap(rows_);
    std::vector<Span>().swap(cells_);
    DropText();
    styles_.assign(1, CellStyle{});
    selected_ = 0;
    PushBlank();
}

template <typename Cells>
void ResultTable::PushData(const Cells& cells) {
    std::size_t length = 0;
    for (const auto& cell : cells) length += std::string_view(cell).size();
    std::string& block = BlockFor(length);
    rows_.push_back({static_cast<std::uint32_t>(blocks_.size() - 1)});
    // Cells beyond the last column are dropped; missing ones at the end are empty.
    std::size_t c = 0;
    for (const auto& cell : cells) {
        if (c++ == columns_.size()) break;
        const std::string_view text(cell);
        cells_.push_back(
            {static_cast<std::uint32_t>(block.size()), static_cast<std::uint32_t>(text.size())});
        block += text;
    }
    for (; c < columns_.size(); ++c) cells_.push_back({});
}

void ResultTable::DropBlank() {
    if (rows_.size() == 1 && RowBytes(0) == 0) {
        rows_.clear();
        cells_.clear();
    }
}

void ResultTable::PushBlank() {
    rows_.emplace_back();
    cells_.resize(cells_.size() + columns_.size());
}

void ResultTable::SetRows(std::vector<std::vector<std::string>> rows) {
    std::vector<Row>().swap(rows_);
    std::vector<Span>().swap(cells_);
    DropText();
    styles_.assign(1, CellStyle{});
    Reserve(rows.size());
    for (const auto& cells : rows) PushData(cells);
    if (rows_.empty()) PushBlank();
    KeepSelectionInRange();
}

void ResultTable::AppendRow(std::vector<std::string> cells) {
    DropBlank();
    PushData(cells);
}

void ResultTable::AppendCells(std::initializer_list<std::string_view> cells) {
    DropBlank();
    PushData(cells);
}

std::size_t ResultTable::ShareText(std::shared_ptr<const std::string> text) {
    blocks_.push_back({{}, std::move(text)});
    return blocks_.size() - 1;
}

void ResultTable::AppendShared(std::size_t shared, std::initializer_list<std::string_view> cells) {
    DropBlank();
    const std::string_view text = blocks_.at(shared).Text();
    const bool within =
        blocks_[shared].shared && text.size() <= UINT32_MAX &&
        std::all_of(cells.begin(), cells.end(), [&](std::string_view cell) {
            const std::less_equal<const char*> atMost;
            return cell.empty() || (atMost(text.data(), cell.data()) &&
                                    atMost(cell.data() + cell.size(), text.data() + text.size()));
        });
    if (!within || cells.size() > columns_.size()) {
        PushData(cells);
        return;
    }
    rows_.push_back({static_cast<std::uint32_t>(shared)});
    for (const std::string_view cell : cells) {
        cells_.push_back({cell.empty() ? 0 : static_cast<std::uint32_t>(cell.data() - text.data()),
                          static_cast<std::uint32_t>(cell.size())});
    }
    cells_.resize(rows_.size() * columns_.size());
}

void ResultTable::TakeRows(ResultTable& source, const std::function<void()>& pulse) {
    if (&source == this) return;
    if (source.columns_.size() != columns_.size()) {
        throw std::invalid_argument("result table: rows of another width");
    }
    rows_.swap(source.rows_);
    cells_.swap(source.cells_);
    styles_.swap(source.styles_);
    blocks_.swap(source.blocks_);
    std::swap(held_, source.held_);
    std::swap(wasted_, source.wasted_);
    KeepSelectionInRange();
    // The former rows, now in `source`, a block at a time from the end: freeing a large table
    // at once would hold up the events for a while.
    if (pulse) {
        std::vector<Row>().swap(source.rows_);
        pulse();
        while (!source.blocks_.empty()) {
            source.blocks_.pop_back();
            pulse();
        }
    }
    source.Clear();
}

void ResultTable::Reserve(std::size_t dataRows) {
    rows_.reserve(dataRows);
    cells_.reserve(dataRows * columns_.size());
}

void ResultTable::RemoveRow(std::size_t row) {
    RemoveRows({row});
}

void ResultTable::RemoveRows(const std::vector<std::size_t>& rows) {
    std::vector<bool> gone(rows_.size(), false);
    for (const std::size_t row : rows) {
        if (row > 0 && row <= rows_.size()) gone[row - 1] = true;
    }
    const std::size_t stride = columns_.size();
    std::size_t kept = 0;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (gone[i]) {
            wasted_ += OwnBytes(i);
            continue;
        }
        if (kept != i) {
            rows_[kept] = rows_[i];
            std::copy_n(SpansOf(i), stride, SpansOf(kept));
        }
        ++kept;
    }
    rows_.resize(kept);
    cells_.resize(kept * stride);
    if (rows_.empty()) PushBlank();
    CompactIfWasteful();
    KeepSelectionInRange();
}

std::size_t ResultTable::SelectedRow() const {
    return selected_;
}

void ResultTable::SelectRow(std::size_t row) {
    selected_ = row;
    KeepSelectionInRange();
}

void ResultTable::KeepSelectionInRange() {
    if (selected_ >= RowCount()) selected_ = 0;
}

std::string ResultTable::FullPath(std::size_t row) const {
    std::string path(CellView(row, pathColumn_));
    path += CellView(row, nameColumn_);
    return path;
}

}  // namespace sorvane
