#include <limits>
#include <locale>

#include "TestSupport.h"
#include "core/dirclean/Schedule.h"
#include "core/dirclean/TargetProfiles.h"
#include "core/settings/GeneralOptions.h"
#include "core/settings/IniText.h"
#include "core/settings/Settings.h"
#include "core/settings/StoredOptions.h"
#include "core/shortcuts/ShortcutOptions.h"

namespace sorvane {
namespace {

using ::testing::ThrowsMessage;

constexpr char kPath[] = "C:\\Tools\\guest.INI";
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr char kList[] = "[Cleandiroptions.Selecteddrives_Items]\n";

TEST(ParseSettingInteger, ReadsDecimalsAndThirtyTwoBitHexPatterns) {
    const std::pair<const char*, std::int32_t> cases[] = {
        {"0", 0}, {"+7", 7}, {"-15", -15}, {"007", 7}, {"0x0A", 10}, {"0X1f", 31}, {"-0x10", -16}};
    for (const auto& [text, value] : cases) EXPECT_EQ(ParseSettingInteger(text), value) << text;
    const std::pair<const char*, std::int32_t> limits[] = {
        {"2147483647", kMax}, {"-2147483648", kMin}, {"0x80000000", kMin}, {"-0x80000000", kMin}};
    for (const auto& [text, value] : limits) EXPECT_EQ(ParseSettingInteger(text), value) << text;
    for (const char* bad : {"", " 1", "1 ", "12abc", "1.5", "-", "--1", "+-1", "0x", "0xG1",
                            "0x123456789", "2147483648", "-2147483649", "99999999999999999999"})
        EXPECT_EQ(ParseSettingInteger(bad), std::nullopt) << '"' << bad << '"';
}

class SettingsTest : public ::testing::Test {
  protected:
    FakeSettingsStore store;
    Settings settings{store, kPath};
};

TEST_F(SettingsTest, CutsStringsToTheirFirst1023Characters) {
    std::string accented;
    for (int i = 0; i < 1100; ++i) accented += "é";  // two bytes each
    settings.WriteString("Test", "long", std::string(2000, 'b'));
    settings.WriteString("Test", "accented", accented);
    EXPECT_EQ(settings.ReadString("Test", "long", ""), std::string(1023, 'b'));
    EXPECT_EQ(settings.ReadString("Test", "accented", ""), accented.substr(0, 2046));
}

// Each save is one change of the file: stopped partway, as by a full disk, it leaves the file
// exactly as it was.
TEST_F(SettingsTest, ASaveThatFailsPartwayLeavesTheFileAsItWas) {
    const Texts drives{"C:\\", "D:\\"};
    StoredOptions set{store, kPath, "Cleandiroptions"};
    set.AddStrings(
        "Selecteddrives.Items", [&] { return drives; }, [](auto) {});
    const std::function<void()> saves[] = {
        [&] { GeneralOptions{.recycle = false}.Save(settings); },
        [&] { SaveTargetOptions(settings, "C:\\Temp", {.maskMode = true, .masks = {"*.a"}}); },
        [&] {
            AddTargetToSettings(settings, Target{"Cache", "C:\\Cache"}, true);
        },
        [&] { RemoveTargetFromSettings(settings, "C:\\Temp", {"C:\\X"}); },
        [&] { SaveSchedule(settings, ScheduleOptions{.atStartup = true, .minutes = 5}); },
        [&] { WriteShortcutOptions(settings, {}); },
        [&] {
            SaveMaskList(settings, {ScanMask{"*.a", true}, ScanMask{"*.b", false}});
        },
        [&] { set.SaveProperties(); }};
    for (const auto& save : saves) {
        store.SetFileText(kPath,
                          "[Generaloptions]\nTipsHintTime=5\n[C:\\Temp]\nSubs=1\n"
                          "[Target_Directories]\nCount=1\nItem1=C:\\Temp\n");
        const std::string before = store.FileText(kPath);
        store.FailAtEdit(3);
        EXPECT_THROW(save(), SettingsWriteError) << &save - saves;
        EXPECT_EQ(store.FileText(kPath), before) << &save - saves;
        save();
        EXPECT_NE(store.FileText(kPath), before) << &save - saves;
    }
    // A save inside a window's save joins it: nothing lands before the whole one commits.
    Settings other(store, "C:\\other.INI");
    SettingsBatch whole(other);
    SaveSchedule(other, {});
    EXPECT_FALSE(store.HasFile("C:\\other.INI"));
    whole.Commit();
    EXPECT_TRUE(store.HasFile("C:\\other.INI"));
    store.SetReadOnly(kPath);
    EXPECT_THAT([&] { GeneralOptions().Save(settings); },
                ThrowsMessage<SettingsWriteError>(std::string("Unable to write to ") + kPath));
}

// The file's own text is kept byte for byte around what changes.
TEST(ApplySettingsEdits, ChangesOnlyTheKeysAndSectionsEditedAsTheProfileServiceWould) {
    using Edits = std::vector<SettingsEdit>;
    const auto set = [](const char* section, const char* key, const char* value) {
        return SettingsEdit{section, key, value};
    };
    const auto erase = [](const char* section) { return SettingsEdit{section, {}, {}}; };
    const std::tuple<std::string, Edits, std::string> cases[] = {
        {"; kept\r\n[General]\r\n Recycle = 1\r\nFuture=x\r\n\r\n[Other]\r\nB=2",
         {set("GENERAL", "recycle", "0"), set("general", "New", "n"), set("other", "C", "3"),
          set("Added", "K", "v")},
         "; kept\r\n[General]\r\n Recycle=0\r\nFuture=x\r\nNew=n\r\n\r\n[Other]\r\nB=2\r\n"
         "C=3\r\n[Added]\r\nK=v\r\n"},
        {"[A]\r\nx=1\r\n; about A\r\n[B]\r\ny=2\r\n",
         {erase("a"), erase("Missing")},
         "[B]\r\ny=2\r\n"},
        {"[C:\\x[1]]\nName=a\n;Name=old\n",
         {set("c:\\X[1]", "name", "b")},
         "[C:\\x[1]]\nName=b\n;Name=old\n"},
        {"", {erase("S"), set("S", "K", "v")}, "[S]\r\nK=v\r\n"}};
    for (const auto& [before, edits, after] : cases)
        EXPECT_EQ(ApplySettingsEdits(before, edits), after) << before;
}

TEST_F(SettingsTest, GeneralOptionsLoadWithDefaultsAndClampedHintTime) {
    const auto load = [&](const std::string& text) {
        store.SetFileText(kPath, text);
        const GeneralOptions o = GeneralOptions::Load(settings);
        return std::tuple(o.recycle, o.tooltips, o.startup, o.exitAfterTasks, o.driveInfo,
                          o.tooltipColor, o.hintSeconds);
    };
    EXPECT_EQ(load(""), std::tuple(true, true, false, false, false, kYellow, 3));
    EXPECT_EQ(load("[GENERALOPTIONS]\nrecyclebox_checked=0\nTooltipebox_Checked=0x0\n"
                   "Startupbox_Checked=0x1\nSchedulebox_Checked=5\nDriveinfo_Checked=abc\n"
                   "Tooltips_Color=0xFFFFFFFF\nTipsHintTime=0x0A\n"),
              std::tuple(false, false, true, true, false, 0xFFFFFFFFU, 10));
    EXPECT_EQ(std::get<6>(load("[Generaloptions]\nTipsHintTime=25")), 10);
    EXPECT_EQ(std::get<6>(load("[Generaloptions]\nTipsHintTime=-5")), 1);
}

class StoredOptionsTest : public ::testing::Test {
  protected:
    StoredOptionsTest() {
        const auto get = [](auto& v) { return [&v] { return v; }; };
        const auto put = [](auto& v) { return [&v](const auto& x) { v = x; }; };
        set.AddStrings("Selecteddrives.Items", get(drives), put(drives));
        set.AddBool("Subcheckbox.Checked", get(sub), put(sub));
        set.AddText("Accessdateedit.Text", get(date), put(date));
        set.AddFloat("Biggerspin.Value", get(bigger), put(bigger));
        set.AddInteger("Destdirpanel.Left", get(left), put(left));
    }
    auto State() const { return std::tuple(drives, sub, date, bigger, left); }
    void Restore(const std::string& text) {
        store.SetFileText(kPath, text);
        set.RestoreProperties();
    }

