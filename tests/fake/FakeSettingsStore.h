#pragma once
// Settings files in memory, one per path (paths match without regard to ASCII case).
// Sections and keys match without regard to case and keep the order they were first
// written in; a new section goes at the end of its file and a new key at the end of its
// section, as the platform's profile service does.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/platform/SettingsStore.h"

namespace sorvane {

class FakeSettingsStore final : public ISettingsStore {
  public:
    // Replaces a file with the INI text given: "[Section]" lines and "key=value" lines
    // (blanks around keys and values dropped); blank lines, ';' comments and lines before the
    // first section are skipped.
    void SetFileText(const std::string& path, const std::string& text);
    // The file as text: each section as "[Name]" then "key=value" lines, ending in '\n', with
    // a blank line between sections. Empty for a missing file.
    std::string FileText(const std::string& path) const;
    bool HasFile(const std::string& path) const;
    // Writes and erasures to the file throw SettingsWriteError while it is read-only.
    void SetReadOnly(const std::string& path, bool readOnly = true);
    // The file takes `writes` more writes or erasures, then turns read-only: a disk that
    // fills up in the middle of a save.
    void SetReadOnlyAfter(const std::string& path, std::size_t writes);

    // ---- ISettingsStore
    std::string ReadString(const std::string& path, const std::string& section,
                           const std::string& key, const std::string& def) override;
    void WriteString(const std::string& path, const std::string& section, const std::string& key,
                     const std::string& value) override;
    void EraseSection(const std::string& path, const std::string& section) override;
    std::vector<std::string> ReadKeys(const std::string& path, const std::string& section) override;

  private:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };
    using File = std::vector<Section>;

    const File* FindFile(const std::string& path) const;
    // Throws SettingsWriteError when the file takes no more writes.
    void CheckWritable(const std::string& path);

    std::map<std::string, File> files_;  // by upper-cased path
    std::set<std::string> readOnly_;
    std::map<std::string, std::size_t> writesLeft_;  // by upper-cased path
};

}  // namespace sorvane
