// Listings, look-ups, removal and reads on the real file system.
#include <gtest/gtest.h>
#include <map>

#include "WineTestSupport.h"
#include "win/platform/Utf.h"
#include "win/platform/WinFileSystem.h"
#include "win/platform/WinHandles.h"

namespace sorvane {
namespace {

std::map<std::string, FindData> List(IFileSystem& fs, const std::string& pattern) {
    std::map<std::string, FindData> entries;
    FindData entry;
    for (const auto find = fs.FindFirst(pattern, entry); find;) {
        entries[entry.name] = entry;
        if (!find->Next(entry)) break;
    }
    return entries;
}

TEST(FileSystem, ListingsGiveNamesKindsAndSixtyFourBitSizesAndTimes) {
    const test::TempDir dir;
    WinFileSystem fs;
    test::WriteBytes(dir / "Ωmega файл.txt", "12345");
    ASSERT_TRUE(fs.MakeDir(dir / "sub"));
    const std::uint64_t size = (5ull << 30) + 7;  // past 4 GiB, sparse on the host
    const std::uint64_t written = 0x01D9'0000'1234'5670ull;
    {
        UniqueFile file(CreateFileW(Widen(dir / "big.lnk").c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        const FILETIME ft{static_cast<DWORD>(written), static_cast<DWORD>(written >> 32)};
        ASSERT_TRUE(
            SetFilePointerEx(file.Get(), {.QuadPart = LONGLONG(size)}, nullptr, FILE_BEGIN));
        ASSERT_TRUE(SetEndOfFile(file.Get()) && SetFileTime(file.Get(), nullptr, nullptr, &ft));
    }
    const auto all = List(fs, dir / "*");
    ASSERT_EQ(all.count("Ωmega файл.txt"), 1u);
    EXPECT_EQ(all.at("Ωmega файл.txt").size, 5u);
    EXPECT_EQ(all.at("Ωmega файл.txt").attributes & attr::kDirectory, 0u);
    EXPECT_NE(all.at("sub").attributes & attr::kDirectory, 0u);
    const auto masked = List(fs, dir / "*.lnk");
    ASSERT_EQ(masked.size(), 1u);
    EXPECT_EQ(masked.at("big.lnk").size, size);
    EXPECT_EQ(masked.at("big.lnk").lastWriteTime.ticks, written);
    FindData entry;
    EXPECT_EQ(fs.FindFirst(dir / "*.none", entry), nullptr);
    EXPECT_EQ(fs.FindFirst(dir / "missing\\*", entry), nullptr);
}

TEST(FileSystem, RemovalNeedsTheReadOnlyBitClearedAndOnlyNotFoundSaysAPathIsGone) {
    const test::TempDir dir;
    WinFileSystem fs;
    const std::string sub = dir / "Папка";
    const std::string file = sub + "\\f.txt";
    ASSERT_TRUE(fs.MakeDir(sub));
    test::WriteBytes(file, "x");
    ASSERT_TRUE(fs.SetAttributes(file, attr::kReadOnly));
    EXPECT_EQ(*fs.Attributes(file) & attr::kReadOnly, attr::kReadOnly);
    EXPECT_FALSE(fs.RemoveFile(file));
    EXPECT_FALSE(fs.RemoveDir(sub));
    ASSERT_TRUE(fs.SetAttributes(file, attr::kArchive));
    EXPECT_TRUE(fs.RemoveFile(file));
    EXPECT_EQ(fs.Look(file).presence, Presence::kNotFound);
    // A share that does not answer cannot tell.
    EXPECT_EQ(fs.Look("\\\\server\\share\\x.txt").presence, Presence::kCannotTell);
    EXPECT_TRUE(fs.RemoveDir(sub));
    EXPECT_FALSE(test::PathExists(sub));
}

TEST(FileSystem, FullPathFoldsDotsAndGivesLongNames) {
    const test::TempDir dir;
    WinFileSystem fs;
    const std::string longDir = dir / "A Long Directory Name";
    ASSERT_TRUE(fs.MakeDir(longDir));
    EXPECT_EQ(fs.FullPath(longDir + "\\.\\x\\..\\"), longDir + "\\");
    EXPECT_EQ(fs.FullPath("C:\\a\\..\\b"), "C:\\b");  // need not exist
    wchar_t shortPath[MAX_PATH] = {};
    const DWORD length = GetShortPathNameW(Widen(longDir).c_str(), shortPath, MAX_PATH);
    if (length == 0 || length >= MAX_PATH || Narrow(shortPath) == longDir) {
        GTEST_SKIP() << "no short name here";
    }
    EXPECT_EQ(fs.FullPath(Narrow(shortPath)), longDir);
}

TEST(FileSystem, IdentitiesTellLinksFromOtherFilesAndReadsSeekAndPassReadOnly) {
    const test::TempDir dir;
    WinFileSystem fs;
    test::WriteBytes(dir / "a.bin", "0123456789abcdef");
    test::WriteBytes(dir / "b.bin", "0123456789abcdef");
    ASSERT_TRUE(
        CreateHardLinkW(Widen(dir / "link.bin").c_str(), Widen(dir / "a.bin").c_str(), nullptr));
    const auto a = fs.Identity(dir / "a.bin");
    ASSERT_TRUE(a);
    EXPECT_EQ(fs.Identity(dir / "link.bin"), a);
    EXPECT_NE(fs.Identity(dir / "b.bin"), a);
    EXPECT_FALSE(fs.Identity(dir / "missing.bin"));

    ASSERT_TRUE(fs.SetAttributes(dir / "link.bin", attr::kReadOnly));
    const auto reader = fs.OpenRead(dir / "link.bin");
    ASSERT_TRUE(reader && reader->Seek(10));
    char bytes[4] = {};
    EXPECT_EQ(reader->Read(bytes, sizeof bytes), sizeof bytes);
    EXPECT_EQ(std::string(bytes, sizeof bytes), "abcd");
}

}  // namespace
}  // namespace sorvane
