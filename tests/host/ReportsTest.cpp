// The HTML and formatted-text reports, byte for byte, and saving them on the fake disk.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "FakePlatform.h"
#include "ResultTestSupport.h"
#include "core/results/Reports.h"

namespace sorvane {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

constexpr std::uint32_t kBorder = 0x332211;  // red 0x11, green 0x22, blue 0x33

// Name, a right-aligned size and a path.
ResultTable SmallTable() {
    ResultTable table({{"Name"}, {"Size", Alignment::kRight}, {"Path"}}, 0, 2);
    table.SetRows(
        {{"a&b <\"x\">.txt", "1234", ""},
         {"\xC3\x9Cn\xC3\xAF\x63\xC3\xB8\x64\xC3\xA9.txt", "7", "line1\r\nlonger line2"}});
    return table;
}

std::string Content(FakeFileSystem& fs, const std::string& path) {
    const auto reader = fs.OpenRead(path);
    if (!reader) return "(missing)";
    std::string bytes(1 << 16, '\0');
    bytes.resize(reader->Read(bytes.data(), bytes.size()).value_or(0));
    return bytes;
}

TEST(Reports, TheHtmlPageEscapesCellTextsAndKeepsLineBreaks) {
    EXPECT_EQ(
        HtmlPage(SmallTable(), kBorder, "Scan & Co"),
        "\xEF\xBB\xBF<HTML>\r\n<HEAD>\r\n<TITLE>Scan &amp; Co</TITLE>\r\n</HEAD>\r\n<BODY>\r\n"
        "<table border=1>\r\n<tr>\r\n"
        "<td nowrap align=\"center\" BGCOLOR=\"#112233\"><B>Name</B></td>\r\n"
        "<td nowrap align=\"center\" BGCOLOR=\"#112233\"><B>Size</B></td>\r\n"
        "<td nowrap align=\"center\" BGCOLOR=\"#112233\"><B>Path</B></td>\r\n"
        "</tr>\r\n<tr>\r\n"
        "<td nowrap>a&amp;b &lt;&quot;x&quot;&gt;.txt</td>\r\n"
        "<td nowrap align=\"right\">1234</td>\r\n"
        "<td nowrap><br></td>\r\n"
        "</tr>\r\n<tr>\r\n"
        "<td nowrap>\xC3\x9Cn\xC3\xAF\x63\xC3\xB8\x64\xC3\xA9.txt</td>\r\n"
        "<td nowrap align=\"right\">7</td>\r\n"
        "<td nowrap>line1<br>\r\nlonger line2</td>\r\n"
        "</tr>\r\n</table>\r\n</BODY>\r\n</HTML>\r\n");
}

TEST(Reports, ColouredCellsCarryTheirColoursAndStyles) {
    ResultTable table({{""}, {"File Name"}}, 1, 1);
    table.SetRows({{"0", "x"}, {"1", "y"}});
    table.SetStyle(1, {0x00FFFF, 0x000000, false, false});  // yellow on black
    table.SetStyle(2, {std::nullopt, 0x0000FF, true, true});

    const std::string page = HtmlTablePart(table, 0xC0C0C0);

    EXPECT_THAT(page, HasSubstr("<td nowrap BGCOLOR=\"#C0C0C0\"><B><br></B></td>\r\n"));
    EXPECT_THAT(page,
                HasSubstr("<td nowrap BGCOLOR=\"#FFFF00\"><font color=\"#000000\">x</font></td>"));
    EXPECT_THAT(page, HasSubstr("<td nowrap><font color=\"#FF0000\"><B><I>1</I></B></font></td>"));
    EXPECT_EQ(page.substr(page.size() - 13), "</table><p>\r\n");
}

TEST(Reports, TheTextFileAlignsColumnsByCharacters) {
    const std::string blanks(16, ' ');
    auto pad = [&](std::size_t n) { return blanks.substr(0, n); };
    // Widths 13, 4 and 12; headings centred, sizes right-aligned, one line of a cell only.
    EXPECT_EQ(FormattedText(SmallTable()), "\xEF\xBB\xBF" + pad(5) + "Name" + pad(5) + "Size " +
                                               pad(4) + "Path" + pad(5) + "\r\n" +
                                               "a&b <\"x\">.txt " + "1234 " + pad(13) + "\r\n" +
                                               "\xC3\x9Cn\xC3\xAF\x63\xC3\xB8\x64\xC3\xA9.txt" +
                                               pad(3) + pad(3) + "7 " + "line1" + pad(8) + "\r\n");
}

TEST(Reports, AnEmptyTableGivesItsHeaderAndABlankRow) {
    const ResultTable table = test::CleanDriveTable();
    const std::string page = HtmlTablePart(table, kBorder);
    std::string blankRow = "<tr>\r\n";
    for (int c = 0; c < 7; ++c) blankRow += "<td nowrap><br></td>\r\n";
    EXPECT_THAT(page, HasSubstr(blankRow + "</tr>\r\n</table><p>\r\n"));

    EXPECT_EQ(FormattedText(table),
              "\xEF\xBB\xBFName Size Last Modified Last Accessed Path Attributes Type \r\n" +
                  std::string(59, ' ') + "\r\n");
}

TEST(Reports, TheExtensionIsAddedOnlyWhenMissing) {
    EXPECT_EQ(ReportFileName("C:\\r", ".html"), "C:\\r.html");
    EXPECT_EQ(ReportFileName("C:\\R.HTML", ".html"), "C:\\R.HTML");
    EXPECT_EQ(ReportFileName("C:\\r.html", ".txt"), "C:\\r.html.txt");
    EXPECT_EQ(ReportFileName("txt", ".txt"), "txt.txt");
}

class ReportWriterTest : public ::testing::Test {
  protected:
    ReportWriterTest() { fake.fs.AddDir("C:\\reports"); }
    FakePlatform fake;
    test::RecordingView window;
    ReportWriter writer{fake.fs, fake.prompts, window.runner};
    ResultTable table = SmallTable();
};

TEST_F(ReportWriterTest, TheHtmlPageIsWrittenWithTheTitleAskedAfterTheTable) {
    std::string onDiskWhenAsked;
    ASSERT_TRUE(writer.SaveHtml(table, "C:\\reports\\scan", kBorder, [&] {
        onDiskWhenAsked = Content(fake.fs, "C:\\reports\\scan.html");
        return std::string("Title");
    }));
    EXPECT_EQ(onDiskWhenAsked, HtmlTablePart(table, kBorder));
    EXPECT_EQ(Content(fake.fs, "C:\\reports\\scan.html"), HtmlPage(table, kBorder, "Title"));
    EXPECT_EQ(window.status, "Saved C:\\reports\\scan.html");

    ASSERT_TRUE(writer.SaveText(table, "C:\\reports\\scan.TXT"));
    EXPECT_EQ(Content(fake.fs, "C:\\reports\\scan.TXT"), FormattedText(table));
    EXPECT_EQ(window.status, "Saved C:\\reports\\scan.TXT");
    EXPECT_THAT(window.busyCalls, ElementsAre(true, false));
}

TEST_F(ReportWriterTest, AFailedWriteShowsThePlatformsMessageAndKeepsTheStatus) {
    bool asked = false;
    EXPECT_FALSE(writer.SaveHtml(table, "C:\\missing\\scan", kBorder, [&] {
        asked = true;
        return std::string();
    }));
    EXPECT_FALSE(asked);

    fake.fs.AddFile("C:\\reports\\locked.txt");
    fake.fs.Lock("C:\\reports\\locked.txt");
    EXPECT_FALSE(writer.SaveText(table, "C:\\reports\\locked"));

    EXPECT_THAT(fake.prompts.Errors(),
                ElementsAre("The system cannot find the path specified.",
                            "The process cannot access the file because it is being used by "
                            "another process."));
    EXPECT_EQ(window.status, "Ready...");
    EXPECT_THAT(window.busyCalls, ElementsAre(true, false));
}

}  // namespace
}  // namespace sorvane