    FakeSettingsStore store;
    StoredOptions set{store, kPath, "Cleandiroptions"};
    Texts drives{"C:\\"};
    bool sub = true;
    std::string date = "01/01/2000";
    double bigger = 100;
    std::int32_t left = 8;
};

TEST_F(StoredOptionsTest, EachEntryWithItsOwnEncodingReadBackAndUnreadableValuesLeftAlone) {
    const auto created = State();
    set.RestoreProperties();  // no file at all
    EXPECT_EQ(State(), created);
    drives = {"A:\\", "C:\\", "D:\\"};
    set.SaveProperties();
    std::tie(drives, bigger, date) = std::tuple(Texts{"C:\\", "D:\\"}, 1.5, "2/3/2001");
    set.SaveProperties();  // the shorter list leaves no stale item
    EXPECT_EQ(store.FileText(kPath),
              "[Cleandiroptions]\nSubcheckbox_Checked=True\nAccessdateedit_Text=2/3/2001\n"
              "Biggerspin_Value=1.5\nDestdirpanel_Left=8\n\n" +
                  std::string(kList) + "Count=2\nItem0=C:\\\nItem1=D:\\\n");
    const auto saved = State();
    std::tie(drives, sub, date, bigger, left) = std::tuple(Texts(), false, "", 0, 0);
    set.RestoreProperties();
    EXPECT_EQ(State(), saved);

    // Only True and False, in any letter case, are booleans; an empty text is a value.
    sub = false;
    Restore(
        "[Cleandiroptions]\nSubcheckbox_Checked=1\nBiggerspin_Value=1,5\n"
        "Destdirpanel_Left=left\nAccessdateedit_Text=\n");
    EXPECT_EQ(State(), std::tuple(drives, false, "", 1.5, 8));
    Restore("[Cleandiroptions]\nSubcheckbox_Checked=TRUE\n");
    EXPECT_TRUE(sub);
}

TEST_F(StoredOptionsTest, ListsAreReadBackWithinBoundsAndAnEmptyOneLeavesTheControlAlone) {
    drives.clear();
    set.SaveProperties();
    EXPECT_TRUE(store.ReadKeys(kPath, "Cleandiroptions.Selecteddrives_Items").empty());
    drives = {"design"};
    set.RestoreProperties();
    EXPECT_THAT(drives, ElementsAre("design"));
    Restore(std::string(kList) + "Count=2000000000\nItem0=A\n");
    EXPECT_THAT(drives, ElementsAre("A", ""));
}

struct CommaDecimals : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

TEST(StoredFloat, UsesAPointWhateverTheLocale) {
    const std::locale previous = std::locale::global(std::locale(std::locale(), new CommaDecimals));
    EXPECT_EQ(FormatStoredFloat(1.5), "1.5");
    EXPECT_EQ(ParseStoredFloat("1.5"), 1.5);
    std::locale::global(previous);
    EXPECT_EQ(ParseStoredFloat("1,5"), std::nullopt);
}

TEST_F(StoredOptionsTest, PlacementKeysAreReadBack) {
    StoredPlacement p;
    std::tie(p.showCmd, p.pixelsPerInch, p.visible) = std::tuple(3, 120, true);
    std::tie(p.left, p.top, p.right, p.bottom) = std::tuple(10, 20, 410, 320);
    set.SavePlacement(p);
    EXPECT_THAT(store.FileText(kPath), HasSubstr("\nNormPos=10,20,410,320\n"));
    EXPECT_EQ(set.RestorePlacement(), p);
    store.SetFileText(kPath, "[Cleandiroptions]\nNormPos=10,10,5,5\n");
    EXPECT_EQ(set.RestorePlacement(), std::nullopt);
}

TEST_F(SettingsTest, MaskListLoadsDefaultsOrTheStoredItemsAndASavedShorterOneItsOwn) {
    const auto load = [&] {
        Texts texts;
        for (const ScanMask& m : LoadMaskList(settings))
            texts.push_back((m.checked ? "+" : "-") + m.text);
        return texts;
    };
    const Texts defaults = {"-*.tmp", "-*.old", "-*.gid", "-*.bak", "-*.b~k", "-*.ex~", "-*.msg"};
    EXPECT_EQ(load(), defaults);
    // A count whose items are all empty is no list either.
    store.SetFileText(kPath, "[Cleandiroptions]\nMaskcount=2\n");
    EXPECT_EQ(load(), defaults);
    // Anything but "0" checks; the count bounds what is read; case is kept as stored.
    store.SetFileText(kPath,
                      "[Cleandiroptions]\nMaskcount=4\nMaskitem0=1*.tmp\nMASKITEM1=0*.OLD\n"
                      "MaskItem3=x*.log\nMaskItem4=1*.never\n");
    EXPECT_EQ(load(), (Texts{"+*.tmp", "-*.OLD", "+*.log"}));
    SaveMaskList(settings, {{"*.z", false}});
    EXPECT_EQ(load(), Texts{"-*.z"});
}

}  // namespace
}  // namespace sorvane
