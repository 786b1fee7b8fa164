// The start-with-Windows entry: which Run key a platform uses, and that a key which cannot
// be opened is never written, created or reported.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeRegistry.h"
#include "core/settings/RunEntry.h"

namespace sorvane {
namespace {

using ::testing::IsEmpty;

constexpr char kProgram[] = "C:\\Program Files\\Sorvane\\Sorvane.exe";

// Passes every call on to the fake and notes it, so a test can see the registry untouched.
class CountingRegistry final : public IRegistry {
  public:
    explicit CountingRegistry(FakeRegistry& inner) : inner_(inner) {}
    std::vector<std::string> calls;

    bool KeyExists(const std::string& key) override {
        calls.push_back("exists " + key);
        return inner_.KeyExists(key);
    }
    std::optional<std::string> ReadString(const std::string& key,
                                          const std::string& name) override {
        calls.push_back("read " + name);
        return inner_.ReadString(key, name);
    }
    bool WriteString(const std::string& key, const std::string& name,
                     const std::string& value) override {
        calls.push_back("write " + name);
        return inner_.WriteString(key, name, value);
    }
    bool DeleteValue(const std::string& key, const std::string& name) override {
        calls.push_back("delete " + name);
        return inner_.DeleteValue(key, name);
    }

  private:
    FakeRegistry& inner_;
};

class RunEntryTest : public ::testing::Test {
  protected:
    FakeRegistry fake;
    CountingRegistry registry{fake};
};

TEST_F(RunEntryTest, NinetyFiveFamilyRegistersAndUnregistersUnderItsRunKey) {
    fake.AddKey(kWin9xRunKey);
    const RunEntry entry(registry, RunKeyFor("Windows 95/98", registry));
    EXPECT_FALSE(entry.Present());
    entry.Register(kProgram);
    EXPECT_EQ(fake.ReadString(kWin9xRunKey, "Sorvane"), kProgram);
    EXPECT_TRUE(entry.Present());
    entry.Unregister();
    EXPECT_EQ(fake.ReadString(kWin9xRunKey, "Sorvane"), std::nullopt);
    EXPECT_FALSE(entry.Present());
}

TEST_F(RunEntryTest, NtUsesItsOwnRunKeyWhenTheUserHasOneAndOtherwiseTheCommonOne) {
    fake.AddKey(kWin9xRunKey);
    fake.AddKey(kNtRunKey);
    RunEntry(registry, RunKeyFor("Windows NT", registry)).Register(kProgram);
    EXPECT_EQ(fake.ReadString(kNtRunKey, "Sorvane"), kProgram);
    EXPECT_EQ(fake.ReadString(kWin9xRunKey, "Sorvane"), std::nullopt);

    fake.RemoveKey(kNtRunKey);
    RunEntry(registry, RunKeyFor("Windows NT", registry)).Register(kProgram);
    EXPECT_EQ(fake.ReadString(kWin9xRunKey, "Sorvane"), kProgram);
}

TEST_F(RunEntryTest, EmptyTextCountsAsAbsent) {
    fake.SetValue(kWin9xRunKey, "Sorvane", "");
    EXPECT_FALSE(RunEntry(registry, kWin9xRunKey).Present());
}

TEST_F(RunEntryTest, WithoutAKeyTheRegistryIsNeverTouched) {
    fake.AddKey(kWin9xRunKey);
    fake.AddKey(kNtRunKey);
    for (const char* name : {"Windows 3.1", "", "OS/2"}) {
        const RunEntry entry(registry, RunKeyFor(name, registry));
        EXPECT_FALSE(entry.HasKey()) << name;
        EXPECT_FALSE(entry.Present());
        entry.Register(kProgram);
        entry.Unregister();
    }
    EXPECT_THAT(registry.calls, IsEmpty());
}

TEST_F(RunEntryTest, AKeyThatCannotBeOpenedIsNeitherCreatedNorReportedAsPresent) {
    const RunEntry entry(registry, RunKeyFor("Windows 95/98", registry));
    entry.Register(kProgram);
    EXPECT_FALSE(fake.KeyExists(kWin9xRunKey));
    EXPECT_FALSE(entry.Present());
    entry.Unregister();

    fake.SetValue(kWin9xRunKey, "Sorvane", kProgram);
    fake.SetFailing(true);
    EXPECT_FALSE(entry.Present());
    entry.Unregister();
    fake.SetFailing(false);
    EXPECT_EQ(fake.ReadString(kWin9xRunKey, "Sorvane"), kProgram);
}

}  // namespace
}  // namespace sorvane
