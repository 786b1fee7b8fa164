// The stored-options encoding: what a window's option controls and placement look like in
// the settings file, and what comes back from files written by hand or damaged.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <locale>
#include <string>
#include <vector>

#include "FakeSettingsStore.h"
#include "core/settings/StoredOptions.h"

namespace sorvane {
namespace {

using ::testing::ElementsAre;

constexpr char kPath[] = "C:\\Tools\\guest.INI";

// Stand-ins for a window's controls.
struct Controls {
    std::vector<std::string> drives{"C:\\"};
    bool sub = true;
    bool empty = false;
    std::string accessDate = "01/01/2000";
    double bigger = 100;
    std::int32_t panelLeft = 8;
};

class StoredOptionsTest : public ::testing::Test {
  protected:
    StoredOptionsTest() {
        set.AddStrings(
            "Selecteddrives.Items", [this] { return c.drives; },
            [this](const auto& v) { c.drives = v; });
        set.AddBool(
            "Subcheckbox.Checked", [this] { return c.sub; }, [this](bool v) { c.sub = v; });
        set.AddBool(
            "Emptydirbox.Checked", [this] { return c.empty; }, [this](bool v) { c.empty = v; });
        set.AddText(
            "Accessdateedit.Text", [this] { return c.accessDate; },
            [this](const auto& v) { c.accessDate = v; });
        set.AddFloat(
            "Biggerspin.Value", [this] { return c.bigger; }, [this](double v) { c.bigger = v; });
        set.AddInteger(
            "Destdirpanel.Left", [this] { return c.panelLeft; },
            [this](std::int32_t v) { c.panelLeft = v; });
    }
    std::string File() const { return store.FileText(kPath); }

