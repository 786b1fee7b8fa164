// The fake disk carries every engine test, so its listing rules and faults are checked here.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeFileSystem.h"
#include "FakeText.h"

namespace sorvane {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// The names a listing gives, or nothing when it does not open.
std::vector<std::string> List(IFileSystem& fs, const std::string& pattern) {
    std::vector<std::string> names;
    FindData data;
    const auto handle = fs.FindFirst(pattern, data);
    if (!handle) return names;
    do {
        names.push_back(data.name);
    } while (handle->Next(data));
    return names;
}

std::string ReadAll(IFileReader& reader, std::size_t block) {
    std::string all;
    std::string buffer(block, '\0');
    while (const auto n = reader.Read(buffer.data(), block)) {
        if (*n == 0) break;
        all.append(buffer, 0, *n);
    }
    return all;
}

TEST(FakeMask, MatchesLikeTheRealPlatform) {
    using fake::MatchesMask;
    EXPECT_TRUE(MatchesMask("Report.LNK", "*.lnk"));
    EXPECT_FALSE(MatchesMask("report.lnk.txt", "*.lnk"));
    EXPECT_TRUE(MatchesMask("noext", "*.*"));
    EXPECT_TRUE(MatchesMask("..", "*"));
    EXPECT_FALSE(MatchesMask("..", "*.lnk"));
    EXPECT_TRUE(MatchesMask("a1b22c", "a*b*c"));
    EXPECT_FALSE(MatchesMask("a1b22", "a*b*c"));
    EXPECT_TRUE(MatchesMask("file7.tmp", "file?.tmp"));
    EXPECT_FALSE(MatchesMask("file.tmp", "file?.tmp"));
    EXPECT_TRUE(MatchesMask("NAME", "name"));
}

class FakeFileSystemTest : public ::testing::Test {
  protected:
    FakeFileSystemTest() {
        fs.AddFile("C:\\Data\\beta.txt", 20);
        fs.AddFile("C:\\Data\\Alpha.LNK", 10, {.attributes = attr::kHidden});
        fs.AddFile("C:\\Data\\gamma.lnk", 30);
        fs.AddDir("C:\\Data\\Sub");
    }
    FakeFileSystem fs;
};

TEST_F(FakeFileSystemTest, ListsDotsFirstThenNamesInCaseInsensitiveOrder) {
    EXPECT_THAT(List(fs, "C:\\Data\\*"),
                ElementsAre(".", "..", "Alpha.LNK", "beta.txt", "gamma.lnk", "Sub"));
    EXPECT_THAT(List(fs, "C:\\*"), ElementsAre("Data"));
}

TEST_F(FakeFileSystemTest, ReportsSizesAndAttributesInListings) {
    FindData data;
    const auto handle = fs.FindFirst("c:/DATA/alpha.lnk", data);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(data.name, "Alpha.LNK");
    EXPECT_EQ(data.size, 10U);
    EXPECT_EQ(data.attributes, attr::kHidden);
    EXPECT_FALSE(handle->Next(data));

    ASSERT_NE(fs.FindFirst("C:\\Data\\Sub", data), nullptr);
    EXPECT_EQ(data.attributes, attr::kDirectory);
}

TEST_F(FakeFileSystemTest, ListsOnlyWhatTheMaskFits) {
    EXPECT_THAT(List(fs, "C:\\Data\\*.lnk"), ElementsAre("Alpha.LNK", "gamma.lnk"));
    EXPECT_THAT(List(fs, "C:\\Data\\BETA.TXT"), ElementsAre("beta.txt"));
    EXPECT_THAT(List(fs, "C:\\Data\\*.doc"), IsEmpty());
    EXPECT_THAT(List(fs, "C:\\Data\\Sub\\*"), ElementsAre(".", ".."));
}

TEST_F(FakeFileSystemTest, DoesNotListWhatCannotBeListed) {
    fs.DenyListing("C:\\Data");
    EXPECT_THAT(List(fs, "C:\\Data\\*"), IsEmpty());
    EXPECT_TRUE(fs.DirExists("C:\\Data"));
    EXPECT_THAT(List(fs, "C:\\Missing\\*"), IsEmpty());
    EXPECT_THAT(List(fs, "C:\\Data\\beta.txt\\*"), IsEmpty());
    EXPECT_THAT(List(fs, "nodrive\\*"), IsEmpty());
}

TEST_F(FakeFileSystemTest, OpenListingFollowsChangesToTheDirectory) {
    FindData data;
    const auto handle = fs.FindFirst("C:\\Data\\*.lnk", data);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(data.name, "Alpha.LNK");
    fs.AddFile("C:\\Data\\delta.lnk");
    fs.Erase("C:\\Data\\gamma.lnk");
    ASSERT_TRUE(handle->Next(data));
    EXPECT_EQ(data.name, "delta.lnk");
    EXPECT_FALSE(handle->Next(data));
}

TEST_F(FakeFileSystemTest, RefusesToRemoveLockedAndReadOnlyEntries) {
    fs.Lock("C:\\Data\\beta.txt");
    EXPECT_FALSE(fs.RemoveFile("C:\\Data\\beta.txt"));
    EXPECT_FALSE(fs.SetAttributes("C:\\Data\\beta.txt", attr::kNormal));
    fs.Lock("C:\\Data\\beta.txt", false);
    EXPECT_TRUE(fs.RemoveFile("C:\\Data\\BETA.txt"));

    fs.AddFile("C:\\Data\\ro.txt", 1, {.attributes = attr::kReadOnly});
    EXPECT_FALSE(fs.RemoveFile("C:\\Data\\ro.txt"));
    EXPECT_TRUE(fs.SetAttributes("C:\\Data\\ro.txt", attr::kNormal));
    EXPECT_EQ(fs.Attributes("C:\\Data\\ro.txt"), attr::kNormal);
    EXPECT_TRUE(fs.RemoveFile("C:\\Data\\ro.txt"));

    EXPECT_THAT(fs.Removed(), ElementsAre("C:\\Data\\BETA.txt", "C:\\Data\\ro.txt"));
}

TEST_F(FakeFileSystemTest, RemovesOnlyEmptyDirectoriesAndNeverRoots) {
    EXPECT_FALSE(fs.RemoveFile("C:\\Data\\Sub"));
    EXPECT_FALSE(fs.RemoveDir("C:\\Data"));
    EXPECT_FALSE(fs.RemoveDir("C:\\"));
    EXPECT_TRUE(fs.RemoveDir("C:\\Data\\Sub"));
    EXPECT_FALSE(fs.Exists("C:\\Data\\Sub"));
}

TEST_F(FakeFileSystemTest, MakesDirectoriesOnlyUnderExistingOnesAndNotOnAFullDisk) {
    EXPECT_FALSE(fs.MakeDir("C:\\New\\Deeper"));
    EXPECT_FALSE(fs.MakeDir("C:\\Data\\Sub"));
    fs.SetDiskFull(true);
    EXPECT_FALSE(fs.MakeDir("C:\\New"));
    fs.SetDiskFull(false);
    EXPECT_TRUE(fs.MakeDir("C:\\New"));
    EXPECT_TRUE(fs.DirExists("C:\\new"));
}

TEST_F(FakeFileSystemTest, VanishesAfterTheGivenListingSteps) {
    fs.VanishAfterSteps("C:\\Data\\gamma.lnk", 3);
    // Steps: ".", "..", "Alpha.LNK"; gamma goes before the listing reaches it.
    EXPECT_THAT(List(fs, "C:\\Data\\*"), ElementsAre(".", "..", "Alpha.LNK", "beta.txt", "Sub"));
    EXPECT_FALSE(fs.Contains("C:\\Data\\gamma.lnk"));
}

TEST_F(FakeFileSystemTest, VanishesRightBeforeTheNextUse) {
    fs.VanishBeforeNextUse("C:\\Data\\beta.txt");
    EXPECT_TRUE(fs.Contains("C:\\Data\\beta.txt"));
    EXPECT_THAT(List(fs, "C:\\Data\\*.txt"), ElementsAre("beta.txt"));

    EXPECT_EQ(fs.OpenRead("C:\\Data\\beta.txt"), nullptr);
    EXPECT_FALSE(fs.Contains("C:\\Data\\beta.txt"));
}

TEST(FakeFileReads, GiveContentInBlocksAndFailWhereTold) {
    FakeFileSystem fs;
    fs.AddFileWithContent("C:\\a.bin", "0123456789");
    fs.AddFile("C:\\zeros.bin", 5);

    auto reader = fs.OpenRead("C:\\a.bin");
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(ReadAll(*reader, 3), "0123456789");
    reader = fs.OpenRead("C:\\zeros.bin");
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(ReadAll(*reader, 4), std::string(5, '\0'));

    fs.FailReadAt("C:\\a.bin", 4);
    reader = fs.OpenRead("C:\\a.bin");
    char buffer[8];
    EXPECT_EQ(reader->Read(buffer, 8), 4U);
    EXPECT_EQ(reader->Read(buffer, 8), std::nullopt);

    fs.DenyRead("C:\\zeros.bin");
    EXPECT_EQ(fs.OpenRead("C:\\zeros.bin"), nullptr);
    EXPECT_EQ(fs.OpenRead("C:\\"), nullptr);
}

TEST(FakeFileSystemSetup, RefusesPathsItCannotPlace) {
    FakeFileSystem fs;
    fs.AddFile("C:\\file");
    EXPECT_THROW(fs.AddFile("relative\\file"), std::invalid_argument);
    EXPECT_THROW(fs.AddFile("C:\\file\\inside"), std::invalid_argument);
    EXPECT_THROW(fs.AddDir("C:\\file"), std::invalid_argument);
}

TEST(FakeFileSystemMove, MovesTreesAndCreatesMissingDirectories) {
    FakeFileSystem fs;
    fs.AddFileWithContent("C:\\Old\\Sub\\f.txt", "x");
    EXPECT_FALSE(fs.Move("C:\\Old\\Sub", "D:\\Backup\\Sub"));  // no drive D: yet
    fs.AddDir("D:\\");
    EXPECT_TRUE(fs.Move("C:\\Old\\Sub", "D:\\Backup\\Sub"));
    EXPECT_THAT(fs.AllPaths(),
                ElementsAre("C:\\Old", "D:\\Backup", "D:\\Backup\\Sub", "D:\\Backup\\Sub\\f.txt"));

    EXPECT_FALSE(fs.Move("C:\\Old", "C:\\Old\\Inside"));
    EXPECT_FALSE(fs.Move("C:\\Missing", "C:\\Other"));
    fs.Lock("D:\\Backup\\Sub\\f.txt");
    EXPECT_FALSE(fs.Move("D:\\Backup", "C:\\Backup"));
}

}  // namespace
}  // namespace sorvane
