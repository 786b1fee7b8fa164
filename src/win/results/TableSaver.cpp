#include "win/results/TableSaver.h"

namespace sorvane {

namespace {
constexpr char kFilter[] = "HTML Files(*.html)|*.html|Text Files(*.txt)|*.txt";
constexpr int kHtmlFilter = 1;
constexpr int kTextFilter = 2;
}  // namespace

TableSaver::TableSaver(HWND owner, Platform& platform, PassRunner& runner)
    : writer_(platform.fs, platform.prompts, runner), winChooser_(owner), winInputBox_(owner) {}

std::optional<std::string> TableSaver::ChooseName(int filterIndex) {
    const std::optional<SaveChoice> choice = chooser_->Save({kFilter, filterIndex, {}});
    if (!choice || choice->path.empty()) return std::nullopt;
    return choice->path;
}

void TableSaver::SaveHtml(const ResultTable& table) {
    const std::optional<std::string> name = ChooseName(kHtmlFilter);
    if (!name) return;
    writer_.SaveHtml(
        table, *name, static_cast<std::uint32_t>(GetSysColor(COLOR_ACTIVEBORDER)), [this] {
            return inputBox_
                ->Ask("Saving Table Contents", "Enter a title for the HTML page (optional)", "")
                .value_or(std::string());
        });
}

void TableSaver::SaveText(const ResultTable& table) {
    const std::optional<std::string> name = ChooseName(kTextFilter);
    if (!name) return;
    writer_.SaveText(table, *name);
}

}  // namespace sorvane
