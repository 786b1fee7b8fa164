// Enumeration, attributes, removal and block reads on the real file system.
#include <gtest/gtest.h>

#include <map>

#include "WineTestSupport.h"
#include "win/platform/Utf.h"
#include "win/platform/WinFileSystem.h"
#include "win/platform/WinHandles.h"

namespace sorvane {
namespace {

using test::PathExists;
using test::TempDir;
using test::WriteBytes;

class FileSystemTest : public ::testing::Test {
  protected:
    std::map<std::string, FindData> List(const std::string& pattern) {
        std::map<std::string, FindData> entries;
        FindData entry;
        const auto find = fs_.FindFirst(pattern, entry);
        if (!find) return entries;
        do {
            entries[entry.name] = entry;
        } while (find->Next(entry));
        return entries;
    }

    TempDir dir_;
    WinFileSystem fs_;
};

TEST_F(FileSystemTest, AListingReportsNamesKindsAndSizes) {
    WriteBytes(dir_ / "Ωmega файл.txt", "12345");
    test::MakeDirectory(dir_ / "sub");

    const auto entries = List(dir_ / "*");

    ASSERT_TRUE(entries.count("Ωmega файл.txt"));
    EXPECT_EQ(entries.at("Ωmega файл.txt").size, 5u);
    EXPECT_EQ(entries.at("Ωmega файл.txt").attributes & attr::kDirectory, 0u);
    ASSERT_TRUE(entries.count("sub"));
    EXPECT_NE(entries.at("sub").attributes & attr::kDirectory, 0u);
}

TEST_F(FileSystemTest, SizesAndTimesUseAllSixtyFourBits) {
    const std::string path = dir_ / "big.bin";
    const std::uint64_t size = (5ull << 30) + 7;  // past 4 GiB, sparse on the host
    const std::uint64_t written = 0x01D9'0000'1234'5670ull;
    {
        UniqueFile file(CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file);
        LARGE_INTEGER end;
        end.QuadPart = static_cast<LONGLONG>(size);
        ASSERT_TRUE(SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN));
        ASSERT_TRUE(SetEndOfFile(file.Get()));
        FILETIME ft;
        ft.dwLowDateTime = static_cast<DWORD>(written);
        ft.dwHighDateTime = static_cast<DWORD>(written >> 32);
        ASSERT_TRUE(SetFileTime(file.Get(), nullptr, nullptr, &ft));
    }

    const auto entries = List(path);

    ASSERT_TRUE(entries.count("big.bin"));
    EXPECT_EQ(entries.at("big.bin").size, size);
    EXPECT_EQ(entries.at("big.bin").lastWriteTime.ticks, written);
}

TEST_F(FileSystemTest, AMaskListsOnlyMatchingFiles) {
    WriteBytes(dir_ / "a.lnk", "");
    WriteBytes(dir_ / "b.txt", "");

    const auto entries = List(dir_ / "*.lnk");

    EXPECT_EQ(entries.size(), 1u);
    EXPECT_TRUE(entries.count("a.lnk"));
}

TEST_F(FileSystemTest, NothingToListGivesNoHandle) {
    FindData entry;
    EXPECT_EQ(fs_.FindFirst(dir_ / "*.none", entry), nullptr);
    EXPECT_EQ(fs_.FindFirst(dir_ / "missing\\*", entry), nullptr);
}

TEST_F(FileSystemTest, AttributesAreReadAndSet) {
    const std::string path = dir_ / "f.txt";
    WriteBytes(path, "x");

    ASSERT_TRUE(fs_.SetAttributes(path, attr::kReadOnly | attr::kHidden));
    const auto attributes = fs_.Attributes(path);
    ASSERT_TRUE(attributes);
    EXPECT_EQ(*attributes & (attr::kReadOnly | attr::kHidden), attr::kReadOnly | attr::kHidden);

    // Removal needs the read-only attribute cleared first.
    EXPECT_FALSE(fs_.RemoveFile(path));
    ASSERT_TRUE(fs_.SetAttributes(path, attr::kArchive));
    EXPECT_TRUE(fs_.RemoveFile(path));
    EXPECT_FALSE(fs_.Attributes(path));
    EXPECT_FALSE(fs_.SetAttributes(path, attr::kArchive));
}

TEST_F(FileSystemTest, DirectoriesAreMadeAndRemovedOnlyWhenEmpty) {
    const std::string sub = dir_ / "Папка";
    ASSERT_TRUE(fs_.MakeDir(sub));
    EXPECT_TRUE(fs_.DirExists(sub));
    EXPECT_FALSE(fs_.MakeDir(sub));

    WriteBytes(sub + "\\f.txt", "x");
    EXPECT_FALSE(fs_.RemoveDir(sub));
    ASSERT_TRUE(fs_.RemoveFile(sub + "\\f.txt"));
    EXPECT_FALSE(fs_.RemoveFile(sub + "\\f.txt"));
    EXPECT_TRUE(fs_.RemoveDir(sub));
    EXPECT_FALSE(PathExists(sub));
}

TEST_F(FileSystemTest, BlockReadsReturnTheWholeFileThenZero) {
    const std::string path = dir_ / "data.bin";
    std::string contents;
    for (int i = 0; i < 1000; ++i) contents += static_cast<char>(i % 251);
    WriteBytes(path, contents);

    const auto reader = fs_.OpenRead(path);
    ASSERT_TRUE(reader);
    std::string got;
    char block[333];
    for (;;) {
        const auto n = reader->Read(block, sizeof block);
        ASSERT_TRUE(n);
        if (*n == 0) break;
        got.append(block, *n);
    }
    EXPECT_EQ(got, contents);
}

TEST_F(FileSystemTest, AFileOpenForWritingElsewhereCanStillBeRead) {
    const std::string path = dir_ / "busy.log";
    WriteBytes(path, "busy");
    UniqueFile writer(CreateFileW(Widen(path).c_str(), GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(writer);

    const auto reader = fs_.OpenRead(path);
    ASSERT_TRUE(reader);
    char block[8];
    EXPECT_EQ(reader->Read(block, sizeof block), 4u);
}

TEST_F(FileSystemTest, AMissingFileCannotBeOpened) {
    EXPECT_EQ(fs_.OpenRead(dir_ / "missing.bin"), nullptr);
}

TEST_F(FileSystemTest, FullPathFoldsDotsAndGivesLongNames) {
    const std::string longDir = dir_ / "A Long Directory Name";
    test::MakeDirectory(longDir);
    EXPECT_EQ(fs_.FullPath(longDir + "\\.\\x\\..\\"), longDir + "\\");
    EXPECT_EQ(fs_.FullPath("C:\\a\\..\\b"), "C:\\b");  // need not exist

    wchar_t shortPath[MAX_PATH] = {};
    const DWORD length = GetShortPathNameW(Widen(longDir).c_str(), shortPath, MAX_PATH);
    if (length == 0 || length >= MAX_PATH || Narrow(shortPath) == longDir) {
        GTEST_SKIP() << "no short name here";
    }
    EXPECT_EQ(fs_.FullPath(Narrow(shortPath)), longDir);
}

}  // namespace
}  // namespace sorvane
