// Giving recycled files back through the shell's own bin, which Wine keeps in
// $XDG_DATA_HOME/Trash.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WineTestSupport.h"
#include "win/platform/Utf.h"
#include "win/platform/WinHandles.h"
#include "win/platform/WinShell.h"

namespace sorvane {
namespace {

// How many of the trash's files were deleted as `path`: a second one of a name gets a suffix.
int InTrash(const std::string& trashFiles, const std::string& path) {
    WIN32_FIND_DATAW found;
    const std::string name = path.substr(path.rfind('\\') + 1);
    const UniqueFind find(FindFirstFileW(Widen(trashFiles + name + "*").c_str(), &found));
    int count = 0;
    for (bool more = static_cast<bool>(find); more; more = FindNextFileW(find.Get(), &found)) {
        ++count;
    }
    return count;
}

std::string Upper(std::string text) {
    for (char& c : text) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    return text;
}

TEST(Restore, PutsBackTheLatestDeletedFromThePlaceOnlyWhileNothingStandsThere) {
    const std::string trash = test::TrashFiles();
    if (trash.empty()) GTEST_SKIP() << "XDG_DATA_HOME is not set: would recycle into ~";
    const test::TempDir dir;
    const ComApartment com;
    WinShell shell;
    const std::string once = dir / (test::UniqueName("Ωμέγα файл") + ".txt");
    const std::string taken = dir / (test::UniqueName("taken") + ".txt");
    std::vector<std::string> twice;
    for (const char* stem : {"twice", "δύο", "again", "extensionless"}) {
        twice.push_back(dir / (test::UniqueName(stem) + (twice.size() < 3 ? ".dat" : "")));
    }
    std::vector<std::string> first = twice;
    first.insert(first.end(), {once, taken});
    for (const std::string& path : first) test::WriteBytes(path, "earlier " + path);
    ASSERT_TRUE(shell.RecycleFiles(first));
    Sleep(1100);  // Wine's bin keeps the time of deletion to the second
    for (const std::string& path : twice) test::WriteBytes(path, "later " + path);
    ASSERT_TRUE(shell.RecycleFiles(twice));
    test::WriteBytes(taken, "new");

    struct Row {
        std::string path;  // also the place asked for, but for `asked`
        std::string asked;
        RestoreResult result;
        std::string bytes;  // at the place afterwards; empty for nothing there
        int leftInBin;
    };
    const Row rows[] = {
        {once, once, RestoreResult::kRestored, "earlier " + once, 0},
        {twice[0], twice[0], RestoreResult::kRestored, "later " + twice[0], 1},
        {twice[1], twice[1], RestoreResult::kRestored, "later " + twice[1], 1},
        {twice[2], Upper(twice[2]), RestoreResult::kRestored, "later " + twice[2], 1},
        {twice[3], twice[3], RestoreResult::kRestored, "later " + twice[3], 1},
        {taken, taken, RestoreResult::kPlaceTaken, "new", 1},
        {dir / "never.txt", dir / "never.txt", RestoreResult::kNotInBin, "", 0},
        // The file system cannot tell whether anything stands there.
        {dir / "what?.txt", dir / "what?.txt", RestoreResult::kFailed, "", 0},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(shell.RestoreRecycled(row.asked), row.result) << row.asked;
        EXPECT_EQ(test::PathExists(row.path) ? test::ReadBytes(row.path) : "", row.bytes)
            << row.path;
        EXPECT_EQ(InTrash(trash, row.path), row.leftInBin) << row.path;
    }
}

}  // namespace
}  // namespace sorvane
