// What the directory tree reads: the drives by type only, and directories without files, dots
// or the system's "insert a disk" box; and the drives that never need a medium to be accepted.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "FakePlatform.h"
#include "core/dialogs/DirectoryPicking.h"

namespace sorvane {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(DirectoryPicking, ListsDrivesByTypeAndAcceptsThoseWithoutMediaUnasked) {
    FakePlatform fake;
    fake.drives.AddDrive('A', {drive::kRemovable, {}, false});
    fake.drives.AddDrive('C', {drive::kFixed, {}, true});
    fake.drives.AddDrive('N', {drive::kRemote, {}, false});
    fake.drives.AddDrive('R', {drive::kRamDisk, {}, false});
    fake.drives.AddDrive('U', {drive::kUnknown, {}, true});
    fake.drives.SetMask(fake.drives.LogicalDriveMask() | (1U << ('Q' - 'A')));  // no root

    std::vector<std::string> shown;
    for (const TreeDrive& d : ListTreeDrives(fake.drives, false)) {
        shown.push_back(d.root + " " + DriveDisplayName(d));
    }
    EXPECT_THAT(shown, ElementsAre("A:\\ Removable Disk (A:)", "C:\\ Local Disk (C:)",
                                   "N:\\ Network Drive (N:)", "R:\\ RAM Disk (R:)"));
    EXPECT_EQ(ListTreeDrives(fake.drives, true).size(), 6u);
    EXPECT_THAT(fake.drives.ErrorModesSet(), IsEmpty());  // no medium was touched

    for (const char* path : {"N:\\Share", "R:\\", "U:\\", "Q:\\Gone", kNoDirectory}) {
        EXPECT_TRUE(MayAcceptDirectory(fake.drives, fake.prompts, path)) << path;
    }
    EXPECT_THAT(fake.prompts.Questions(), IsEmpty());
}

TEST(DirectoryPicking, ListsEveryDirectoryButTheDotsInCollationOrderWithTheSystemBoxOff) {
    FakePlatform fake;
    fake.drives.AddDrive('C');
    fake.fs.AddDir("C:\\Data\\beta");
    fake.fs.AddDir("C:\\Data\\Alpha\\Deeper");
    fake.fs.AddDir("C:\\Data\\$Recycle.Bin", {attr::kHidden | attr::kSystem});
    fake.fs.AddDir("C:\\Data\\Gamma");
    fake.fs.AddFile("C:\\Data\\aardvark.txt", 10);

    EXPECT_THAT(ListSubdirectories(fake.fs, fake.drives, fake.locale, "C:\\Data"),
                ElementsAre("$Recycle.Bin", "Alpha", "beta", "Gamma"));
    EXPECT_THAT(ListSubdirectories(fake.fs, fake.drives, fake.locale, "C:\\"), ElementsAre("Data"));
    EXPECT_THAT(fake.drives.ErrorModesSet(),
                ElementsAre(kFailCriticalErrors, 0u, kFailCriticalErrors, 0u));

    fake.fs.DenyListing("C:\\Data");
    EXPECT_THAT(ListSubdirectories(fake.fs, fake.drives, fake.locale, "C:\\Data"), IsEmpty());
    EXPECT_THAT(ListSubdirectories(fake.fs, fake.drives, fake.locale, "Q:\\"), IsEmpty());
}

}  // namespace
}  // namespace sorvane
