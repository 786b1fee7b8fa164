#pragma once
// Settings files in memory, one text per path, changed by the engine's own edits of settings
// text, as the platform's store does. Paths, sections and keys match without regard to ASCII
// case.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/utils/AsciiText.h"
#include "core/platform/SettingsStore.h"
#include "core/settings/IniText.h"

namespace sorvane {

class FakeSettingsStore final : public ISettingsStore {
  public:
    void SetFileText(const std::string& path, const std::string& text) {
        files_[UpperAscii(path)] = text;
    }
    // "[Name]" then "key=value" lines per section, blanks around keys and values dropped, a
    // blank line between sections; comments and other lines left out.
    std::string FileText(const std::string& path) const {
        std::string text;
        for (const Section& section : Parse(path)) {
            text += (text.empty() ? "[" : "\n[") + section.name + "]\n";
            for (const auto& [key, value] : section.entries) text += key + "=" + value + "\n";
        }
        return text;
    }
    bool HasFile(const std::string& path) const { return files_.count(UpperAscii(path)) > 0; }
    // Writes and erasures then throw SettingsWriteError.
    void SetReadOnly(const std::string& path) { readOnly_.insert(UpperAscii(path)); }
    // The change holding the n-th edit from now on fails, as on a disk that fills up.
    void FailAtEdit(std::size_t n) { editsToFailure_ = n; }

    std::string ReadString(const std::string& path, const std::string& section,
                           const std::string& key, const std::string& def) override {
        for (const auto& [name, value] : Entries(path, section)) {
            if (SameAsciiName(name, key)) return value;
        }
        return def;
    }
    // Each change is whole: all of its edits land or, when it throws, none.
    void Apply(const std::string& path, const std::vector<SettingsEdit>& edits) override {
        const bool fails = editsToFailure_ > 0 && edits.size() >= editsToFailure_;
        editsToFailure_ -= editsToFailure_ > 0 ? std::min(edits.size(), editsToFailure_) : 0;
        if (fails || readOnly_.count(UpperAscii(path)) > 0) throw SettingsWriteError(path);
        const auto file = files_.find(UpperAscii(path));
        const std::string text =
            ApplySettingsEdits(file == files_.end() ? "" : file->second, edits);
        if (file != files_.end() || !text.empty()) SetFileText(path, text);
    }
    std::vector<std::string> ReadKeys(const std::string& path,
                                      const std::string& section) override {
        std::vector<std::string> keys;
        for (const auto& entry : Entries(path, section)) keys.push_back(entry.first);
        return keys;
    }

  private:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> entries;
    };

    static std::string Trim(const std::string& text) {
        const std::size_t first = text.find_first_not_of(" \t\r");
        if (first == std::string::npos) return {};
        return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
    }
    std::vector<Section> Parse(const std::string& path) const {
        std::vector<Section> sections;
        const auto file = files_.find(UpperAscii(path));
        const std::string text = file == files_.end() ? "" : file->second;
        for (std::size_t pos = 0, end = 0; pos <= text.size(); pos = end + 1) {
            end = std::min(text.find('\n', pos), text.size());
            const std::string line = Trim(text.substr(pos, end - pos));
            const std::size_t equals = line.find('=');
            if (!line.empty() && line.front() == '[' && line.back() == ']') {
                sections.push_back({line.substr(1, line.size() - 2), {}});
            } else if (!sections.empty() && equals != std::string::npos && line.front() != ';') {
                sections.back().entries.emplace_back(Trim(line.substr(0, equals)),
                                                     Trim(line.substr(equals + 1)));
            }
        }
        return sections;
    }
    // The entries of the first section of that name.
    std::vector<std::pair<std::string, std::string>> Entries(const std::string& path,
                                                             const std::string& name) const {
        for (const Section& section : Parse(path)) {
            if (SameAsciiName(section.name, name)) return section.entries;
        }
        return {};
    }

    std::map<std::string, std::string> files_;  // by upper-cased path
    std::set<std::string> readOnly_;
    std::size_t editsToFailure_ = 0;
};

}  // namespace sorvane
