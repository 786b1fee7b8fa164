// The start-with-Windows entry: which Run key a platform uses and the quoted value.
#include <gtest/gtest.h>

#include <string>

#include "FakeRegistry.h"
#include "core/settings/RunEntry.h"

namespace sorvane {
namespace {

constexpr char kProgram[] = "C:\\Program Files\\Sorvane\\Sorvane.exe";
constexpr char kQuoted[] = "\"C:\\Program Files\\Sorvane\\Sorvane.exe\"";

TEST(RunEntryTest, EachPlatformRegistersAQuotedPathUnderItsRunKey) {
    const struct {
        const char* platform;
        bool ntKey;             // the user has the NT Run key
        const char* writtenTo;  // nullptr: no key, nothing is touched
    } cases[] = {{"Windows 95/98", true, kWin9xRunKey},
                 {"Windows NT", true, kNtRunKey},
                 {"Windows NT", false, kWin9xRunKey},
                 {"Windows 3.1", true, nullptr},
                 {"", true, nullptr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.platform);
        FakeRegistry registry;
        registry.AddKey(kWin9xRunKey);
        if (c.ntKey) registry.AddKey(kNtRunKey);
        const RunEntry entry(registry, RunKeyFor(c.platform, registry));
        EXPECT_EQ(entry.HasKey(), c.writtenTo != nullptr);
        EXPECT_FALSE(entry.Present(kProgram));
        entry.Register(kProgram);
        for (const char* key : {kWin9xRunKey, kNtRunKey}) {
            const bool written = c.writtenTo != nullptr && std::string(key) == c.writtenTo;
            EXPECT_EQ(registry.ReadString(key, "Sorvane"),
                      written ? std::optional<std::string>(kQuoted) : std::nullopt);
        }
        EXPECT_EQ(entry.Present(kProgram), c.writtenTo != nullptr);
        entry.Unregister();
        EXPECT_FALSE(entry.Present(kProgram));
        if (c.writtenTo == nullptr) {
            // Without a key even an entry already there stays.
            registry.SetValue(kWin9xRunKey, "Sorvane", kQuoted);
            EXPECT_FALSE(entry.Present(kProgram));
            entry.Unregister();
            EXPECT_TRUE(registry.ReadString(kWin9xRunKey, "Sorvane"));
        }
    }
}

TEST(RunEntryTest, TheEntryCountsWhenItNamesThisProgramQuotedOrNot) {
    const struct {
        const char* value;
        bool present;
    } cases[] = {{kQuoted, true},
                 {kProgram, true},  // written before the quotes
                 {"\"c:\\program files\\SORVANE\\sorvane.EXE\"", true},
                 {"", false},
                 {"\"\"", false},
                 {"\"C:\\Program Files\\Sorvane\\Sorvane.exe", false},
                 {"C:\\Old\\Sorvane.exe", false},
                 {"\"C:\\Program Files\\Sorvane\\Sorvane.exe\" /min", false}};
    FakeRegistry registry;
    const RunEntry entry(registry, kWin9xRunKey);
    for (const auto& c : cases) {
        registry.SetValue(kWin9xRunKey, "Sorvane", c.value);
        EXPECT_EQ(entry.Present(kProgram), c.present) << c.value;
    }
}

}  // namespace
}  // namespace sorvane
