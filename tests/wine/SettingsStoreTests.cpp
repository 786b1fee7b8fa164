// The settings file through the real private-profile service.
#include <gtest/gtest.h>

#include <cstdlib>

#include "WineTestSupport.h"
#include "core/app/SharedValues.h"
#include "win/platform/Utf.h"
#include "win/platform/WinFileSystem.h"
#include "win/platform/WinSettingsStore.h"
#include "win/platform/WinSystemInfo.h"

namespace sorvane {
namespace {

using Keys = std::vector<std::string>;

// Text outside the ANSI code page survives in the path, sections and values.
TEST(SettingsStore, CaseBlindKeysInFileOrderAndSectionsThatGoWhole) {
    const test::TempDir dir("Σορβάνη-Тест-清理");
    const std::string ini = dir / "Χρήστης-пользователь-用户.INI";
    WinSettingsStore store;
    EXPECT_EQ(store.ReadString(ini, "S", "K", "fallback"), "fallback");
    EXPECT_NO_THROW(store.EraseSection(ini, "List"));
    EXPECT_FALSE(test::PathExists(ini));

    std::string longValue;
    for (int i = 0; i < 700; ++i) longValue += "0123456789";
    store.WriteString(ini, "Generaloptions", "Recyclebox_Checked", "1");
    store.WriteString(ini, "generalOptions", "RECYCLEBOX_CHECKED", "0");
    store.WriteString(ini, "Generaloptions", "Long", longValue);
    store.WriteString(ini, "List", "Item0", "a");
    WinSettingsStore().WriteString(ini, "C:\\Фото\\照片", "Name", "Ελληνικά Кириллица 中文 😀");
    EXPECT_EQ(store.ReadString(ini, "GENERALOPTIONS", "recyclebox_checked", "x"), "0");
    EXPECT_EQ(store.ReadKeys(ini, "generaloptions"), (Keys{"Recyclebox_Checked", "Long"}));
    EXPECT_EQ(store.ReadString(ini, "Generaloptions", "Long", ""), longValue);
    EXPECT_EQ(store.ReadString(ini, "Generaloptions", "Other", "fallback"), "fallback");
    EXPECT_EQ(store.ReadString(ini, "C:\\Фото\\照片", "Name", ""), "Ελληνικά Кириллица 中文 😀");

    store.EraseSection(ini, "LIST");
    EXPECT_TRUE(store.ReadKeys(ini, "List").empty());
    EXPECT_EQ(store.ReadString(ini, "Generaloptions", "Recyclebox_Checked", ""), "0");
    // A new file is UTF-16 with a byte-order mark.
    EXPECT_EQ(test::ReadBytes(ini).substr(0, 8), std::string("\xFF\xFE[\0G\0e\0", 8));
}

TEST(SettingsStore, AnAnsiFileStaysAnsiAndRefusedWritesThrowWithThePath) {
    const test::TempDir dir;
    const std::string ini = dir / "old.INI";
    test::WriteBytes(ini, "[Generaloptions]\r\nTipsHintTime=5\r\n[Autoclean]\r\nInterval=30\r\n");
    WinSettingsStore store;
    EXPECT_EQ(store.ReadString(ini, "Generaloptions", "TipsHintTime", ""), "5");
    store.WriteString(ini, "Generaloptions", "TipsHintTime", "7");
    EXPECT_EQ(store.ReadString(ini, "Autoclean", "Interval", ""), "30");
    EXPECT_EQ(test::ReadBytes(ini).find("[Generaloptions]\r\nTipsHintTime=7\r\n"), 0u);

    ASSERT_TRUE(SetFileAttributesW(Widen(ini).c_str(), FILE_ATTRIBUTE_READONLY));
    try {
        store.WriteString(ini, "S", "K", "after");
        FAIL() << "the write to a read-only file was not refused";
    } catch (const SettingsWriteError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + ini);
    }
    EXPECT_THROW(store.EraseSection(ini, "Autoclean"), SettingsWriteError);
    EXPECT_EQ(store.ReadString(ini, "Autoclean", "Interval", ""), "30");
    EXPECT_THROW(store.WriteString(dir / "missing\\deeper\\user.INI", "S", "K", "v"),
                 SettingsWriteError);
}

// Root writes through any permission, so scripts/test.sh runs this as an ordinary user with
// SORVANE_READONLY_DIR naming a folder that user may only read: its "empty" folder holds
// nothing, its "with-file" folder that user's settings file.
TEST(SettingsPlace, AProgramFolderTheUserCannotWriteSendsNewSettingsToApplicationData) {
    const char* readOnly = std::getenv("SORVANE_READONLY_DIR");
    if (readOnly == nullptr) GTEST_SKIP() << "runs as an ordinary user only";
    WinFileSystem fs;
    WinSystemInfo system;
    WinSettingsStore store;
    const std::string user = system.UserName();
    const std::string appData = system.AppDataDirectory();
    const std::string empty = std::string(readOnly) + "\\empty\\";
    const std::string withFile = std::string(readOnly) + "\\with-file\\";
    EXPECT_FALSE(fs.CanCreateFilesIn(empty));

    // A file beside the program is still used: it reads, and a refused write says so.
    const std::string beside = withFile + user + ".INI";
    ASSERT_EQ(SettingsPathFor(fs, withFile, appData, user), beside);
    EXPECT_EQ(store.ReadString(beside, "Generaloptions", "TipsHintTime", ""), "5");
    try {
        store.WriteString(beside, "Generaloptions", "TipsHintTime", "7");
        FAIL() << "the write was not refused";
    } catch (const SettingsWriteError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + beside);
    }

    // A first start with neither: the application data's own folder, made on the first write.
    const std::string fresh = SettingsPathFor(fs, empty, appData, user);
    EXPECT_EQ(fresh, appData + "\\Sorvane\\" + user + ".INI");
    DeleteFileW(Widen(fresh).c_str());
    RemoveDirectoryW(Widen(appData + "\\Sorvane").c_str());
    store.WriteString(fresh, "Generaloptions", "TipsHintTime", "7");
    EXPECT_EQ(store.ReadString(fresh, "Generaloptions", "TipsHintTime", ""), "7");
}

}  // namespace
}  // namespace sorvane
