#pragma once
// A result table as the Clean Drive(s) and Find Duplicate Files windows show it: row 0 is the
// header, data rows follow from 1, each with a check box (in the name column) and optionally a
// style. A table without results holds its header and one blank data row; it is then "empty".
// The grid on screen draws from this model on demand, so a table of any size shows at once.
//
// The cells of a data row lie in large blocks of text, found by their offsets: a million rows
// cost a few hundred allocations rather than a million. Rows may also point into a text the
// table shares with its owner (a file read whole), so a long list from it is not copied.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sorvane {

enum class Alignment { kLeft, kRight, kCenter };

// How a data cell is drawn, where the owning window colours its table. Colours are
// blue * 65536 + green * 256 + red.
struct CellStyle {
    std::optional<std::uint32_t> background;
    std::optional<std::uint32_t> fontColor;
    bool bold = false;
    bool italic = false;
    friend bool operator==(const CellStyle&, const CellStyle&) = default;
};

struct Column {
    std::string heading;
    Alignment alignment = Alignment::kLeft;  // of the data cells; headings are centred
    int width = 64;                          // pixels
};

class ResultTable {
  public:
    ResultTable(std::vector<Column> columns, std::size_t nameColumn, std::size_t pathColumn);

    std::size_t ColumnCount() const;
    const Column& ColumnAt(std::size_t column) const;
    void SetColumnWidth(std::size_t column, int width);
    std::size_t NameColumn() const;
    std::size_t PathColumn() const;

    // Rows including the header: at least 2.
    std::size_t RowCount() const;
    // Row 0 gives the headings. Rows and columns that do not exist throw std::out_of_range
    // here and below.
    std::string Cell(std::size_t row, std::size_t column) const;
    // The same without a copy; valid until the table next changes.
    std::string_view CellView(std::size_t row, std::size_t column) const;
    void SetCell(std::size_t row, std::size_t column, std::string text);
    // Header cells are centred; data cells take their column's alignment.
    Alignment AlignmentOf(std::size_t row, std::size_t column) const;

    bool Checked(std::size_t row) const;
    void SetChecked(std::size_t row, bool checked);
    const CellStyle& Style(std::size_t row) const;
    void SetStyle(std::size_t row, const CellStyle& style);

    // Exactly one data row whose name cell is empty.
    bool Empty() const;
    // Back to the header and one blank row; nothing selected.
    void Clear();
    // Replaces the data rows, unchecked and unstyled; no rows leaves the one blank row. Cells
    // missing at the end of a row are empty; cells beyond the last column are dropped.
    void SetRows(std::vector<std::vector<std::string>> rows);
    // Adds a data row below the last; a table holding only its blank row has it replaced.
    void AppendRow(std::vector<std::string> cells);
    // The same from cells held elsewhere, so a long fill copies each text once.
    void AppendCells(std::initializer_list<std::string_view> cells);
    // Lets rows refer to `text` rather than copy it, until the rows are next replaced (SetRows,
    // TakeRows, Clear); the number returned names it to AppendShared.
    std::size_t ShareText(std::shared_ptr<const std::string> text);
    // As AppendCells; cells lying within shared text `shared` are not copied. A row with a cell
    // from elsewhere is copied whole.
    void AppendShared(std::size_t shared, std::initializer_list<std::string_view> cells);
    // Room for this many data rows, so a long fill does not reallocate as it goes.
    void Reserve(std::size_t dataRows);
    // Replaces the data rows by those of `source`, a table of as many columns, which is left
    // with its blank row. Columns and selection stay as with SetRows. Lets a long fill be built
    // aside while this table is still shown. `pulse`, when given, is called between the blocks
    // of the former rows as they are freed, this table already holding the new ones.
    void TakeRows(ResultTable& source, const std::function<void()>& pulse = nullptr);
    // Rows below move up; removing the only data row leaves one blank row. The selected row
    // number is kept while a row of that number remains, and becomes 0 otherwise (also after
    // SetRows and RemoveRows).
    void RemoveRow(std::size_t row);
    // Removes the data rows named (in any order; the header and numbers past the end are
    // ignored) in one pass, the others keeping their order.
    void RemoveRows(const std::vector<std::size_t>& rows);

    // 0 when none. Numbers past the last row select none.
    std::size_t SelectedRow() const;
    void SelectRow(std::size_t row);

    // The path cell followed by the name cell.
    std::string FullPath(std::size_t row) const;

  private:
    struct Row {
        std::uint32_t block = 0;  // where the row's cells lie: blocks_[block]
        std::uint32_t style = 0;  // index into styles_; 0 is the plain style
        bool checked = false;
    };
    struct Span {
        std::uint32_t start = 0;
        std::uint32_t size = 0;
    };
    // Text the table fills itself, or text it shares.
    struct Block {
        std::string own;
        std::shared_ptr<const std::string> shared;
        std::string_view Text() const { return shared ? std::string_view(*shared) : own; }
    };

    void CheckRow(std::size_t row) const;
    void CheckColumn(std::size_t column) const;
    // The cells of data row `index` (0-based).
    Span* SpansOf(std::size_t index) { return cells_.data() + index * columns_.size(); }
    const Span* SpansOf(std::size_t index) const { return cells_.data() + index * columns_.size(); }
    std::size_t RowBytes(std::size_t index) const;
    // Bytes of the table's own text the row uses; 0 for a row in shared text.
    std::size_t OwnBytes(std::size_t index) const;
    // Room for the `length` bytes about to be written, in the last block or a new one when it
    // is full or shared.
    std::string& BlockFor(std::size_t length);
    // Copies the live texts into fresh blocks once more than half of the text held is no
    // longer any row's (after removals and changed cells).
    void CompactIfWasteful();
    void DropText();
    // Adds a data row at the end.
    template <typename Cells>
    void PushData(const Cells& cells);
    // A table holding only its blank row loses it before the first data row comes.
    void DropBlank();
    // The one blank data row of a table without results.
    void PushBlank();
    void KeepSelectionInRange();

    std::vector<Column> columns_;
    std::size_t nameColumn_;
    std::size_t pathColumn_;
    std::vector<Row> rows_;    // the data rows; row n of the table is rows_[n - 1]
    std::vector<Span> cells_;  // ColumnCount() for each data row, in its block
    std::vector<CellStyle> styles_;
    // Own blocks are filled in order and never rewritten: a changed row gets its text anew.
    std::vector<Block> blocks_;
    std::size_t held_ = 0;    // bytes written into the own blocks
    std::size_t wasted_ = 0;  // of those, the bytes no row uses any more
    std::size_t selected_ = 0;
};

}  // namespace sorvane
