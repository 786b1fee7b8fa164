// The Clean Drive(s) mask list in the settings file: what comes back, what a new user gets,
// and what a shorter list leaves behind.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeSettingsStore.h"
#include "core/driveclean/MaskList.h"

namespace sorvane {
namespace {

constexpr char kPath[] = "C:\\Tools\\guest.INI";

std::vector<std::string> Texts(const std::vector<ScanMask>& masks) {
    std::vector<std::string> texts;
    for (const ScanMask& m : masks) texts.push_back((m.checked ? "+" : "-") + m.text);
    return texts;
}

TEST(MaskList, ANewUserGetsTheSevenDefaultsUnchecked) {
    FakeSettingsStore store;
    const Settings settings(store, kPath);
    EXPECT_EQ(Texts(LoadMaskList(settings)),
              (std::vector<std::string>{"-*.tmp", "-*.old", "-*.gid", "-*.bak", "-*.b~k", "-*.ex~",
                                        "-*.msg"}));
    // A count whose items are all empty is no list either.
    store.SetFileText(kPath, "[Cleandiroptions]\nMaskcount=2\n");
    EXPECT_EQ(LoadMaskList(settings).size(), 7u);
}

TEST(MaskList, ItemsReadBackInOrderWithTheirMarksAndEmptyItemsSkipped) {
    FakeSettingsStore store;
    store.SetFileText(kPath,
                      "[Cleandiroptions]\nMaskcount=4\nMaskitem0=1*.tmp\nMASKITEM1=0*.OLD\n"
                      "MaskItem3=x*.log\nMaskItem4=1*.never\n");
    const Settings settings(store, kPath);
    // Anything but "0" checks; the count bounds what is read; case is kept as stored.
    EXPECT_EQ(Texts(LoadMaskList(settings)),
              (std::vector<std::string>{"+*.tmp", "-*.OLD", "+*.log"}));
}

TEST(MaskList, SavingAShorterListLeavesTheOldTailUnread) {
    FakeSettingsStore store;
    Settings settings(store, kPath);
    SaveMaskList(settings, {{"*.a", true}, {"*.b", false}, {"*.c", true}});
    SaveMaskList(settings, {{"*.z", false}});
    EXPECT_EQ(store.FileText(kPath),
              "[Cleandiroptions]\nMaskcount=1\nMaskItem0=0*.z\nMaskItem1=0*.b\nMaskItem2=1*.c\n");
    EXPECT_EQ(Texts(LoadMaskList(settings)), (std::vector<std::string>{"-*.z"}));
}

TEST(CleanTable, HasSevenColumnsWithSizeRightAlignedAndNameAndPathWhereActionsLook) {
    const ResultTable table = MakeCleanTable();
    ASSERT_EQ(table.ColumnCount(), 7u);
    EXPECT_EQ(table.Cell(0, 2), "Last Modified");
    EXPECT_EQ(table.AlignmentOf(1, 1), Alignment::kRight);
    EXPECT_EQ(table.AlignmentOf(1, 6), Alignment::kLeft);
    EXPECT_EQ(table.NameColumn(), 0u);
    EXPECT_EQ(table.PathColumn(), 4u);
    EXPECT_TRUE(table.Empty());
}

}  // namespace
}  // namespace sorvane
