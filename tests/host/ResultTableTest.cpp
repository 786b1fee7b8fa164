// The result table model: compact rows, the empty-table rule and the selected row.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ResultTestSupport.h"

namespace sorvane {
namespace {

using test::FileRow;
using ::testing::ElementsAre;

std::vector<std::string> Column(const ResultTable& table, std::size_t column) {
    std::vector<std::string> cells;
    for (std::size_t row = 0; row < table.RowCount(); ++row) {
        cells.push_back(table.Cell(row, column));
    }
    return cells;
}

TEST(ResultTable, EditingACellLeavesTheOthersOfItsRowAlone) {
    ResultTable table = test::CleanDriveTable();
    table.SetRows({FileRow("C:\\a\\", "x.txt", "12"), {"short"}});
    table.SetCell(1, 1, "123456789");
    table.SetCell(1, 0, "");
    table.SetCell(1, 6, std::string("Text\0Doc", 8));
    table.SetCell(2, 4, "D:\\");

    EXPECT_EQ(table.Cell(1, 1), "123456789");
    EXPECT_EQ(table.Cell(1, 2), "01/02/2024");
    EXPECT_EQ(table.FullPath(1), "C:\\a\\");
    EXPECT_EQ(table.FullPath(2), "D:\\short");
    EXPECT_EQ(table.Cell(1, 6), std::string("Text\0Doc", 8));
    EXPECT_EQ(table.Cell(2, 6), "");
    // Two copies taken in one expression stay apart.
    EXPECT_NE(table.Cell(1, 2), table.Cell(1, 3));

    // A single row without a name counts as no result, whatever else it holds.
    table.RemoveRow(2);
    EXPECT_TRUE(table.Empty());
}

TEST(ResultTable, RemovingRowsKeepsOrderMarksAndStylesAndTheSelectedNumber) {
    ResultTable table = test::CleanDriveTable();
    for (const char* name : {"a", "b", "c", "d", "e"}) table.AppendRow(FileRow("C:\\", name));
    const CellStyle aqua{0xFFFF00, 0, false, false};
    table.SetStyle(4, aqua);
    table.SetChecked(5, true);
    table.SelectRow(4);

    table.RemoveRows({3, 1, 99, 0, 3});
    EXPECT_THAT(Column(table, 0), ElementsAre("Name", "b", "d", "e"));
    EXPECT_EQ(table.Style(2), aqua);
    EXPECT_EQ(table.Style(1), CellStyle{});
    EXPECT_TRUE(table.Checked(3));
    EXPECT_EQ(table.SelectedRow(), 0u);  // row 4 is gone

    table.SelectRow(3);
    table.RemoveRow(3);
    EXPECT_EQ(table.SelectedRow(), 0u);
    table.SelectRow(1);
    table.RemoveRow(1);
    table.RemoveRow(1);
    EXPECT_EQ(table.SelectedRow(), 1u);  // the blank row
    EXPECT_TRUE(table.Empty());
    EXPECT_FALSE(table.Checked(1));
}

TEST(ResultTable, RowsBuiltAsideReplaceTheShownOnesAtOnce) {
    ResultTable shown = test::CleanDriveTable();
    shown.SetRows({FileRow("C:\\", "a"), FileRow("C:\\", "b"), FileRow("C:\\", "c")});
    CellStyle bold;
    bold.bold = true;
    shown.SetStyle(2, bold);
    shown.SelectRow(3);

    ResultTable aside = test::CleanDriveTable();
    aside.AppendCells({"x.txt", "7", "", "", "D:\\"});  // missing cells are empty
    aside.AppendCells({"y.txt", "8", "m", "a", "E:\\", "A", "Type", "beyond the last column"});
    shown.TakeRows(aside);

    EXPECT_THAT(Column(shown, 0), ElementsAre("Name", "x.txt", "y.txt"));
    EXPECT_EQ(shown.FullPath(1), "D:\\x.txt");
    EXPECT_EQ(shown.Cell(1, 6), "");
    EXPECT_EQ(shown.Cell(2, 6), "Type");
    EXPECT_EQ(shown.Style(2), CellStyle{});
    EXPECT_EQ(shown.SelectedRow(), 0u);  // row 3 is gone
    EXPECT_TRUE(aside.Empty());
    EXPECT_EQ(aside.RowCount(), 2u);

    ResultTable narrow({{"Name"}, {"Path"}}, 0, 1);
    EXPECT_THROW(shown.TakeRows(narrow), std::invalid_argument);
}

}  // namespace
}  // namespace sorvane
