// Drive types, readiness and sizes against the drives the test prefix is set up with:
// A: floppy with a disk, B: floppy without one, D: CD-ROM with a disc, E: empty CD-ROM,
// Q: absent (scripts/setup-wine-prefix.sh).
#include <gtest/gtest.h>

#include "win/platform/WinApi.h"
#include "win/platform/WinDrives.h"
#include "core/utils/AllUtils.h"

namespace sorvane {
namespace {

class DrivesTest : public ::testing::Test {
  protected:
    WinDrives drives_;
};

TEST_F(DrivesTest, TypesOfTheConfiguredDrives) {
    EXPECT_EQ(drives_.DriveType("A:\\"), drive::kRemovable);
    EXPECT_EQ(drives_.DriveType("C:\\"), drive::kFixed);
    EXPECT_EQ(drives_.DriveType("D:\\"), drive::kCdRom);
    EXPECT_EQ(drives_.DriveType("Q:\\"), drive::kNoRootDir);

    EXPECT_EQ(DriveTypeName(drives_, "A:\\"), "Removable");
    EXPECT_EQ(DriveTypeName(drives_, "C:\\"), "Fixed");
    EXPECT_EQ(DriveTypeName(drives_, "D:\\"), "CdRom");
    EXPECT_EQ(DriveTypeName(drives_, "Q:\\"), "Path does not exists");
}

TEST_F(DrivesTest, TheDriveMaskHoldsThePresentDrivesOnly) {
    EXPECT_TRUE(DriveExists(drives_, 0));       // A:
    EXPECT_TRUE(DriveExists(drives_, 2));       // C:
    EXPECT_TRUE(DriveExists(drives_, 3));       // D:
    EXPECT_FALSE(DriveExists(drives_, 16));     // Q:
    EXPECT_TRUE(DriveExists(drives_, 32 + 2));  // taken modulo 32
}

TEST_F(DrivesTest, ReadinessPutsBackTheCurrentDirectoryAndErrorMode) {
    const std::string before = drives_.CurrentDirectory();
    ASSERT_FALSE(before.empty());
    const UINT modeBefore = GetErrorMode();

    EXPECT_TRUE(IsDriveReady(drives_, 'A'));
    EXPECT_EQ(drives_.CurrentDirectory(), before);
    EXPECT_TRUE(IsDriveReady(drives_, 'C'));
    EXPECT_EQ(drives_.CurrentDirectory(), before);

    EXPECT_FALSE(IsDriveReady(drives_, 'B'));
    EXPECT_EQ(drives_.CurrentDirectory(), before);
    EXPECT_FALSE(IsDriveReady(drives_, 'E'));
    EXPECT_EQ(drives_.CurrentDirectory(), before);
    EXPECT_FALSE(IsDriveReady(drives_, 'Q'));
    EXPECT_EQ(drives_.CurrentDirectory(), before);

    EXPECT_EQ(GetErrorMode(), modeBefore);
}

TEST_F(DrivesTest, ChangingDirectoryReportsFailure) {
    const std::string before = drives_.CurrentDirectory();
    EXPECT_TRUE(drives_.ChangeDirectory("C:\\"));
    EXPECT_EQ(drives_.CurrentDirectory(), "C:\\");
    EXPECT_FALSE(drives_.ChangeDirectory("C:\\no such directory here"));
    EXPECT_EQ(drives_.CurrentDirectory(), "C:\\");
    EXPECT_TRUE(drives_.ChangeDirectory(before));
}

TEST_F(DrivesTest, SetErrorModeReturnsThePreviousMode) {
    const std::uint32_t original = drives_.SetErrorMode(kFailCriticalErrors);
    EXPECT_EQ(drives_.SetErrorMode(original), kFailCriticalErrors);
}

TEST_F(DrivesTest, DiskSpaceOfAnEmptyDriveIsZero) {
    for (const char* root : {"B:\\", "E:\\"}) {
        ClusterSpace space;
        EXPECT_FALSE(drives_.FreeSpace(root, space)) << root;
        const DiskSpace bytes = GetDiskSpace(drives_, root);
        EXPECT_EQ(bytes.total, 0u) << root;
        EXPECT_EQ(bytes.free, 0u) << root;
    }
}

TEST_F(DrivesTest, DiskSpaceOfAFixedDriveComesFromItsClusters) {
    ClusterSpace space;
    ASSERT_TRUE(drives_.FreeSpace("C:\\", space));
    EXPECT_GT(space.totalClusters, 0u);
    EXPECT_GT(space.bytesPerSector, 0u);
    EXPECT_GT(space.sectorsPerCluster, 0u);
    EXPECT_LE(space.freeClusters, space.totalClusters);
    const DiskSpace bytes = GetDiskSpace(drives_, "C:\\");
    EXPECT_GT(bytes.total, 0u);
    EXPECT_LE(bytes.free, bytes.total);
}

}  // namespace
}  // namespace sorvane
