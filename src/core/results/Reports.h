#pragma once
// The two reports of a result table: an HTML page and a text file with the table in aligned
// columns. Both are UTF-8 with a byte-order mark, so every character of a file name survives,
// and every line ends in CR LF.
#include <cstdint>
#include <functional>
#include <string>

#include "core/platform/FileSystem.h"
#include "core/platform/Prompts.h"
#include "core/app/PassRunner.h"
#include "core/results/ResultTable.h"

namespace sorvane {

inline constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";
inline constexpr char kHtmlExtension[] = ".html";
inline constexpr char kTextExtension[] = ".txt";

// The save dialog's name with `extension` added, unless it ends with it already (in any case).
std::string ReportFileName(const std::string& chosen, const std::string& extension);

// "#" and the red, green and blue of a colour (blue * 65536 + green * 256 + red) in upper-case
// hexadecimal.
std::string HtmlColor(std::uint32_t color);

// Each of the three below gives a file's bytes, the byte-order mark first.

// The file as it stands before the title is known: "<table border=1>" to "</table><p>".
// `headerColor` is the system colour the header cells are painted with.
std::string HtmlTablePart(const ResultTable& table, std::uint32_t headerColor);
// The finished page around the table.
std::string HtmlPage(const ResultTable& table, std::uint32_t headerColor, const std::string& title);
// Every row, the header first, in columns one blank wider than their longest text.
std::string FormattedText(const ResultTable& table);

// The Save menu's two commands, once the window's save dialog has given a name.
class ReportWriter {
  public:
    ReportWriter(IFileSystem& fs, IPrompts& prompts, PassRunner& runner);

    // "As HTML File": writes the table, asks `askTitle` for the page title (Cancel gives an
    // empty one), then writes the page. `headerColor` is the system colour of the active window
    // border now. False, with the platform's error shown, when a write fails.
    bool SaveHtml(const ResultTable& table, const std::string& chosenName,
                  std::uint32_t headerColor, const std::function<std::string()>& askTitle);
    // "As Formatted Text File".
    bool SaveText(const ResultTable& table, const std::string& chosenName);

  private:
    bool Write(const std::string& path, const std::string& bytes);

    IFileSystem& fs_;
    IPrompts& prompts_;
    PassRunner& runner_;
};

}  // namespace sorvane
