#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "FakePlatform.h"
#include "core/utils/AllUtils.h"

namespace sorvane {
namespace {

using ::testing::ElementsAre;

constexpr std::uint64_t kMiB = 1024 * 1024;

// Fractions in the cases below are exact in binary or meant to be cut off anyway.
std::uint64_t Mib(double megabytes) {
    return static_cast<std::uint64_t>(megabytes * static_cast<double>(kMiB));
}

struct SizeCase {
    std::uint64_t bytes;
    const char* text;
};

void ExpectSizes(const std::vector<SizeCase>& cases) {
    for (const SizeCase& c : cases) {
        EXPECT_EQ(FormatByteSize(c.bytes), c.text) << "for " << c.bytes << " bytes";
    }
}

TEST(FormatByteSize, CountsBytesBelowOneKilobyte) {
    ExpectSizes({{0, "0 Bytes"}, {1, "1 Bytes"}, {512, "512 Bytes"}, {1023, "1023 Bytes"}});
}

TEST(FormatByteSize, RoundsKilobytesHalfToEven) {
    ExpectSizes({{1024, "1 KB"},
                 {1025, "1 KB"},
                 {1535, "1 KB"},
                 {1536, "2 KB"},
                 {2560, "2 KB"},
                 {2561, "3 KB"},
                 {3584, "4 KB"},
                 {1048575, "1024 KB"}});
}

TEST(FormatByteSize, CutsMegabytesBelowOneHundredToOneDecimal) {
    ExpectSizes({{kMiB, "1 MB"},
                 {Mib(1.05), "1 MB"},  // cut to 1.0, and ".0" is left out
                 {Mib(1.5), "1.5 MB"},
                 {Mib(12.34), "12.3 MB"},
                 {Mib(12.39), "12.3 MB"},
                 {100 * kMiB - 1, "99.9 MB"}});
}

TEST(FormatByteSize, ShowsWholeMegabytesFromOneHundredToBelowOneThousand) {
    ExpectSizes({{100 * kMiB, "100 MB"},
                 {Mib(810.5), "810 MB"},
                 {Mib(812.5), "812 MB"},
                 {1000 * kMiB - 1, "999 MB"}});
}

TEST(FormatByteSize, CutsLargerSizesToTwoDecimalsOfTheMegabyteDigits) {
    ExpectSizes({{1000 * kMiB, "1.00 GB"},
                 {Mib(1234.56), "1.23 GB"},
                 {Mib(1235.5), "1.23 GB"},
                 {Mib(2047.98), "2.04 GB"},
                 {2000 * kMiB, "2.00 GB"},
                 {Mib(12345.6), "12.34 GB"},
                 {Mib(123456.7), "123.45 GB"},
                 {999999 * kMiB, "999.99 GB"},
                 {1000000 * kMiB, "1.00 TB"},
                 {1234567 * kMiB, "1.23 TB"},
                 {1234567890ULL * kMiB, "1.23 PB"},
                 {12345678901234ULL * kMiB, "12.34 EB"}});
}

TEST(FormatByteSize, GivesATextForTheLargestCount) {
    EXPECT_EQ(FormatByteSize(std::numeric_limits<std::uint64_t>::max()), "17.59 EB");
}

TEST(StripTrailingBackslash, RemovesOneTrailingBackslashOnly) {
    EXPECT_EQ(StripTrailingBackslash("C:\\"), "C:");
    EXPECT_EQ(StripTrailingBackslash("C:\\Temp\\"), "C:\\Temp");
    EXPECT_EQ(StripTrailingBackslash("C:\\Temp"), "C:\\Temp");
    EXPECT_EQ(StripTrailingBackslash("C:\\Temp\\\\"), "C:\\Temp\\");
    EXPECT_EQ(StripTrailingBackslash(""), "");
}

TEST(DriveTypeName, NamesEveryCodeAndCallsTheRestUnknown) {
    EXPECT_EQ(DriveTypeNameOf(drive::kUnknown), "?");
    EXPECT_EQ(DriveTypeNameOf(drive::kNoRootDir), "Path does not exists");
    EXPECT_EQ(DriveTypeNameOf(drive::kRemovable), "Removable");
    EXPECT_EQ(DriveTypeNameOf(drive::kFixed), "Fixed");
    EXPECT_EQ(DriveTypeNameOf(drive::kRemote), "Remote");
    EXPECT_EQ(DriveTypeNameOf(drive::kCdRom), "CdRom");
    EXPECT_EQ(DriveTypeNameOf(drive::kRamDisk), "RamDisk");
    EXPECT_EQ(DriveTypeNameOf(7), "Unknown");
    EXPECT_EQ(DriveTypeNameOf(0xFFFFFFFF), "Unknown");
}

TEST(DriveTypeName, AsksThePlatformForTheRoot) {
    FakeDrives drives;
    drives.AddDrive('E', {.type = drive::kCdRom});
    EXPECT_EQ(DriveTypeName(drives, "E:\\"), "CdRom");
    EXPECT_EQ(DriveTypeName(drives, "Q:\\"), "Path does not exists");
}

TEST(DriveExists, ReadsTheMaskBitOfTheIndexModulo32) {
    FakeDrives drives;
    drives.SetMask((1U << 2) | (1U << 31));  // C: and the highest bit
    EXPECT_TRUE(DriveExists(drives, 2));
    EXPECT_FALSE(DriveExists(drives, 0));
    EXPECT_FALSE(DriveExists(drives, 3));
    EXPECT_TRUE(DriveExists(drives, 31));
    EXPECT_TRUE(DriveExists(drives, 34));
    EXPECT_FALSE(DriveExists(drives, 35));
}

TEST(GetDiskSpace, MultipliesClustersBySectorsAndBytes) {
    FakeDrives drives;
    drives.AddDrive('C', {.space = {8, 512, 1000, 3000}});
    // 2^32 clusters of 64 KiB: a product past 32 bits.
    drives.AddDrive('D', {.space = {128, 512, 1ULL << 31, 1ULL << 32}});

    const DiskSpace c = GetDiskSpace(drives, "C:\\");
    EXPECT_EQ(c.total, 3000U * 4096U);
    EXPECT_EQ(c.free, 1000U * 4096U);
    const DiskSpace d = GetDiskSpace(drives, "D:\\");
    EXPECT_EQ(d.total, 1ULL << 48);
    EXPECT_EQ(d.free, 1ULL << 47);
}

TEST(GetDiskSpace, GivesZerosWhenTheQueryFails) {
    FakeDrives drives;
    drives.AddDrive('A', {.type = drive::kRemovable, .space = {1, 512, 10, 20}, .ready = false});
    const DiskSpace noMedium = GetDiskSpace(drives, "A:\\");
    EXPECT_EQ(noMedium.total, 0U);
    EXPECT_EQ(noMedium.free, 0U);
    const DiskSpace noDrive = GetDiskSpace(drives, "Q:\\");
    EXPECT_EQ(noDrive.total, 0U);
    EXPECT_EQ(noDrive.free, 0U);
}

class IsDriveReadyTest : public ::testing::Test {
  protected:
    IsDriveReadyTest() {
        drives.AddDrive('A', {.type = drive::kRemovable, .ready = false});
        drives.AddDrive('C');
        drives.AddDrive('D', {.type = drive::kCdRom});
        drives.SetStartDirectory("C:\\Work");
        drives.SetErrorMode(0x0001);
    }
    FakeDrives drives;
};

TEST_F(IsDriveReadyTest, ReadyDriveLeavesDirectoryAndErrorModeAsTheyWere) {
    EXPECT_TRUE(IsDriveReady(drives, 'D'));

    EXPECT_EQ(drives.CurrentDirectory(), "C:\\Work");
    EXPECT_EQ(drives.ErrorMode(), 0x0001U);
    EXPECT_THAT(drives.ErrorModesSet(), ElementsAre(0x0001U, kFailCriticalErrors, 0x0001U));
    const auto& changes = drives.DirectoryChanges();
    ASSERT_EQ(changes.size(), 2U);
    EXPECT_EQ(changes[0].path, "D:\\");
    EXPECT_EQ(changes[0].errorMode, kFailCriticalErrors);
    EXPECT_TRUE(changes[0].succeeded);
    EXPECT_EQ(changes[1].path, "C:\\Work");
}

TEST_F(IsDriveReadyTest, DriveWithoutMediumLeavesDirectoryAndErrorModeAsTheyWere) {
    EXPECT_FALSE(IsDriveReady(drives, 'A'));

    EXPECT_EQ(drives.CurrentDirectory(), "C:\\Work");
    EXPECT_EQ(drives.ErrorMode(), 0x0001U);
    const auto& changes = drives.DirectoryChanges();
    ASSERT_EQ(changes.size(), 2U);
    EXPECT_EQ(changes[0].path, "A:\\");
    EXPECT_EQ(changes[0].errorMode, kFailCriticalErrors);
    EXPECT_FALSE(changes[0].succeeded);
}

TEST_F(IsDriveReadyTest, MissingDriveIsNotReady) {
    EXPECT_FALSE(IsDriveReady(drives, 'Q'));
}

TEST(DeleteOneFile, RemovesOnlyWhatThePlatformLetsGo) {
    FakeFileSystem fs;
    fs.AddFile("C:\\Temp\\a.tmp", 10);
    fs.AddFile("C:\\Temp\\b.tmp", 10);
    fs.Lock("C:\\Temp\\b.tmp");

    EXPECT_TRUE(DeleteOneFile(fs, "C:\\Temp\\a.tmp"));
    EXPECT_FALSE(fs.Contains("C:\\Temp\\a.tmp"));
    EXPECT_FALSE(DeleteOneFile(fs, "C:\\Temp\\b.tmp"));
    EXPECT_TRUE(fs.Contains("C:\\Temp\\b.tmp"));
    EXPECT_FALSE(DeleteOneFile(fs, "C:\\Temp\\missing.tmp"));
}

TEST(ExitWindowsWithPrivilege, EnablesThePrivilegeOnlyAroundTheRequest) {
    FakeSystemInfo system;
    const unsigned flags = exit_flags::kShutdown | exit_flags::kForce;

    EXPECT_TRUE(ExitWindowsWithPrivilege(system, flags));

    EXPECT_THAT(system.Calls(),
                ElementsAre("enable SeShutdownPrivilege", "exit 5", "disable SeShutdownPrivilege"));
}

TEST(ExitWindowsWithPrivilege, DisablesThePrivilegeAgainWhenRefused) {
    FakeSystemInfo system;
    system.SetExitAccepted(false);

    EXPECT_FALSE(ExitWindowsWithPrivilege(system, exit_flags::kReboot));

    EXPECT_THAT(system.Calls(),
                ElementsAre("enable SeShutdownPrivilege", "exit 2", "disable SeShutdownPrivilege"));
}

TEST(ExitWindowsWithPrivilege, StillAsksWhenThePrivilegeCannotBeAdjusted) {
    FakeSystemInfo system;
    system.SetPrivilegeResult(false);

    EXPECT_TRUE(ExitWindowsWithPrivilege(system, exit_flags::kLogOff));

    EXPECT_THAT(system.ExitRequests(), ElementsAre(exit_flags::kLogOff));
    EXPECT_EQ(system.Calls().back(), "disable SeShutdownPrivilege");
}

}  // namespace
}  // namespace sorvane
