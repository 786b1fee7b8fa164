#include "core/settings/IniText.h"

#include <optional>

namespace sorvane {

namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kNewLine = "\r\n";

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// One line of the file: [start, end) is its text without the line break, `next` where the
// following line starts.
struct Line {
    std::size_t start = 0;
    std::size_t end = 0;
    std::size_t next = 0;
};

std::vector<Line> SplitLines(const std::string& text) {
    std::vector<Line> lines;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t feed = text.find('\n', pos);
        const std::size_t next = feed == std::string::npos ? text.size() : feed + 1;
        std::size_t end = feed == std::string::npos ? text.size() : feed;
        if (end > pos && text[end - 1] == '\r') --end;
        lines.push_back({pos, end, next});
        pos = next;
    }
    return lines;
}

std::string_view Content(const std::string& text, const Line& line) {
    return Trim(std::string_view(text).substr(line.start, line.end - line.start));
}

// The name in a "[name]" line, up to its last bracket as the profile service reads it.
std::optional<std::string_view> SectionName(std::string_view content) {
    if (content.empty() || content.front() != '[') return std::nullopt;
    const std::size_t close = content.rfind(']');
    if (close == std::string_view::npos) return std::nullopt;
    return Trim(content.substr(1, close - 1));
}

// The key of a line in a section: the text before its "=", or the whole line when it has
// none. Blank lines and ";" comments hold no key.
std::optional<std::string_view> KeyName(std::string_view content) {
    if (content.empty() || content.front() == ';') return std::nullopt;
    return Trim(content.substr(0, content.find('=')));
}

struct SectionSpan {
    std::size_t header = 0;  // index of the "[name]" line
    std::size_t end = 0;     // index of the next header line, or the line count
};

std::optional<SectionSpan> FindSection(const std::string& text, const std::vector<Line>& lines,
                                       std::string_view name, const SameSettingsName& same) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto found = SectionName(Content(text, lines[i]));
        if (!found || !same(*found, name)) continue;
        std::size_t end = i + 1;
        while (end < lines.size() && !SectionName(Content(text, lines[end]))) ++end;
        return SectionSpan{i, end};
    }
    return std::nullopt;
}

// The place where text can be added after `line`, with the line break it lacks at the very
// end of a file.
std::size_t OpenAfter(std::string& text, const Line& line) {
    if (line.next > line.end) return line.next;
    text.insert(line.end, kNewLine);
    return line.end + kNewLine.size();
}

void SetKey(std::string& text, const SettingsEdit& edit, const SameSettingsName& same) {
    const std::string entry = *edit.key + "=" + edit.value;
    const std::vector<Line> lines = SplitLines(text);
    const auto section = FindSection(text, lines, edit.section, same);
    if (!section) {
        if (!text.empty() && text.back() != '\n') text += kNewLine;
        text += "[" + edit.section + "]" + std::string(kNewLine) + entry + std::string(kNewLine);
        return;
    }
    std::size_t last = section->header;
    for (std::size_t i = section->header + 1; i < section->end; ++i) {
        const std::string_view content = Content(text, lines[i]);
        if (!content.empty()) last = i;
        const auto key = KeyName(content);
        if (key && same(*key, *edit.key)) {
            // The name keeps the spelling the file gave it.
            const auto start = static_cast<std::size_t>(content.data() - text.data());
            text.replace(start, lines[i].end - start, std::string(*key) + "=" + edit.value);
            return;
        }
    }
    text.insert(OpenAfter(text, lines[last]), entry + std::string(kNewLine));
}

void EraseSection(std::string& text, const SettingsEdit& edit, const SameSettingsName& same) {
    const std::vector<Line> lines = SplitLines(text);
    const auto section = FindSection(text, lines, edit.section, same);
    if (!section) return;
    const std::size_t from = lines[section->header].start;
    const std::size_t to = section->end < lines.size() ? lines[section->end].start : text.size();
    text.erase(from, to - from);
}

}  // namespace

bool SameAsciiName(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

std::string ApplySettingsEdits(std::string text, const std::vector<SettingsEdit>& edits,
                               const SameSettingsName& same) {
    for (const SettingsEdit& edit : edits) {
        if (edit.key) {
            SetKey(text, edit, same);
        } else {
            EraseSection(text, edit, same);
        }
    }
    return text;
}

}  // namespace sorvane
