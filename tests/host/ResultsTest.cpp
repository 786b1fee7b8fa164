// The result table model and the HTML and text reports, byte for byte.
#include "TestSupport.h"
#include "core/results/Reports.h"

namespace sorvane {
namespace {

using test::Column;
using test::FileRow;

// Check marks go with their rows: a shifted mark would have another file acted on.
TEST(ResultTable, RowsRemovedOrReplacedKeepMarksWithTheirRows) {
    ResultTable table = MakeCleanTable();
    for (const char* name : {"a", "b", "c", "d", "e"}) table.AppendRow(FileRow("C:\\", name));
    table.SetChecked(5, true);
    table.SelectRow(4);
    table.RemoveRows({3, 1, 99, 0, 3});
    EXPECT_THAT(Column(table, 0), ElementsAre("b", "d", "e"));
    EXPECT_EQ(std::tuple(table.Checked(2), table.Checked(3)), std::tuple(false, true));
    EXPECT_EQ(table.SelectedRow(), 0u);  // row 4 is gone

    ResultTable aside = MakeCleanTable();
    aside.AppendCells({"x.txt", "7", "", "", "D:\\"});  // missing cells are empty
    table.TakeRows(aside);
    EXPECT_EQ(table.FullPath(1), "D:\\x.txt");
    EXPECT_FALSE(table.Checked(1));
    EXPECT_TRUE(aside.Empty());
}

TEST(ResultTable, RowsKeepTheirCellsWhenMostAreChangedOrRemoved) {
    // Rows of a kilobyte, so the room the changed and removed ones leave is taken back; the last
    // row points into shared text and is kept as it is.
    ResultTable table = MakeCleanTable();
    const auto text = std::make_shared<const std::string>("C:\\shared\\file.txt");
    const std::string_view shared(*text);
    for (int i = 0; i < 3000; ++i)
        table.AppendRow(FileRow(std::string(1000, 'p'), std::to_string(i)));
    table.AppendShared(table.ShareText(text),
                       {shared.substr(10), "", "", "", shared.substr(0, 10)});
    std::vector<std::size_t> gone;
    Texts expected;
    for (std::size_t row = 1; row <= 3000; row += 2) {
        table.SetCell(row, 4, "D:\\" + std::to_string(row) + "\\");
        gone.push_back(row + 1);
        expected.push_back("D:\\" + std::to_string(row) + "\\" + std::to_string(row - 1));
    }
    expected.push_back(*text);
    table.RemoveRows(gone);
    Texts paths;
    for (std::size_t row = 1; row < table.RowCount(); ++row) paths.push_back(table.FullPath(row));
    EXPECT_EQ(paths, expected);
}

constexpr std::uint32_t kBorder = 0x332211;  // red 0x11, green 0x22, blue 0x33

// Name, a right-aligned size and a path.
ResultTable SmallTable() {
    ResultTable table({{"Name"}, {"Size", Alignment::kRight}, {"Path"}}, 0, 2);
    table.SetRows(
        {{"a&b <\"x\">.txt", "1234", ""},
         {"\xC3\x9Cn\xC3\xAF\x63\xC3\xB8\x64\xC3\xA9.txt", "7", "line1\r\nlonger line2"}});
    return table;
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

// The page is written with the title asked after the table; a failed write shows the
// platform's message and keeps the status.
TEST(ReportWriter, WritesThePageAndTheTextOrSaysWhyNot) {
    FakePlatform fake;
    fake.fs.AddDir("C:\\reports");
    test::RecordingView window;
    ReportWriter writer{fake.fs, fake.prompts, window.runner};
    const ResultTable table = SmallTable();
    EXPECT_FALSE(writer.SaveText(table, "C:\\missing\\scan"));
    EXPECT_THAT(fake.prompts.Errors(), ElementsAre("The system cannot find the path specified."));
    ASSERT_TRUE(writer.SaveHtml(table, "C:\\reports\\scan", kBorder, [] { return "Title"; }));
    EXPECT_EQ(fake.fs.Content("C:\\reports\\scan.html"), HtmlPage(table, kBorder, "Title"));
    EXPECT_EQ(window.status, "Saved C:\\reports\\scan.html");
}

}  // namespace
}  // namespace sorvane
