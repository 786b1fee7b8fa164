#pragma once
// A Clean Drive(s)-like result table and a window stand-in for the result-table tests.
#include <string>
#include <vector>

#include "RecordingView.h"
#include "core/results/ResultTable.h"

namespace sorvane::test {

// Name (0), Size (1, right-aligned), ..., Path (4), as the Clean Drive(s) window has them.
inline ResultTable CleanDriveTable() {
    return ResultTable({{"Name"},
                        {"Size", Alignment::kRight},
                        {"Last Modified"},
                        {"Last Accessed"},
                        {"Path"},
                        {"Attributes"},
                        {"Type"}},
                       0, 4);
}

inline std::vector<std::string> FileRow(const std::string& dir, const std::string& name,
                                        const std::string& size = "1") {
    return {name, size, "01/02/2024", "03/04/2024", dir, "A", "Text Document"};
}

// The cells of one column, top to bottom; none for an empty table.
inline std::vector<std::string> Column(const ResultTable& table, std::size_t column) {
    std::vector<std::string> cells;
    for (std::size_t row = 1; row < table.RowCount() && !table.Empty(); ++row) {
        cells.push_back(table.Cell(row, column));
    }
    return cells;
}

}  // namespace sorvane::test
