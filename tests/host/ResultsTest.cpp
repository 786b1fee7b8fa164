// The result table model and the HTML and text reports, byte for byte.
#include "TestSupport.h"
#include "core/results/Reports.h"

namespace sorvane {
namespace {

using test::Column;
using test::FileRow;

TEST(ResultTable, RemovingRowsKeepsOrderMarksAndStylesAndTheSelectedNumber) {
    ResultTable table = MakeCleanTable();
    for (const char* name : {"a", "b", "c", "d", "e"}) table.AppendRow(FileRow("C:\\", name));
    const CellStyle aqua{0xFFFF00, 0, false, false};
    table.SetStyle(4, aqua);
    table.SetChecked(5, true);
    table.SelectRow(4);
    table.RemoveRows({3, 1, 99, 0, 3});
    EXPECT_THAT(Column(table, 0), ElementsAre("b", "d", "e"));
    EXPECT_EQ(std::tuple(table.Style(1), table.Style(2)), std::tuple(CellStyle{}, aqua));
    EXPECT_TRUE(table.Checked(3));
    EXPECT_EQ(table.SelectedRow(), 0u);  // row 4 is gone
    table.SelectRow(1);
    table.RemoveRow(3);
    table.RemoveRow(1);
    table.RemoveRow(1);
    EXPECT_EQ(table.SelectedRow(), 1u);  // the blank row
    EXPECT_TRUE(table.Empty());
    EXPECT_FALSE(table.Checked(1));
}

TEST(ResultTable, CellsAndRowsBuiltAsideReplaceTheShownOnesAtOnce) {
    ResultTable shown = MakeCleanTable();
    shown.SetRows({FileRow("C:\\a\\", "x.txt"), FileRow("C:\\", "b"), {"short"}});
    shown.SetCell(1, 6, std::string("Text\0Doc", 8));
    shown.SetCell(3, 4, "D:\\");
    EXPECT_EQ(std::tuple(shown.Cell(1, 6), shown.FullPath(3)),
              std::tuple(std::string("Text\0Doc", 8), "D:\\short"));
    // Two copies taken in one expression stay apart.
    EXPECT_NE(shown.Cell(1, 2), shown.Cell(1, 3));
    shown.SetStyle(2, {std::nullopt, 0, true, false});
    shown.SelectRow(3);

    ResultTable aside = MakeCleanTable();
    aside.AppendCells({"x.txt", "7", "", "", "D:\\"});  // missing cells are empty
    aside.AppendCells({"y.txt", "8", "m", "a", "E:\\", "A", "Type", "beyond the last column"});
    shown.TakeRows(aside);
    EXPECT_THAT(Column(shown, 0), ElementsAre("x.txt", "y.txt"));
    EXPECT_EQ(std::tuple(shown.FullPath(1), shown.Cell(2, 6)), std::tuple("D:\\x.txt", "Type"));
    EXPECT_EQ(shown.Style(2), CellStyle{});
    EXPECT_EQ(shown.SelectedRow(), 0u);  // row 3 is gone
    EXPECT_TRUE(aside.Empty());
    ResultTable narrow({{"Name"}, {"Path"}}, 0, 1);
    EXPECT_THROW(shown.TakeRows(narrow), std::invalid_argument);
    // A single row without a name counts as no result, whatever else it holds.
    shown.SetRows({{"", "7"}});
    EXPECT_TRUE(shown.Empty());
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

TEST(Reports, ColouredCellsCarryTheirColoursAndStylesAndAnEmptyTableABlankRow) {
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

    const ResultTable empty = MakeCleanTable();
    EXPECT_THAT(HtmlTablePart(empty, kBorder),
                HasSubstr("<tr>\r\n<td nowrap><br></td>\r\n<td nowrap><br></td>\r\n"));
    EXPECT_EQ(FormattedText(empty),
              "\xEF\xBB\xBFName Size Last Modified Last Accessed Path Attributes Type \r\n" +
                  std::string(59, ' ') + "\r\n");
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

// The page is written with the title asked after the table; a failed write shows the
// platform's message and keeps the status.
TEST(ReportWriter, WritesThePageAndTheTextOrSaysWhyNot) {
    FakePlatform fake;
    fake.fs.AddDir("C:\\reports");
    test::RecordingView window;
    ReportWriter writer{fake.fs, fake.prompts, window.runner};
    const ResultTable table = SmallTable();
    std::string onDiskWhenAsked;
    EXPECT_FALSE(writer.SaveHtml(table, "C:\\missing\\scan", kBorder, [&] {
        onDiskWhenAsked = "asked";
        return std::string();
    }));
    fake.fs.AddFile("C:\\reports\\locked.txt");
    fake.fs.Lock("C:\\reports\\locked.txt");
    EXPECT_FALSE(writer.SaveText(table, "C:\\reports\\locked"));
    EXPECT_THAT(fake.prompts.Errors(),
                ElementsAre("The system cannot find the path specified.",
                            "The process cannot access the file because it is being used by "
                            "another process."));
    EXPECT_EQ(window.status, "Ready...");

    ASSERT_TRUE(writer.SaveHtml(table, "C:\\reports\\scan", kBorder, [&] {
        onDiskWhenAsked += Content(fake.fs, "C:\\reports\\scan.html");
        return std::string("Title");
    }));
    EXPECT_EQ(onDiskWhenAsked, HtmlTablePart(table, kBorder));  // not asked for the missing dir
    EXPECT_EQ(Content(fake.fs, "C:\\reports\\scan.html"), HtmlPage(table, kBorder, "Title"));
    EXPECT_EQ(window.status, "Saved C:\\reports\\scan.html");
    ASSERT_TRUE(writer.SaveText(table, "C:\\reports\\scan.TXT"));
    EXPECT_EQ(Content(fake.fs, "C:\\reports\\scan.TXT"), FormattedText(table));
}

}  // namespace
}  // namespace sorvane
