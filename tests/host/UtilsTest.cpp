#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdexcept>

#include "FakePlatform.h"
#include "core/utils/AllUtils.h"
#include "core/utils/RecordCodec.h"
#include "core/utils/SortedTextList.h"

namespace sorvane {
namespace {

using ::testing::ElementsAre;
using Fields = std::vector<std::string>;

TEST(FormatByteSize, Texts) {
    const auto mib = [](double mb) { return static_cast<std::uint64_t>(mb * 1024 * 1024); };
    // Kilobytes round half to even; below 100 MB one decimal, cut, with ".0" left out; from
    // 1000 MB two decimals cut from the megabyte digits.
    const std::pair<std::uint64_t, const char*> bytes[] = {
        {0, "0 Bytes"},         {1023, "1023 Bytes"},    {1024, "1 KB"},
        {1535, "1 KB"},         {1536, "2 KB"},          {2560, "2 KB"},
        {3584, "4 KB"},         {1048575, "1024 KB"},    {104857599, "99.9 MB"},
        {1048575999, "999 MB"}, {UINT64_MAX, "17.59 EB"}};
    for (const auto& [count, text] : bytes) EXPECT_EQ(FormatByteSize(count), text) << count;
    const std::pair<double, const char*> megabytes[] = {
        {1, "1 MB"},           {1.05, "1 MB"},    {1.5, "1.5 MB"},      {12.39, "12.3 MB"},
        {100, "100 MB"},       {1000, "1.00 GB"}, {2047.98, "2.04 GB"}, {123456.7, "123.45 GB"},
        {999999, "999.99 GB"}, {1e6, "1.00 TB"}};
    for (const auto& [mb, text] : megabytes) EXPECT_EQ(FormatByteSize(mib(mb)), text) << mb;
}

TEST(AllUtils, BackslashesAndDriveTypeNames) {
    EXPECT_EQ(StripTrailingBackslash("C:\\Temp\\\\"), "C:\\Temp\\");
    EXPECT_EQ(StripTrailingBackslash("C:\\Temp"), "C:\\Temp");
    EXPECT_EQ(StripTrailingBackslash(""), "");

    FakeDrives drives;
    drives.AddDrive('E', {.type = drive::kCdRom});
    EXPECT_EQ(DriveTypeName(drives, "E:\\"), "CdRom");
    EXPECT_EQ(DriveTypeName(drives, "Q:\\"), "Path does not exists");
}

TEST(AllUtils, DriveMaskAndDiskSpace) {
    FakeDrives drives;
    drives.SetMask((1U << 2) | (1U << 31));
    for (const int index : {2, 31, 34}) EXPECT_TRUE(DriveExists(drives, index)) << index;
    for (const int index : {0, 3, 35}) EXPECT_FALSE(DriveExists(drives, index)) << index;

    // 2^32 clusters of 64 KiB: a product past 32 bits.
    drives.AddDrive('D', {.space = {128, 512, 1ULL << 31, 1ULL << 32}});
    drives.AddDrive('A', {.type = drive::kRemovable, .space = {1, 512, 10, 20}, .ready = false});
    const DiskSpace space = GetDiskSpace(drives, "D:\\");
    EXPECT_EQ(std::tuple(space.total, space.free), std::tuple(1ULL << 48, 1ULL << 47));
    for (const char* root : {"A:\\", "Q:\\"})
        EXPECT_EQ(GetDiskSpace(drives, root).total, 0U) << root;
}

TEST(AllUtils, DriveReadinessLeavesDirectoryAndErrorModeAsTheyWere) {
    FakeDrives drives;
    drives.AddDrive('A', {.type = drive::kRemovable, .ready = false});
    drives.AddDrive('C');
    drives.AddDrive('D', {.type = drive::kCdRom});
    drives.ChangeDirectory("C:\\Work");
    drives.SetErrorMode(1);

    EXPECT_TRUE(IsDriveReady(drives, 'D'));
    EXPECT_FALSE(IsDriveReady(drives, 'A') || IsDriveReady(drives, 'Q'));

    EXPECT_EQ(drives.CurrentDirectory(), "C:\\Work");
    ASSERT_FALSE(drives.ErrorModesSet().empty());
    EXPECT_EQ(drives.ErrorModesSet().back(), 1U);
    // The drive is touched with no system error box.
    for (const DirectoryChange& c : drives.DirectoryChanges())
        EXPECT_TRUE(c.path == "C:\\Work" || c.errorMode == kFailCriticalErrors) << c.path;
}

TEST(RecordCodec, EncodesEveryFieldQuotedAndDecodesWhateverComes) {
    EXPECT_EQ(EncodeRecord({"C:\\Temp", "say \"hi\"", ""}), R"("C:\Temp","say ""hi""","")");
    EXPECT_EQ(EncodeRecord({}), "");
    const std::pair<const char*, Fields> cases[] = {
        {R"("a,b","c")", {"a,b", "c"}},
        {R"("say ""hi""","""")", {"say \"hi\"", "\""}},
        {"", {}},
        {R"("")", {""}},
        {"a,,b", {"a", "", "b"}},
        {",", {"", ""}},
        {R"("a",)", {"a", ""}},
        {R"(12, spaced ,"q",x"y)", {"12", " spaced ", "q", "x\"y"}},
        // Broken quoting keeps its text.
        {R"("never closed,still here)", {"never closed,still here"}},
        {R"("ab"cd,"e")", {"abcd", "e"}}};
    for (const auto& [record, fields] : cases) EXPECT_EQ(DecodeRecord(record), fields) << record;
    for (const Fields& fields : {Fields{"Größe.txt", "日本語", "12,5 MB", "😀"},
                                 Fields{"\"", "\"\"", ",", "\",\"", " "}, Fields{"", ""}}) {
        EXPECT_EQ(DecodeRecord(EncodeRecord(fields)), fields) << EncodeRecord(fields);
    }
}

TEST(SortedTextList, OrdersAndFindsWithoutRegardToCaseKeepingTheFirstSpelling) {
    FakeLocale locale;
    SortedTextList list(locale);
    for (const char* text : {"delta", "Bravo", "bravo"}) list.Add(text);
    EXPECT_EQ(list.Count(), 2U);
    // Adds after a read merge into order and lose to earlier equal entries.
    for (const char* text : {"charlie", "BRAVO", "alpha", "Charlie", "echo", "ALPHA"}) {
        list.Add(text);
    }
    EXPECT_THAT(list.Items(), ElementsAre("alpha", "Bravo", "charlie", "delta", "echo"));
    EXPECT_EQ(list.IndexOf("ECHO"), 4U);
    EXPECT_EQ(list.IndexOf("brav"), std::nullopt);
    EXPECT_TRUE(list.Contains("DELTA"));

    list.RemoveAt(1);
    EXPECT_THAT(list.Items(), ElementsAre("alpha", "charlie", "delta", "echo"));
    EXPECT_EQ(list.IndexOf("delta"), 2U);
    EXPECT_THROW(list.RemoveAt(4), std::out_of_range);
    EXPECT_THROW((void)list[4], std::out_of_range);
    list.Add("B");
    EXPECT_EQ(list[1], "B");
    list.Clear();
    EXPECT_TRUE(list.Empty());
}

}  // namespace
}  // namespace sorvane
