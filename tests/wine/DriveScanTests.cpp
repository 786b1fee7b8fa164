// The Clean Drive(s) scan on the real file system, where a directory may hold a link back to
// its own parent (scripts/setup-wine-prefix.sh makes one beside the build directory).
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "FakePlatform.h"
#include "RecordingView.h"
#include "core/driveclean/DriveScan.h"
#include "core/driveclean/MaskList.h"
#include "win/platform/Utf.h"
#include "win/platform/WinFileSystem.h"

namespace sorvane {
namespace {

// build/wine-drives/links, found from build/win64/platform_tests.exe.
std::string LinksDirectory() {
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::string dir = Narrow(exe);
    dir.resize(dir.find_last_of('\\'));
    return dir + "\\..\\wine-drives\\links";
}

TEST(DriveScanOnWine, ALinkBackToTheParentIsNotFollowed) {
    const std::string links = LinksDirectory();
    WinFileSystem fs;
    FindData entry;
    if (!fs.FindFirst(links + "\\sub\\*", entry)) GTEST_SKIP() << links << " was not prepared";
    const std::optional<std::uint32_t> up = fs.Attributes(links + "\\sub\\up");
    ASSERT_TRUE(up.has_value());
    EXPECT_NE(*up & attr::kReparsePoint, 0u);

    FakePlatform fake;
    Platform platform{
        fs,          fake.drives, fake.shell,  fake.system,  fake.registry, fake.settings,
        fake.locale, fake.clock,  fake.timers, fake.prompts, fake.pump};
    DriveScanCriteria criteria;
    criteria.locations = {links};
    criteria.maskGroup = false;
    ResultTable table = MakeCleanTable();
    test::RecordingView view;
    const DriveScanResult result = DriveScan(platform, view.runner).Run(criteria, table);
    EXPECT_EQ(result.count, 1u);
    EXPECT_EQ(table.Cell(1, 0), "file.txt");
}

}  // namespace
}  // namespace sorvane
