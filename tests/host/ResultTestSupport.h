#pragma once
// The Clean Drive(s) result table and rows for it, for the result-table tests.
#include <string>
#include <vector>

#include "RecordingView.h"
#include "core/driveclean/MaskList.h"

namespace sorvane::test {

inline std::vector<std::string> FileRow(const std::string& dir, const std::string& name,
                                        const std::string& size = "1") {
    return {name, size, "01/02/2024", "03/04/2024", dir, "A", "Text Document"};
}

// The cells of one column (the names by default), top to bottom; none for an empty table.
inline std::vector<std::string> Column(const ResultTable& table, std::size_t column = 0) {
    std::vector<std::string> cells;
    for (std::size_t row = 1; row < table.RowCount() && !table.Empty(); ++row) {
        cells.push_back(table.Cell(row, column));
    }
    return cells;
}

}  // namespace sorvane::test
