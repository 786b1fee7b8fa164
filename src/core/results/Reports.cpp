#include "core/results/Reports.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace sorvane {

namespace {

constexpr char kEol[] = "\r\n";

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Cell texts and the title are text, never markup: a file name may hold any of these.
// A carriage return becomes a break; a line feed stays a line break, ending in CR LF like
// every other line of the file.
void AppendHtmlText(std::string& out, std::string_view text) {
    if (text.empty()) {
        out += "<br>";
        return;
    }
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\r':
                out += "<br>";
                break;
            case '\n':
                out += kEol;
                break;
            default:
                out += c;
        }
    }
}

void AppendAlignment(std::string& out, Alignment alignment, std::string_view text) {
    if (text.empty()) return;
    if (alignment == Alignment::kRight) out += " align=\"right\"";
    if (alignment == Alignment::kCenter) out += " align=\"center\"";
}

void AppendBackground(std::string& out, std::uint32_t color) {
    out += " BGCOLOR=\"";
    out += HtmlColor(color);
    out += '"';
}

void AppendHeaderRow(std::string& out, const ResultTable& table, std::uint32_t headerColor) {
    out += "<tr>\r\n";
    for (std::size_t c = 0; c < table.ColumnCount(); ++c) {
        const std::string_view text = table.CellView(0, c);
        out += "<td nowrap";
        AppendAlignment(out, table.AlignmentOf(0, c), text);
        AppendBackground(out, headerColor);
        out += "><B>";
        AppendHtmlText(out, text);
        out += "</B></td>\r\n";
    }
    out += "</tr>\r\n";
}

void AppendDataRow(std::string& out, const ResultTable& table, std::size_t row) {
    const CellStyle& style = table.Style(row);
    out += "<tr>\r\n";
    for (std::size_t c = 0; c < table.ColumnCount(); ++c) {
        const std::string_view text = table.CellView(row, c);
        out += "<td nowrap";
        AppendAlignment(out, table.AlignmentOf(row, c), text);
        if (style.background) AppendBackground(out, *style.background);
        out += '>';
        if (style.fontColor) out += "<font color=\"" + HtmlColor(*style.fontColor) + "\">";
        if (style.bold) out += "<B>";
        if (style.italic) out += "<I>";
        AppendHtmlText(out, text);
        if (style.italic) out += "</I>";
        if (style.bold) out += "</B>";
        if (style.fontColor) out += "</font>";
        out += "</td>\r\n";
    }
    out += "</tr>\r\n";
}

// "<table border=1>" and every row, without the line that closes the table.
void AppendHtmlRows(std::string& out, const ResultTable& table, std::uint32_t headerColor) {
    out += "<table border=1>\r\n";
    AppendHeaderRow(out, table, headerColor);
    for (std::size_t row = 1; row < table.RowCount(); ++row) AppendDataRow(out, table, row);
}

// Characters, not bytes, so that columns of non-ASCII names line up.
std::size_t CharCount(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

std::size_t LongestLine(std::string_view text) {
    std::size_t longest = 0;
    while (true) {
        const std::size_t end = text.find_first_of("\r\n");
        longest = std::max(longest, CharCount(text.substr(0, end)));
        if (end == std::string_view::npos) return longest;
        text.remove_prefix(end + 1);
    }
}

void AppendField(std::string& out, std::string_view cell, Alignment alignment, std::size_t width) {
    const std::string_view text = cell.substr(0, cell.find_first_of("\r\n"));
    const std::size_t length = CharCount(text);
    std::size_t before = 0;
    std::size_t after = 0;
    if (length < width && alignment == Alignment::kRight) before = width - length;
    if (length < width && alignment == Alignment::kCenter) {
        before = after = (width - length + 1) / 2;
    }
    const std::size_t padded = before + length + after;
    if (padded <= width) after += width - padded + 1;
    out.append(before, ' ');
    out += text;
    out.append(after, ' ');
}

}  // namespace

std::string ReportFileName(const std::string& chosen, const std::string& extension) {
    const bool hasIt =
        chosen.size() >= extension.size() &&
        std::equal(extension.begin(), extension.end(), chosen.end() - extension.size(),
                   [](char a, char b) { return AsciiLower(a) == AsciiLower(b); });
    return hasIt ? chosen : chosen + extension;
}

std::string HtmlColor(std::uint32_t color) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out = "#";
    for (const int shift : {0, 8, 16}) {
        const unsigned byte = (color >> shift) & 0xFF;
        out += kDigits[byte >> 4];
        out += kDigits[byte & 0xF];
    }
    return out;
}

std::string HtmlTablePart(const ResultTable& table, std::uint32_t headerColor) {
    std::string out = kUtf8Bom;
    AppendHtmlRows(out, table, headerColor);
    out += "</table><p>\r\n";
    return out;
}

std::string HtmlPage(const ResultTable& table, std::uint32_t headerColor,
                     const std::string& title) {
    std::string out = kUtf8Bom;
    out += "<HTML>\r\n<HEAD>\r\n<TITLE>";
    if (!title.empty()) AppendHtmlText(out, title);
    out += "</TITLE>\r\n</HEAD>\r\n<BODY>\r\n";
    AppendHtmlRows(out, table, headerColor);
    out += "</table>\r\n</BODY>\r\n</HTML>\r\n";
    return out;
}

std::string FormattedText(const ResultTable& table) {
    std::vector<std::size_t> widths(table.ColumnCount(), 0);
    for (std::size_t row = 0; row < table.RowCount(); ++row) {
        for (std::size_t c = 0; c < widths.size(); ++c) {
            widths[c] = std::max(widths[c], LongestLine(table.CellView(row, c)));
        }
    }
    std::string out = kUtf8Bom;
    for (std::size_t row = 0; row < table.RowCount(); ++row) {
        for (std::size_t c = 0; c < widths.size(); ++c) {
            AppendField(out, table.CellView(row, c), table.AlignmentOf(row, c), widths[c]);
        }
        out += kEol;
    }
    return out;
}

ReportWriter::ReportWriter(IFileSystem& fs, IPrompts& prompts, PassRunner& runner)
    : fs_(fs), prompts_(prompts), runner_(runner) {}

bool ReportWriter::Write(const std::string& path, const std::string& bytes) {
    std::string error;
    if (fs_.WriteFile(path, bytes, error)) return true;
    prompts_.Error(error);
    return false;
}

bool ReportWriter::SaveHtml(const ResultTable& table, const std::string& chosenName,
                            std::uint32_t headerColor,
                            const std::function<std::string()>& askTitle) {
    const std::string path = ReportFileName(chosenName, kHtmlExtension);
    // The table goes to disk before the title is asked for, so a refused file is reported
    // without asking for a title first.
    if (!Write(path, HtmlTablePart(table, headerColor))) return false;
    if (!Write(path, HtmlPage(table, headerColor, askTitle ? askTitle() : std::string()))) {
        return false;
    }
    runner_.SetStatus("Saved " + path);
    return true;
}

bool ReportWriter::SaveText(const ResultTable& table, const std::string& chosenName) {
    const std::string path = ReportFileName(chosenName, kTextExtension);
    std::string error;
    bool written = false;
    const bool ran = runner_.Run(PassRunner::Kind::kAction, [&] {
        written = fs_.WriteFile(path, FormattedText(table), error);
    });
    if (!ran) return false;
    if (!written) {
        prompts_.Error(error);
        return false;
    }
    runner_.SetStatus("Saved " + path);
    return true;
}

}  // namespace sorvane
