#pragma once
// What the engine tests share: the framework, the fake platform and result table rows.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakePlatform.h"
#include "RecordingView.h"
#include "core/driveclean/MaskList.h"

namespace sorvane {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::SizeIs;
using Texts = std::vector<std::string>;

namespace test {

inline Texts FileRow(const std::string& dir, const std::string& name,
                     const std::string& size = "1") {
    return {name, size, "01/02/2024", "03/04/2024", dir, "A", "Text Document"};
}

// The cells of one column (the names by default), top to bottom; none for an empty table.
inline Texts Column(const ResultTable& table, std::size_t column = 0) {
    Texts cells;
    for (std::size_t row = 1; row < table.RowCount() && !table.Empty(); ++row)
        cells.push_back(table.Cell(row, column));
    return cells;
}

// The full paths of the rows, top to bottom.
inline Texts Paths(const ResultTable& table) {
    Texts paths;
    for (std::size_t row = 1; row < table.RowCount() && !table.Empty(); ++row)
        paths.push_back(table.FullPath(row));
    return paths;
}

}  // namespace test
}  // namespace sorvane
