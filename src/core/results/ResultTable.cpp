#include "core/results/ResultTable.h"

#include <algorithm>
#include <stdexcept>

namespace sorvane {

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

std::size_t ResultTable::Start(std::size_t index, std::size_t column) const {
    return column == 0 ? 0 : starts_[index * (columns_.size() - 1) + column - 1];
}

std::size_t ResultTable::End(std::size_t index, std::size_t column) const {
    return column + 1 == columns_.size() ? rows_[index].text.size() : Start(index, column + 1);
}

std::string_view ResultTable::CellView(std::size_t row, std::size_t column) const {
    CheckRow(row);
    CheckColumn(column);
    if (row == 0) return columns_[column].heading;
    const std::size_t start = Start(row - 1, column);
    return std::string_view(rows_[row - 1].text).substr(start, End(row - 1, column) - start);
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
    const std::size_t index = row - 1;
    const std::size_t start = Start(index, column);
    const std::size_t end = End(index, column);
    rows_[index].text.replace(start, end - start, text);
    const std::size_t stride = columns_.size() - 1;
    for (std::size_t c = column + 1; c < columns_.size(); ++c) {
        std::uint32_t& s = starts_[index * stride + c - 1];
        s = static_cast<std::uint32_t>(s - (end - start) + text.size());
    }
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
    std::vector<std::uint32_t>().swap(starts_);
    styles_.assign(1, CellStyle{});
    selected_ = 0;
    PushBlank();
}

template <typename Cells>
void ResultTable::PushData(const Cells& cells) {
    Row row;
    std::size_t length = 0;
    for (const auto& cell : cells) length += std::string_view(cell).size();
    row.text.reserve(length);
    // Cells beyond the last column are dropped; missing ones at the end are empty.
    std::size_t c = 0;
    for (const auto& cell : cells) {
        if (c == columns_.size()) break;
        if (c++ > 0) starts_.push_back(static_cast<std::uint32_t>(row.text.size()));
        row.text += cell;
    }
    for (; c < columns_.size(); ++c) {
        if (c > 0) starts_.push_back(static_cast<std::uint32_t>(row.text.size()));
    }
    rows_.push_back(std::move(row));
}

void ResultTable::DropBlank() {
    if (rows_.size() == 1 && rows_.front().text.empty()) {
        rows_.clear();
        starts_.clear();
    }
}

void ResultTable::PushBlank() {
    rows_.emplace_back();
    starts_.resize(starts_.size() + columns_.size() - 1, 0);
}

void ResultTable::SetRows(std::vector<std::vector<std::string>> rows) {
    std::vector<Row>().swap(rows_);
    std::vector<std::uint32_t>().swap(starts_);
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

void ResultTable::TakeRows(ResultTable& source, const std::function<void()>& pulse) {
    if (&source == this) return;
    if (source.columns_.size() != columns_.size()) {
        throw std::invalid_argument("result table: rows of another width");
    }
    rows_.swap(source.rows_);
    starts_.swap(source.starts_);
    styles_.swap(source.styles_);
    KeepSelectionInRange();
    // The former rows, now in `source`, from the end: freeing a large table at once would hold
    // up the events for a while.
    if (pulse) {
        for (std::size_t left = source.rows_.size(); left > 0; --left) {
            if ((left & 0x3FF) == 0) pulse();
            source.rows_.pop_back();
        }
    }
    source.Clear();
}

void ResultTable::Reserve(std::size_t dataRows) {
    rows_.reserve(dataRows);
    starts_.reserve(dataRows * (columns_.size() - 1));
}

void ResultTable::RemoveRow(std::size_t row) {
    RemoveRows({row});
}

void ResultTable::RemoveRows(const std::vector<std::size_t>& rows) {
    std::vector<bool> gone(rows_.size(), false);
    for (const std::size_t row : rows) {
        if (row > 0 && row <= rows_.size()) gone[row - 1] = true;
    }
    const std::size_t stride = columns_.size() - 1;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (gone[i]) continue;
        if (kept != i) {
            rows_[kept] = std::move(rows_[i]);
            std::copy_n(starts_.begin() + static_cast<std::ptrdiff_t>(i * stride), stride,
                        starts_.begin() + static_cast<std::ptrdiff_t>(kept * stride));
        }
        ++kept;
    }
    rows_.resize(kept);
    starts_.resize(kept * stride);
    if (rows_.empty()) PushBlank();
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
