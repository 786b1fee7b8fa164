#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "FakeSettingsStore.h"
#include "core/settings/GeneralOptions.h"
#include "core/settings/Settings.h"

namespace sorvane {
namespace {

using ::testing::ElementsAre;

constexpr char kPath[] = "C:\\Program Files\\Sorvane\\Sorvane.ini";
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

TEST(ParseSettingInteger, ReadsSignedDecimals) {
    EXPECT_EQ(ParseSettingInteger("0"), 0);
    EXPECT_EQ(ParseSettingInteger("42"), 42);
    EXPECT_EQ(ParseSettingInteger("+7"), 7);
    EXPECT_EQ(ParseSettingInteger("-15"), -15);
    EXPECT_EQ(ParseSettingInteger("007"), 7);
    EXPECT_EQ(ParseSettingInteger("2147483647"), kMax);
    EXPECT_EQ(ParseSettingInteger("-2147483648"), kMin);
}

TEST(ParseSettingInteger, ReadsHexAsThirtyTwoBitPatterns) {
    EXPECT_EQ(ParseSettingInteger("0x1"), 1);
    EXPECT_EQ(ParseSettingInteger("0x0A"), 10);
    EXPECT_EQ(ParseSettingInteger("0X1f"), 31);
    EXPECT_EQ(ParseSettingInteger("0x0000FFFF"), 65535);
    EXPECT_EQ(ParseSettingInteger("0x7FFFFFFF"), kMax);
    EXPECT_EQ(ParseSettingInteger("0x80000000"), kMin);
    EXPECT_EQ(ParseSettingInteger("0xFFFFFFFF"), -1);
    EXPECT_EQ(ParseSettingInteger("-0x10"), -16);
    EXPECT_EQ(ParseSettingInteger("-0x80000000"), kMin);
}

TEST(ParseSettingInteger, RefusesEverythingElse) {
    for (const char* bad : {"",
                            " ",
                            " 1",
                            "1 ",
                            "abc",
                            "12abc",
                            "1.5",
                            "x1",
                            "-",
                            "+",
                            "--1",
                            "+-1",
                            "0x",
                            "0x ",
                            "0xG1",
                            "0x123456789",
                            "2147483648",
                            "-2147483649",
                            "99999999999999999999",
                            "1e3",
                            "0b101"}) {
        EXPECT_EQ(ParseSettingInteger(bad), std::nullopt) << '"' << bad << '"';
    }
}

class SettingsTest : public ::testing::Test {
  protected:
    void SetKey(const std::string& key, const std::string& value) {
        store.WriteString(kPath, "Test", key, value);
    }
    FakeSettingsStore store;
    Settings settings{store, kPath};
};

TEST_F(SettingsTest, ReadsBooleansAsIntegers) {
    SetKey("hexOne", "0x1");
    SetKey("zero", "0");
    SetKey("two", "2");
    SetKey("minusOne", "-1");
    SetKey("word", "abc");
    SetKey("yes", "true");

    EXPECT_TRUE(settings.ReadBool("Test", "hexOne", false));
    EXPECT_FALSE(settings.ReadBool("Test", "zero", true));
    EXPECT_TRUE(settings.ReadBool("Test", "two", false));
    EXPECT_TRUE(settings.ReadBool("Test", "minusOne", false));
    EXPECT_TRUE(settings.ReadBool("Test", "word", true));
    EXPECT_FALSE(settings.ReadBool("Test", "word", false));
    EXPECT_FALSE(settings.ReadBool("Test", "yes", false));
    EXPECT_TRUE(settings.ReadBool("Test", "missing", true));
}

TEST_F(SettingsTest, ReadsIntegersWithTheirDefaultForBadText) {
    SetKey("hex", "0x0A");
    SetKey("negative", "-40");
    SetKey("word", "abc");

    EXPECT_EQ(settings.ReadInteger("Test", "hex", 0), 10);
    EXPECT_EQ(settings.ReadInteger("Test", "negative", 0), -40);
    EXPECT_EQ(settings.ReadInteger("Test", "word", 77), 77);
    EXPECT_EQ(settings.ReadInteger("Test", "missing", -3), -3);
    EXPECT_EQ(settings.ReadInteger("Other", "hex", 5), 5);
}

TEST_F(SettingsTest, CutsStringsToTheirFirst1023Characters) {
    SetKey("exact", std::string(1023, 'a'));
    SetKey("long", std::string(2000, 'b'));
    std::string accented;
    for (int i = 0; i < 1100; ++i) accented += "é";  // two bytes each
    SetKey("accented", accented);

    EXPECT_EQ(settings.ReadString("Test", "exact", ""), std::string(1023, 'a'));
    EXPECT_EQ(settings.ReadString("Test", "long", ""), std::string(1023, 'b'));
    const std::string cut = settings.ReadString("Test", "accented", "");
    EXPECT_EQ(cut.size(), 2046U);
    EXPECT_EQ(cut, accented.substr(0, 2046));
    EXPECT_EQ(settings.ReadString("Test", "missing", "fallback"), "fallback");
}

TEST_F(SettingsTest, WritesBooleansAsOneAndZero) {
    settings.WriteBool("Test", "on", true);
    settings.WriteBool("Test", "off", false);
    settings.WriteInteger("Test", "number", -12);

    EXPECT_EQ(store.FileText(kPath), "[Test]\non=1\noff=0\nnumber=-12\n");
}

TEST_F(SettingsTest, RefusedWriteNamesTheFileAndKeepsEarlierKeys) {
    settings.WriteString("Test", "first", "1");
    store.SetReadOnly(kPath);

    try {
        settings.WriteString("Test", "second", "2");
        FAIL() << "the write went through";
    } catch (const SettingsWriteError& error) {
        EXPECT_EQ(std::string(error.what()), std::string("Unable to write to ") + kPath);
    }
    EXPECT_THROW(settings.EraseSection("Test"), SettingsWriteError);
    EXPECT_EQ(store.FileText(kPath), "[Test]\nfirst=1\n");
}

class GeneralOptionsTest : public ::testing::Test {
  protected:
    GeneralOptions LoadFrom(const std::string& text) {
        store.SetFileText(kPath, text);
        return GeneralOptions::Load(settings);
    }
    FakeSettingsStore store;
    Settings settings{store, kPath};
};

TEST_F(GeneralOptionsTest, MissingFileGivesTheDefaults) {
    const GeneralOptions options = GeneralOptions::Load(settings);
    EXPECT_TRUE(options.recycle);
    EXPECT_TRUE(options.tooltips);
    EXPECT_FALSE(options.startup);
    EXPECT_FALSE(options.exitAfterTasks);
    EXPECT_FALSE(options.driveInfo);
    EXPECT_EQ(options.tooltipColor, kYellow);
    EXPECT_EQ(options.hintSeconds, 3);
}

TEST_F(GeneralOptionsTest, SectionWithOnlyTheColourGivesDefaultsForTheRest) {
    const GeneralOptions options = LoadFrom("[Generaloptions]\nTooltips_Color=255\n");
    EXPECT_EQ(options.tooltipColor, 255U);
    EXPECT_TRUE(options.recycle);
    EXPECT_TRUE(options.tooltips);
    EXPECT_FALSE(options.startup);
    EXPECT_FALSE(options.exitAfterTasks);
    EXPECT_FALSE(options.driveInfo);
    EXPECT_EQ(options.hintSeconds, 3);
}

TEST_F(GeneralOptionsTest, ReadsEveryKeyWithTheValueConventions) {
    const GeneralOptions options = LoadFrom(
        "[GENERALOPTIONS]\n"
        "recyclebox_checked=0\n"
        "Tooltipebox_Checked=0x0\n"
        "Startupbox_Checked=0x1\n"
        "Schedulebox_Checked=5\n"
        "Driveinfo_Checked=abc\n"
        "Tooltips_Color=0xFFFFFFFF\n"
        "TipsHintTime=0x0A\n");
    EXPECT_FALSE(options.recycle);
    EXPECT_FALSE(options.tooltips);
    EXPECT_TRUE(options.startup);
    EXPECT_TRUE(options.exitAfterTasks);
    EXPECT_FALSE(options.driveInfo);
    EXPECT_EQ(options.tooltipColor, 0xFFFFFFFFU);
    EXPECT_EQ(options.hintSeconds, 10);
}

TEST_F(GeneralOptionsTest, BringsTheHintTimeIntoRange) {
    const auto hint = [&](const std::string& value) {
        return LoadFrom("[Generaloptions]\nTipsHintTime=" + value + "\n").hintSeconds;
    };
    EXPECT_EQ(hint("25"), 10);
    EXPECT_EQ(hint("0"), 1);
    EXPECT_EQ(hint("-5"), 1);
    EXPECT_EQ(hint("1"), 1);
    EXPECT_EQ(hint("7"), 7);
    EXPECT_EQ(hint("10"), 10);
    EXPECT_EQ(hint("abc"), 3);
}

TEST_F(GeneralOptionsTest, SavesAllSevenKeysInOrder) {
    GeneralOptions options;
    options.recycle = false;
    options.driveInfo = true;
    options.tooltipColor = 0x00FF00FF;
    options.hintSeconds = 5;
    options.Save(settings);

    EXPECT_EQ(store.FileText(kPath),
              "[Generaloptions]\n"
              "Recyclebox_Checked=0\n"
              "Tooltipebox_Checked=1\n"
              "Startupbox_Checked=0\n"
              "Schedulebox_Checked=0\n"
              "Driveinfo_Checked=1\n"
              "Tooltips_Color=16711935\n"
              "TipsHintTime=5\n");
}

TEST_F(GeneralOptionsTest, SavedOptionsLoadBackUnchanged) {
    GeneralOptions saved;
    saved.tooltips = false;
    saved.startup = true;
    saved.exitAfterTasks = true;
    saved.tooltipColor = 0xFF00FF00;  // past the signed range of the stored integer
    saved.hintSeconds = 9;
    saved.Save(settings);

    const GeneralOptions loaded = GeneralOptions::Load(settings);
    EXPECT_EQ(loaded.recycle, saved.recycle);
    EXPECT_EQ(loaded.tooltips, saved.tooltips);
    EXPECT_EQ(loaded.startup, saved.startup);
    EXPECT_EQ(loaded.exitAfterTasks, saved.exitAfterTasks);
    EXPECT_EQ(loaded.driveInfo, saved.driveInfo);
    EXPECT_EQ(loaded.tooltipColor, saved.tooltipColor);
    EXPECT_EQ(loaded.hintSeconds, saved.hintSeconds);
}

TEST_F(GeneralOptionsTest, SaveStoppedByARefusedWriteKeepsTheKeysBeforeIt) {
    store.SetReadOnlyAfter(kPath, 3);

    EXPECT_THROW(GeneralOptions().Save(settings), SettingsWriteError);

    EXPECT_THAT(store.ReadKeys(kPath, kGeneralSection),
                ElementsAre("Recyclebox_Checked", "Tooltipebox_Checked", "Startupbox_Checked"));
}

}  // namespace
}  // namespace sorvane
