#pragma once
// Settings files in memory, one per path. Paths, sections and keys match without regard to
// ASCII case; a new section goes at the end of its file and a new key at the end of its
// section, as the platform's profile service does.
#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "FakeText.h"
#include "core/platform/SettingsStore.h"

namespace sorvane {

class FakeSettingsStore final : public ISettingsStore {
  public:
    // Replaces a file with INI text: "[Section]" and "key=value" lines, blanks around keys
    // and values dropped; other lines are skipped.
    void SetFileText(const std::string& path, const std::string& text) {
        File& file = files_[fake::AsciiUpper(path)];
        file.clear();
        for (std::size_t pos = 0, end = 0; pos <= text.size(); pos = end + 1) {
            end = std::min(text.find('\n', pos), text.size());
            const std::string line = Trim(text.substr(pos, end - pos));
            const std::size_t equals = line.find('=');
            if (!line.empty() && line.front() == '[' && line.back() == ']') {
                file.push_back({line.substr(1, line.size() - 2), {}});
            } else if (!file.empty() && equals != std::string::npos && line.front() != ';') {
                file.back().entries.emplace_back(Trim(line.substr(0, equals)),
                                                 Trim(line.substr(equals + 1)));
            }
        }
    }
    // "[Name]" then "key=value" lines per section, a blank line between sections.
    std::string FileText(const std::string& path) const {
        std::string text;
        const auto file = files_.find(fake::AsciiUpper(path));
        for (const Section& section : file == files_.end() ? File() : file->second) {
            text += text.empty() ? "[" : "\n[";
            text += section.name + "]\n";
            for (const auto& [key, value] : section.entries) text += key + "=" + value + "\n";
        }
        return text;
    }
    bool HasFile(const std::string& path) const { return files_.count(fake::AsciiUpper(path)) > 0; }
    // Writes and erasures then throw SettingsWriteError.
    void SetReadOnly(const std::string& path) { readOnly_.insert(fake::AsciiUpper(path)); }
    // The change holding the n-th edit from now on fails, as on a disk that fills up.
    void FailAtEdit(std::size_t n) { editsToFailure_ = n; }

    std::string ReadString(const std::string& path, const std::string& section,
                           const std::string& key, const std::string& def) override {
        const Entry* entry = FindEntry(FindSection(path, section), key);
        return entry == nullptr ? def : entry->second;
    }
    // Each change is whole: all of its edits land or, when it throws, none.
    void Apply(const std::string& path, const std::vector<SettingsEdit>& edits) override {
        CheckWritable(path);
        const std::string name = fake::AsciiUpper(path);
        const auto old = files_.find(name);
        const bool existed = old != files_.end();
        const File before = existed ? old->second : File();
        for (const SettingsEdit& edit : edits) {
            if (editsToFailure_ > 0 && --editsToFailure_ == 0) {
                files_.erase(name);
                if (existed) files_[name] = before;
                throw SettingsWriteError(path);
            }
            if (edit.key) {
                Set(path, edit.section, *edit.key, edit.value);
            } else if (files_.count(name) > 0) {
                std::erase_if(files_[name], [&](const Section& s) {
                    return fake::EqualsNoCase(s.name, edit.section);
                });
            }
        }
    }
    std::vector<std::string> ReadKeys(const std::string& path,
                                      const std::string& section) override {
        std::vector<std::string> keys;
        if (const Section* found = FindSection(path, section)) {
            for (const auto& entry : found->entries) keys.push_back(entry.first);
        }
        return keys;
    }

  private:
    using Entry = std::pair<std::string, std::string>;
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };
    using File = std::vector<Section>;

    static std::string Trim(const std::string& text) {
        const std::size_t first = text.find_first_not_of(" \t\r");
        if (first == std::string::npos) return {};
        return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
    }
    Section* FindSection(const std::string& path, const std::string& name) {
        const auto file = files_.find(fake::AsciiUpper(path));
        if (file == files_.end()) return nullptr;
        const auto it =
            std::find_if(file->second.begin(), file->second.end(),
                         [&](const Section& s) { return fake::EqualsNoCase(s.name, name); });
        return it == file->second.end() ? nullptr : &*it;
    }
    static Entry* FindEntry(Section* section, const std::string& key) {
        if (section == nullptr) return nullptr;
        const auto it =
            std::find_if(section->entries.begin(), section->entries.end(),
                         [&](const Entry& e) { return fake::EqualsNoCase(e.first, key); });
        return it == section->entries.end() ? nullptr : &*it;
    }
    void Set(const std::string& path, const std::string& section, const std::string& key,
             const std::string& value) {
        Section* found = FindSection(path, section);
        if (found == nullptr)
            found = &files_[fake::AsciiUpper(path)].emplace_back(Section{section, {}});
        Entry* entry = FindEntry(found, key);
        if (entry == nullptr) entry = &found->entries.emplace_back(key, "");
        entry->second = value;
    }
    void CheckWritable(const std::string& path) const {
        if (readOnly_.count(fake::AsciiUpper(path)) > 0) throw SettingsWriteError(path);
    }

    std::map<std::string, File> files_;  // by upper-cased path
    std::set<std::string> readOnly_;
    std::size_t editsToFailure_ = 0;
};

}  // namespace sorvane
