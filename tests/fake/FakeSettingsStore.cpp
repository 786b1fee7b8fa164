#include "FakeSettingsStore.h"

#include <algorithm>

#include "FakeText.h"

namespace sorvane {

using fake::AsciiUpper;
using fake::EqualsNoCase;

namespace {

constexpr char kBlanks[] = " \t\r";

std::string Trim(const std::string& text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// One lookup for both the reading and the writing side.
template <typename File>
auto FindSection(File& file, const std::string& name) -> decltype(&file.front()) {
    const auto it = std::find_if(file.begin(), file.end(),
                                 [&](const auto& s) { return EqualsNoCase(s.name, name); });
    return it == file.end() ? nullptr : &*it;
}

}  // namespace

const FakeSettingsStore::File* FakeSettingsStore::FindFile(const std::string& path) const {
    const auto it = files_.find(AsciiUpper(path));
    return it == files_.end() ? nullptr : &it->second;
}

void FakeSettingsStore::CheckWritable(const std::string& path) {
    const std::string key = AsciiUpper(path);
    const auto left = writesLeft_.find(key);
    if (left != writesLeft_.end() && left->second-- == 0) {
        writesLeft_.erase(left);
        readOnly_.insert(key);
    }
    if (readOnly_.count(key) > 0) throw SettingsWriteError(path);
}

void FakeSettingsStore::SetFileText(const std::string& path, const std::string& text) {
    File file;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        const std::size_t end = std::min(text.find('\n', pos), text.size());
        const std::string line = Trim(text.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[' && line.back() == ']') {
            file.push_back({line.substr(1, line.size() - 2), {}});
            continue;
        }
        const std::size_t equals = line.find('=');
        if (file.empty() || equals == std::string::npos) continue;
        file.back().entries.push_back(
            {Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))});
    }
    files_[AsciiUpper(path)] = std::move(file);
}

std::string FakeSettingsStore::FileText(const std::string& path) const {
    const File* file = FindFile(path);
    if (file == nullptr) return {};
    std::string text;
    for (const Section& section : *file) {
        if (!text.empty()) text += '\n';
        text += "[" + section.name + "]\n";
        for (const Entry& entry : section.entries) text += entry.key + "=" + entry.value + "\n";
    }
    return text;
}

void FakeSettingsStore::SetReadOnlyAfter(const std::string& path, std::size_t writes) {
    writesLeft_[AsciiUpper(path)] = writes;
}

bool FakeSettingsStore::HasFile(const std::string& path) const {
    return FindFile(path) != nullptr;
}

void FakeSettingsStore::SetReadOnly(const std::string& path, bool readOnly) {
    writesLeft_.erase(AsciiUpper(path));
    if (readOnly) {
        readOnly_.insert(AsciiUpper(path));
    } else {
        readOnly_.erase(AsciiUpper(path));
    }
}

std::string FakeSettingsStore::ReadString(const std::string& path, const std::string& section,
                                          const std::string& key, const std::string& def) {
    const File* file = FindFile(path);
    const Section* found = file == nullptr ? nullptr : FindSection(*file, section);
    if (found == nullptr) return def;
    for (const Entry& entry : found->entries) {
        if (EqualsNoCase(entry.key, key)) return entry.value;
    }
    return def;
}

void FakeSettingsStore::WriteString(const std::string& path, const std::string& section,
                                    const std::string& key, const std::string& value) {
    CheckWritable(path);
    File& file = files_[AsciiUpper(path)];
    Section* found = FindSection(file, section);
    if (found == nullptr) found = &file.emplace_back(Section{section, {}});
    for (Entry& entry : found->entries) {
        if (EqualsNoCase(entry.key, key)) {
            entry.value = value;
            return;
        }
    }
    found->entries.push_back({key, value});
}

void FakeSettingsStore::EraseSection(const std::string& path, const std::string& section) {
    CheckWritable(path);
    const auto it = files_.find(AsciiUpper(path));
    if (it == files_.end()) return;
    std::erase_if(it->second, [&](const Section& s) { return EqualsNoCase(s.name, section); });
}

std::vector<std::string> FakeSettingsStore::ReadKeys(const std::string& path,
                                                     const std::string& section) {
    const File* file = FindFile(path);
    const Section* found = file == nullptr ? nullptr : FindSection(*file, section);
    std::vector<std::string> keys;
    if (found != nullptr) {
        for (const Entry& entry : found->entries) keys.push_back(entry.key);
    }
    return keys;
}

}  // namespace sorvane
