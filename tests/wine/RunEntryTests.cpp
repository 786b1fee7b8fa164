// The start-with-Windows value in the real registry of the current user, checked with the
// registry API directly.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "WineTestSupport.h"
#include "win/platform/Utf.h"
#include "win/platform/WinRegistry.h"
#include "core/settings/RunEntry.h"

namespace sorvane {
namespace {

constexpr wchar_t kTestRoot[] = L"Software\\SorvaneTests";
constexpr char kTestRunKey[] = "Software\\SorvaneTests\\Run";
constexpr char kProgram[] = "C:\\Program Files\\Sorvane Ü\\Sorvane.exe";

std::optional<std::wstring> RawValue(const std::string& key) {
    wchar_t data[512] = {};
    DWORD bytes = sizeof data;
    if (RegGetValueW(HKEY_CURRENT_USER, Widen(key).c_str(), L"Sorvane", RRF_RT_REG_SZ, nullptr,
                     data, &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::wstring(data);
}

bool KeyExists(const std::string& key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, Widen(key).c_str(), 0, KEY_READ, &handle) !=
        ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(handle);
    return true;
}

class RunEntryRegistry : public ::testing::Test {
  protected:
    void SetUp() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, kTestRoot);
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, Widen(kTestRunKey).c_str(), 0, nullptr, 0,
                                  KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kTestRoot); }

    WinRegistry registry;
};

TEST_F(RunEntryRegistry, WritesTheProgramPathAndRemovesIt) {
    const RunEntry entry(registry, kTestRunKey);
    EXPECT_FALSE(entry.Present(kProgram));
    entry.Register(kProgram);
    // Quoted, so that the blank does not end the program's path.
    EXPECT_EQ(RawValue(kTestRunKey), L"\"" + Widen(kProgram) + L"\"");
    EXPECT_TRUE(entry.Present(kProgram));
    entry.Unregister();
    EXPECT_EQ(RawValue(kTestRunKey), std::nullopt);
    EXPECT_FALSE(entry.Present(kProgram));
}

TEST_F(RunEntryRegistry, AMissingKeyIsNeverCreated) {
    const std::string missing = std::string(kTestRunKey) + "\\Missing";
    const RunEntry entry(registry, missing);
    entry.Register(kProgram);
    entry.Unregister();
    EXPECT_FALSE(entry.Present(kProgram));
    EXPECT_FALSE(KeyExists(missing));
}

}  // namespace
}  // namespace sorvane
