// The settings file through the real private-profile service.
#include <gtest/gtest.h>

#include "WineTestSupport.h"
#include "win/platform/Utf.h"
#include "win/platform/WinSettingsStore.h"

namespace sorvane {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

class SettingsStoreTest : public ::testing::Test {
  protected:
    TempDir dir_;
    WinSettingsStore store_;
};

TEST_F(SettingsStoreTest, SectionsAndKeysMatchWithoutRegardToCase) {
    const std::string ini = dir_ / "user.INI";
    store_.WriteString(ini, "Generaloptions", "Recyclebox_Checked", "1");
    EXPECT_EQ(store_.ReadString(ini, "GENERALOPTIONS", "recyclebox_checked", "x"), "1");

    // A second write with other letter case replaces the value instead of adding a key.
    store_.WriteString(ini, "generalOptions", "RECYCLEBOX_CHECKED", "0");
    EXPECT_EQ(store_.ReadString(ini, "Generaloptions", "Recyclebox_Checked", "x"), "0");
    EXPECT_EQ(store_.ReadKeys(ini, "Generaloptions").size(), 1u);
}

TEST_F(SettingsStoreTest, MissingFileSectionOrKeyGivesTheDefault) {
    const std::string ini = dir_ / "user.INI";
    EXPECT_EQ(store_.ReadString(ini, "S", "K", "fallback"), "fallback");
    EXPECT_TRUE(store_.ReadKeys(ini, "S").empty());
    store_.WriteString(ini, "S", "K", "v");
    EXPECT_EQ(store_.ReadString(ini, "Other", "K", "fallback"), "fallback");
    EXPECT_EQ(store_.ReadString(ini, "S", "Other", "fallback"), "fallback");
}

TEST_F(SettingsStoreTest, KeysComeBackInFileOrder) {
    const std::string ini = dir_ / "user.INI";
    store_.WriteString(ini, "Target_Directories", "Count", "2");
    store_.WriteString(ini, "Target_Directories", "Item0", "C:\\Temp");
    store_.WriteString(ini, "Target_Directories", "Item1", "D:\\Junk");
    EXPECT_EQ(store_.ReadKeys(ini, "target_directories"),
              (std::vector<std::string>{"Count", "Item0", "Item1"}));
}

TEST_F(SettingsStoreTest, EraseSectionRemovesAllItsKeysAndNothingElse) {
    const std::string ini = dir_ / "user.INI";
    store_.WriteString(ini, "List", "Item0", "a");
    store_.WriteString(ini, "List", "Item1", "b");
    store_.WriteString(ini, "Keep", "Item0", "c");

    store_.EraseSection(ini, "LIST");

    EXPECT_TRUE(store_.ReadKeys(ini, "List").empty());
    EXPECT_EQ(store_.ReadString(ini, "List", "Item0", "gone"), "gone");
    EXPECT_EQ(store_.ReadString(ini, "Keep", "Item0", ""), "c");
}

TEST_F(SettingsStoreTest, ErasingFromAFileThatDoesNotExistIsHarmless) {
    EXPECT_NO_THROW(store_.EraseSection(dir_ / "none.INI", "List"));
    EXPECT_FALSE(test::PathExists(dir_ / "none.INI"));
}

TEST_F(SettingsStoreTest, LongValuesAreReadWhole) {
    const std::string ini = dir_ / "user.INI";
    std::string value;
    for (int i = 0; i < 700; ++i) value += "0123456789";
    store_.WriteString(ini, "S", "Long", value);
    EXPECT_EQ(store_.ReadString(ini, "S", "Long", ""), value);
}

TEST_F(SettingsStoreTest, ANewFileStartsWithTheUtf16ByteOrderMark) {
    const std::string ini = dir_ / "fresh.INI";
    store_.WriteString(ini, "S", "K", "v");
    const std::string bytes = ReadBytes(ini);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 0xFE);
    // The rest is UTF-16 too: "[S]" as 16-bit units.
    EXPECT_NE(bytes.find(std::string("[\0S\0]\0", 6)), std::string::npos);
}

TEST(SettingsStoreUnicodeTest, TextOutsideTheAnsiCodePageSurvivesInValuesAndThePath) {
    const TempDir dir("Σορβάνη-Тест-清理");
    WinSettingsStore store;
    const std::string ini = dir / "Χρήστης-пользователь-用户.INI";
    const std::string value = "Ελληνικά Кириллица 中文 😀";
    const std::string section = "C:\\Фото\\照片";

    store.WriteString(ini, section, "Name", value);
    store.WriteString(ini, "Target_Directories", "Item0", section);

    WinSettingsStore other;  // nothing kept between accesses
    EXPECT_EQ(other.ReadString(ini, section, "Name", ""), value);
    EXPECT_EQ(other.ReadString(ini, "Target_Directories", "Item0", ""), section);
    EXPECT_EQ(other.ReadKeys(ini, section), std::vector<std::string>{"Name"});
}

TEST_F(SettingsStoreTest, AnExistingAnsiFileIsReadAndWrittenInPlace) {
    const std::string ini = dir_ / "old.INI";
    WriteBytes(ini, "[Generaloptions]\r\nTipsHintTime=5\r\n[Autoclean]\r\nInterval=30\r\n");

    EXPECT_EQ(store_.ReadString(ini, "Generaloptions", "TipsHintTime", ""), "5");
    store_.WriteString(ini, "Generaloptions", "TipsHintTime", "7");
    store_.WriteString(ini, "Autoclean", "Enabled", "1");

    EXPECT_EQ(store_.ReadString(ini, "Generaloptions", "TipsHintTime", ""), "7");
    EXPECT_EQ(store_.ReadString(ini, "Autoclean", "Interval", ""), "30");
    EXPECT_EQ(store_.ReadString(ini, "Autoclean", "Enabled", ""), "1");
    // Still one byte per character: the file was not converted.
    const std::string bytes = ReadBytes(ini);
    EXPECT_NE(bytes.find("TipsHintTime=7"), std::string::npos);
    EXPECT_NE(static_cast<unsigned char>(bytes[0]), 0xFF);
}

TEST_F(SettingsStoreTest, AReadOnlyFileMakesTheWriteFailWithThePathInTheMessage) {
    const std::string ini = dir_ / "locked.INI";
    store_.WriteString(ini, "S", "K", "before");
    ASSERT_TRUE(SetFileAttributesW(Widen(ini).c_str(), FILE_ATTRIBUTE_READONLY));

    try {
        store_.WriteString(ini, "S", "K", "after");
        FAIL() << "the write to a read-only file was not refused";
    } catch (const SettingsWriteError& e) {
        EXPECT_STREQ(e.what(), ("Unable to write to " + ini).c_str());
        EXPECT_EQ(e.path(), ini);
    }
    EXPECT_THROW(store_.EraseSection(ini, "S"), SettingsWriteError);
    EXPECT_EQ(store_.ReadString(ini, "S", "K", ""), "before");
}

TEST_F(SettingsStoreTest, AFileInAMissingDirectoryCannotBeWritten) {
    const std::string ini = dir_ / "missing\\user.INI";
    EXPECT_THROW(store_.WriteString(ini, "S", "K", "v"), SettingsWriteError);
}

}  // namespace
}  // namespace sorvane
