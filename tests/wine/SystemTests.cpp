// System facts, privileges and the current user's registry.
#include <gtest/gtest.h>

#include "win/platform/Utf.h"
#include "win/platform/WinApi.h"
#include "win/platform/WinRegistry.h"
#include "win/platform/WinSystemInfo.h"

namespace sorvane {
namespace {

TEST(SystemInfoTest, FactsAboutTheSystemAndTheProgram) {
    WinSystemInfo system;
    EXPECT_FALSE(system.UserName().empty());
    EXPECT_EQ(system.PlatformId(), platform_id::kWindowsNt);

    const std::string windows = system.WindowsDirectory();
    ASSERT_FALSE(windows.empty());
    EXPECT_NE(windows.back(), '\\');
    EXPECT_NE(GetFileAttributesW(Widen(windows + "\\system32").c_str()), INVALID_FILE_ATTRIBUTES);

    const std::string program = system.ProgramPath();
    const std::string exe = "platform_tests.exe";
    ASSERT_GT(program.size(), exe.size());
    EXPECT_EQ(CompareStringOrdinal(Widen(program.substr(program.size() - exe.size())).c_str(), -1,
                                   Widen(exe).c_str(), -1, TRUE),
              CSTR_EQUAL)
        << program;
}

TEST(SystemInfoTest, PrivilegesAreAdjustedByName) {
    WinSystemInfo system;
    EXPECT_TRUE(system.SetProcessPrivilege("SeShutdownPrivilege", true));
    EXPECT_TRUE(system.SetProcessPrivilege("SeShutdownPrivilege", false));
    EXPECT_FALSE(system.SetProcessPrivilege("SeNoSuchPrivilegeAtAll", true));
}

// A key of its own below HKCU\Software, made and removed by the test itself: the registry
// service only ever opens keys.
class RegistryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        key_ = "Software\\SorvaneTests\\" + std::to_string(GetCurrentProcessId());
        HKEY handle = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, Widen(key_).c_str(), 0, nullptr, 0,
                                  KEY_ALL_ACCESS, nullptr, &handle, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(handle);
    }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\SorvaneTests"); }

    std::string key_;
    WinRegistry registry_;
};

TEST_F(RegistryTest, StringValuesRoundTrip) {
    const std::string value = "\"C:\\Program Files\\Sorvane\\Sorvane.exe\" Ελληνικά 中文";
    EXPECT_TRUE(registry_.KeyExists(key_));
    EXPECT_FALSE(registry_.ReadString(key_, "Sorvane"));

    ASSERT_TRUE(registry_.WriteString(key_, "Sorvane", value));
    EXPECT_EQ(registry_.ReadString(key_, "sorvane"), value);

    ASSERT_TRUE(registry_.WriteString(key_, "Sorvane", ""));
    EXPECT_EQ(registry_.ReadString(key_, "Sorvane"), "");

    EXPECT_TRUE(registry_.DeleteValue(key_, "Sorvane"));
    EXPECT_FALSE(registry_.ReadString(key_, "Sorvane"));
    EXPECT_FALSE(registry_.DeleteValue(key_, "Sorvane"));
}

TEST_F(RegistryTest, LongValuesAreReadWhole) {
    const std::string value(5000, 'v');
    ASSERT_TRUE(registry_.WriteString(key_, "Long", value));
    EXPECT_EQ(registry_.ReadString(key_, "Long"), value);
}

TEST_F(RegistryTest, ValuesOfOtherTypesAreNotStrings) {
    HKEY handle = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, Widen(key_).c_str(), 0, KEY_SET_VALUE, &handle),
              ERROR_SUCCESS);
    const DWORD number = 7;
    RegSetValueExW(handle, L"Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                   sizeof number);
    RegCloseKey(handle);
    EXPECT_FALSE(registry_.ReadString(key_, "Number"));
}

TEST_F(RegistryTest, MissingKeysAreNeverCreated) {
    const std::string missing = key_ + "\\Missing";
    EXPECT_FALSE(registry_.KeyExists(missing));
    EXPECT_FALSE(registry_.WriteString(missing, "Name", "value"));
    EXPECT_FALSE(registry_.KeyExists(missing));
    EXPECT_FALSE(registry_.ReadString(missing, "Name"));
    EXPECT_FALSE(registry_.DeleteValue(missing, "Name"));
}

}  // namespace
}  // namespace sorvane
