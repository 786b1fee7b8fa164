// The real file system and the settings file through the real private-profile service.
#include <cstdlib>
#include <map>

#include "WineTestSupport.h"
#include "core/app/SharedValues.h"
#include "core/settings/GeneralOptions.h"
#include "core/settings/Settings.h"

namespace sorvane {
namespace {

using ::testing::ThrowsMessage;

class FileSystem : public ::testing::Test {
  protected:
    std::map<std::string, FindData> List(const std::string& pattern) {
        std::map<std::string, FindData> entries;
        FindData entry;
        const auto find = fs.FindFirst(pattern, entry);
        for (bool more = find != nullptr; more; more = find->Next(entry))
            entries[entry.name] = entry;
        return entries;
    }

    const test::TempDir dir;
    WinFileSystem fs;
};

TEST_F(FileSystem, ListingsGiveNamesKindsSizesAndTimesAndIdentitiesTellHardLinks) {
    test::WriteBytes(dir / "Ωmega файл.txt", "12345");
    ASSERT_TRUE(fs.MakeDir(dir / "sub"));
    const std::uint64_t size = (5ull << 30) + 7, written = 0x01D9'0000'1234'5670ull;  // past 4 GiB
    {
        UniqueFile file(CreateFileW(Widen(dir / "big.lnk").c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        const FILETIME ft{static_cast<DWORD>(written), static_cast<DWORD>(written >> 32)};
        ASSERT_TRUE(
            SetFilePointerEx(file.Get(), {.QuadPart = LONGLONG(size)}, nullptr, FILE_BEGIN));
        ASSERT_TRUE(SetEndOfFile(file.Get()) && SetFileTime(file.Get(), nullptr, nullptr, &ft));
    }
    const auto all = List(dir / "*");
    ASSERT_EQ(all.size(), 5u);  // with "." and ".."
    EXPECT_EQ(all.at("Ωmega файл.txt").size, 5u);
    EXPECT_EQ(all.at("Ωmega файл.txt").attributes & attr::kDirectory, 0u);
    EXPECT_NE(all.at("sub").attributes & attr::kDirectory, 0u);
    const auto masked = List(dir / "*.lnk");
    ASSERT_EQ(masked.size(), 1u);
    EXPECT_EQ(masked.at("big.lnk").size, size);
    EXPECT_EQ(masked.at("big.lnk").lastWriteTime.ticks, written);

    // Identities tell hard links from other files; reads seek and pass the read-only bit.
    for (const char* name : {"a.bin", "b.bin"}) test::WriteBytes(dir / name, "0123456789abcdef");
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

TEST_F(FileSystem, RemovalNeedsTheReadOnlyBitClearedOnlyNotFoundSaysGoneAndFullPathsAreLong) {
    const std::string sub = dir / "Папка", file = sub + "\\f.txt";
    ASSERT_TRUE(fs.MakeDir(sub));
    test::WriteBytes(file, "x");
    ASSERT_TRUE(fs.SetAttributes(file, attr::kReadOnly));
    EXPECT_FALSE(fs.RemoveFile(file));
    EXPECT_FALSE(fs.RemoveDir(sub));
    ASSERT_TRUE(fs.SetAttributes(file, attr::kArchive));
    EXPECT_TRUE(fs.RemoveFile(file));
    EXPECT_EQ(fs.Look(file).presence, Presence::kNotFound);
    EXPECT_EQ(fs.Look(file + "\\deeper").presence, Presence::kNotFound);
    // A share that does not answer cannot tell.
    EXPECT_EQ(fs.Look("\\\\server\\share\\x.txt").presence, Presence::kCannotTell);
    EXPECT_TRUE(fs.RemoveDir(sub));
    EXPECT_FALSE(test::PathExists(sub));

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

// Text outside the ANSI code page survives in the path, sections and values.
TEST(SettingsStore, CaseBlindKeysInFileOrderAnsiFilesKeptAndWritesWholeOrNotAtAll) {
    const test::TempDir dir("Σορβάνη-Тест-清理");
    const std::string ini = dir / "Χρήστης-пользователь-用户.INI";
    WinSettingsStore store;
    EXPECT_EQ(store.ReadString(ini, "S", "K", "fallback"), "fallback");
    EXPECT_NO_THROW(store.Apply(ini, {{"List", {}, {}}}));
    EXPECT_FALSE(test::PathExists(ini));

    const std::string longValue(7000, 'v');
    const std::string section = "C:\\Фото\\照片", text = "Ελληνικά Кириллица 中文 😀";
    store.Apply(ini, {{"Generaloptions", "Recyclebox_Checked", "1"},
                      {"generalOptions", "RECYCLEBOX_CHECKED", "0"},
                      {"Generaloptions", "Long", longValue},
                      {"List", "Item0", "a"},
                      {section, "Name", text}});
    EXPECT_EQ(store.ReadString(ini, "GENERALOPTIONS", "recyclebox_checked", "x"), "0");
    EXPECT_EQ(store.ReadKeys(ini, "generaloptions"),
              (std::vector<std::string>{"Recyclebox_Checked", "Long"}));

    store.Apply(ini, {{"LIST", {}, {}}});
    EXPECT_TRUE(store.ReadKeys(ini, "List").empty());
    EXPECT_EQ(store.ReadString(ini, "Generaloptions", "Long", ""), longValue);
    EXPECT_EQ(store.ReadString(ini, section, "name", ""), text);
    // A new file is UTF-16 with a byte-order mark.
    EXPECT_EQ(test::ReadBytes(ini).substr(0, 8), std::string("\xFF\xFE[\0G\0e\0", 8));

    // An ANSI file keeps its bytes, and a refused write throws with the path.
    const std::string old = dir / "old.INI";
    const auto ansi = [](const std::string& hintTime) {
        return "; written by a later version\r\n[Generaloptions]\r\nTipsHintTime=" + hintTime +
               "\r\nFuture = \xE9t\xE9\r\n\r\n[Autoclean]\r\nInterval=30\r\n";
    };
    test::WriteBytes(old, ansi("5"));
    store.Apply(old, {{"Generaloptions", "TipsHintTime", "7"}});
    EXPECT_EQ(test::ReadBytes(old), ansi("7"));
    ASSERT_TRUE(SetFileAttributesW(Widen(old).c_str(), FILE_ATTRIBUTE_READONLY));
    const std::vector<SettingsEdit> edit{{"S", "K", "v"}};
    EXPECT_THAT([&] { store.Apply(old, edit); },
                ThrowsMessage<SettingsWriteError>("Unable to write to " + old));
    EXPECT_EQ(test::ReadBytes(old), ansi("7"));
    // The settings folder is made on the first write; nothing deeper is.
    store.Apply(dir / "Sorvane\\user.INI", edit);
    EXPECT_EQ(store.ReadString(dir / "Sorvane\\user.INI", "S", "K", ""), "v");
    EXPECT_THROW(store.Apply(dir / "missing\\deeper\\user.INI", edit), SettingsWriteError);

    // A write that does not fit leaves the file whole: on the small file system scripts/test.sh
    // names in SORVANE_FULL_DISK_DIR, else with a folder in the new text's way.
    const std::string disk = test::EnvironmentVariable("SORVANE_FULL_DISK_DIR");
    const std::string guest = (disk.empty() ? dir.Path() : disk) + "\\guest.INI";
    store.Apply(guest, {{"Target_Directories", "Item1", std::string(3000, 'x')}});
    const std::string before = test::ReadBytes(guest);

    const std::string filler = disk.empty() ? guest + ".new" : disk + "\\filler";
    if (disk.empty()) {
        ASSERT_TRUE(CreateDirectoryW(Widen(filler).c_str(), nullptr));
    } else {
        UniqueFile fill(CreateFileW(Widen(filler).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        const std::string block(65536, 'x');
        for (DWORD n = 1; n > 0 && WriteFile(fill.Get(), block.data(), 65536, &n, nullptr);) {
        }
    }
    Settings settings(store, guest);
    EXPECT_THAT([&] { GeneralOptions{.recycle = false}.Save(settings); },
                ThrowsMessage<SettingsWriteError>("Unable to write to " + guest));
    EXPECT_TRUE(test::ReadBytes(guest) == before) << "the file changed";
    test::RemoveTree(filler);
    EXPECT_FALSE(!disk.empty() && test::PathExists(guest + ".new"));
    test::RemoveTree(guest);
}

// Root writes through any permission, so scripts/ordinary-user-tests.sh runs this as an
// ordinary user with SORVANE_READONLY_DIR naming a folder that user may only read: its
// "empty" folder holds nothing, its "with-file" folder that user's settings file.
TEST(SettingsPlace, AProgramFolderTheUserCannotWriteSendsNewSettingsToApplicationData) {
    const char* readOnly = std::getenv("SORVANE_READONLY_DIR");
    if (readOnly == nullptr) GTEST_SKIP() << "runs as an ordinary user only";
    WinFileSystem fs;
    WinSystemInfo system;
    WinSettingsStore store;
    const std::string user = system.UserName(), appData = system.AppDataDirectory();
    const std::string empty = std::string(readOnly) + "\\empty\\";
    const std::string withFile = std::string(readOnly) + "\\with-file\\";
    EXPECT_FALSE(fs.CanCreateFilesIn(empty));

    // A file beside the program is still used: it reads, and a refused write says so.
    const std::string beside = withFile + user + ".INI";
    ASSERT_EQ(SettingsPathFor(fs, withFile, appData, user), beside);
    EXPECT_EQ(store.ReadString(beside, "Generaloptions", "TipsHintTime", ""), "5");
    const std::vector<SettingsEdit> edit{{"Generaloptions", "TipsHintTime", "7"}};
    EXPECT_THAT([&] { store.Apply(beside, edit); },
                ThrowsMessage<SettingsWriteError>("Unable to write to " + beside));

    // A first start with neither: the application data's own folder.
    EXPECT_EQ(SettingsPathFor(fs, empty, appData, user), appData + "\\Sorvane\\" + user + ".INI");
}

}  // namespace
}  // namespace sorvane
