#pragma once
// Raw access to an INI settings file: the platform's private-profile service
// on Windows. Value conventions live above this, in settings/Settings.h.
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace sorvane {

// A write to the settings file that the platform refused. The message is the one the
// user sees: "Unable to write to " followed by the file's path.
class SettingsWriteError : public std::runtime_error {
  public:
    explicit SettingsWriteError(const std::string& path)
        : std::runtime_error("Unable to write to " + path), path_(path) {}
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

// One change to a settings file: a key set to a value, or, without a key, a whole section
// removed with all its keys.
struct SettingsEdit {
    std::string section;
    std::optional<std::string> key;
    std::string value;
    friend bool operator==(const SettingsEdit&, const SettingsEdit&) = default;
};

class ISettingsStore {
  public:
    virtual ~ISettingsStore() = default;
    // The value of `key` in `section`, or `def` when the file, section or key is missing.
    // Sections and keys match without regard to case.
    virtual std::string ReadString(const std::string& path, const std::string& section,
                                   const std::string& key, const std::string& def) = 0;
    // Makes the edits, in order, as one change of the file: either all of them land or the
    // file stays exactly as it was (a full disk or a crash cannot cut it short). The file
    // and its folder come into being with the first key written; erasing from a missing
    // file leaves it missing. Throws SettingsWriteError when the change cannot be made.
    virtual void Apply(const std::string& path, const std::vector<SettingsEdit>& edits) = 0;
    // The key names of a section in file order; empty when it is missing.
    virtual std::vector<std::string> ReadKeys(const std::string& path,
                                              const std::string& section) = 0;
};

}  // namespace sorvane