    FakeSettingsStore store;
    StoredOptions set{store, kPath, "Cleandiroptions"};
    Controls c;
};

TEST_F(StoredOptionsTest, WritesEveryEntryInOrderWithItsOwnEncoding) {
    c.drives = {"C:\\", "D:\\"};
    c.bigger = 1.5;
    c.accessDate = " 2/3/2001 ";
    set.SaveProperties();
    EXPECT_EQ(File(),
              "[Cleandiroptions.Selecteddrives_Items]\n"
              "Count=2\nItem0=C:\\\nItem1=D:\\\n"
              "\n[Cleandiroptions]\n"
              "Subcheckbox_Checked=True\n"
              "Emptydirbox_Checked=False\n"
              "Accessdateedit_Text= 2/3/2001 \n"
              "Biggerspin_Value=1.5\n"
              "Destdirpanel_Left=8\n");

    const Controls before = c;
    c = Controls{};
    c.drives.clear();
    set.RestoreProperties();
    EXPECT_EQ(c.drives, before.drives);
    EXPECT_EQ(c.sub, before.sub);
    EXPECT_EQ(c.empty, before.empty);
    EXPECT_EQ(c.accessDate, " 2/3/2001 ");
    EXPECT_EQ(c.bigger, 1.5);
    EXPECT_EQ(c.panelLeft, 8);
}

TEST_F(StoredOptionsTest, ListSectionsAreRewrittenWithoutStaleItemsAndVanishWhenEmpty) {
    c.drives = {"A:\\", "C:\\", "D:\\"};
    set.SaveProperties();
    c.drives = {"E:\\"};
    set.SaveProperties();
    EXPECT_THAT(store.ReadKeys(kPath, "Cleandiroptions.Selecteddrives_Items"),
                ElementsAre("Count", "Item0"));

    c.drives.clear();
    set.SaveProperties();
    EXPECT_TRUE(store.ReadKeys(kPath, "Cleandiroptions.Selecteddrives_Items").empty());
    // An empty stored list leaves what the control was created with.
    c.drives = {"design"};
    set.RestoreProperties();
    EXPECT_THAT(c.drives, ElementsAre("design"));
}

TEST_F(StoredOptionsTest, ListCountIsTrimmedMissingItemsAreEmptyAndADamagedCountIsBounded) {
    store.SetFileText(kPath,
                      "[Cleandiroptions.Selecteddrives_Items]\nCount= 3 \nItem0=A\nItem2=C\n");
    set.RestoreProperties();
    EXPECT_THAT(c.drives, ElementsAre("A", "", "C"));

    store.SetFileText(kPath, "[Cleandiroptions.Selecteddrives_Items]\nCount=2000000000\nItem0=A\n");
    set.RestoreProperties();
    EXPECT_THAT(c.drives, ElementsAre("A", ""));

    c.drives = {"kept"};
    store.SetFileText(kPath, "[Cleandiroptions.Selecteddrives_Items]\nCount=many\nItem0=A\n");
    set.RestoreProperties();
    EXPECT_THAT(c.drives, ElementsAre("kept"));
}

TEST_F(StoredOptionsTest, MissingOrUnreadableValuesLeaveTheControlsAlone) {
    set.RestoreProperties();  // no file at all
    EXPECT_THAT(c.drives, ElementsAre("C:\\"));
    EXPECT_TRUE(c.sub);
    EXPECT_EQ(c.accessDate, "01/01/2000");

    store.SetFileText(kPath,
                      "[Cleandiroptions]\nSubcheckbox_Checked=1\nEmptydirbox_Checked=TRUE\n"
                      "Biggerspin_Value=1,5\nDestdirpanel_Left=left\nAccessdateedit_Text=\n");
    set.RestoreProperties();
    EXPECT_TRUE(c.sub);           // only the names True and False are booleans here
    EXPECT_TRUE(c.empty);         // in any letter case
    EXPECT_EQ(c.bigger, 100);     // not a number
    EXPECT_EQ(c.panelLeft, 8);    // not a number
    EXPECT_EQ(c.accessDate, "");  // present but empty is a value
}

// A locale that writes one and a half as "1,5".
struct CommaDecimals : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

TEST(StoredFloat, UsesAPointAndGeneralFormatWhateverTheLocale) {
    const std::locale previous = std::locale::global(std::locale(std::locale(), new CommaDecimals));
    EXPECT_EQ(FormatStoredFloat(1.5), "1.5");
    EXPECT_EQ(ParseStoredFloat("1.5"), 1.5);
    std::locale::global(previous);

    EXPECT_EQ(FormatStoredFloat(0), "0");
    EXPECT_EQ(FormatStoredFloat(100), "100");
    EXPECT_EQ(FormatStoredFloat(-2048.25), "-2048.25");
    EXPECT_EQ(FormatStoredFloat(0.1), "0.1");
    EXPECT_EQ(FormatStoredFloat(0.00001), "0.00001");
    EXPECT_EQ(FormatStoredFloat(1e-6), "1E-6");
    EXPECT_EQ(FormatStoredFloat(123456789012345678.0), "123456789012345680");
    EXPECT_EQ(FormatStoredFloat(1e18), "1E18");
    EXPECT_EQ(FormatStoredFloat(2.5e20), "2.5E20");
    for (const double v : {0.1, 1.0 / 3, -7e-9, 9.87654321e17, 4e300}) {
        EXPECT_EQ(ParseStoredFloat(FormatStoredFloat(v)), v);
    }
    EXPECT_EQ(ParseStoredFloat(" 2 "), 2.0);
    EXPECT_EQ(ParseStoredFloat("1,5"), std::nullopt);
    EXPECT_EQ(ParseStoredFloat(""), std::nullopt);
}

TEST_F(StoredOptionsTest, PlacementKeysAndTheirReadingBack) {
    StoredPlacement p;
    p.flags = 0;
    p.showCmd = 3;
    p.pixelsPerInch = 120;
    p.left = 10;
    p.top = 20;
    p.right = 410;
    p.bottom = 320;
    p.visible = true;
    set.SavePlacement(p);
    set.WriteInteger("Col0", 64);
    EXPECT_EQ(File(),
              "[Cleandiroptions]\nFlags=0\nShowCmd=3\nPixelsPerInch=120\n"
              "MinMaxPos=-1,-1,-1,-1\nNormPos=10,20,410,320\nVisible=1\nCol0=64\n");
    EXPECT_EQ(set.RestorePlacement(), p);
    EXPECT_EQ(set.ReadInteger("Col0", 0), 64);

    for (const char* bad : {"", "1,2,3", "1,2,3,x", "10,10,5,5"}) {
        store.SetFileText(kPath, std::string("[Cleandiroptions]\nNormPos=") + bad + "\n");
        EXPECT_EQ(set.RestorePlacement(), std::nullopt) << bad;
    }
}

TEST(FitToScreen, ScalesToTheCurrentPixelsPerInchAndBringsLostWindowsBack) {
    StoredPlacement p;
    p.pixelsPerInch = 96;
    p.left = 100;
    p.top = 50;
    p.right = 500;
    p.bottom = 350;
    const ScreenArea screen{0, 0, 1024, 768};

    const StoredPlacement scaled = FitToScreen(p, 120, screen);
    EXPECT_EQ(scaled.right - scaled.left, 500);
    EXPECT_EQ(scaled.bottom - scaled.top, 375);
    EXPECT_EQ(scaled.left, 100);
    EXPECT_EQ(FitToScreen(p, 96, screen), p);

    p.left = 3000;  // on a monitor that is gone
    p.right = 3400;
    const StoredPlacement back = FitToScreen(p, 96, screen);
    EXPECT_EQ(back.left, 624);
    EXPECT_EQ(back.right, 1024);
    EXPECT_EQ(back.top, 50);
}

}  // namespace
}  // namespace sorvane
