#pragma once
// Raw access to an INI settings file: the platform's private-profile service
// on Windows. Value conventions live above this, in settings/Settings.h.
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

class ISettingsStore {
  public:
    virtual ~ISettingsStore() = default;
    // The value of `key` in `section`, or `def` when the file, section or key is missing.
    // Sections and keys match without regard to case.
    virtual std::string ReadString(const std::string& path, const std::string& section,
                                   const std::string& key, const std::string& def) = 0;
    // Throws SettingsWriteError when the platform refuses the write.
    virtual void WriteString(const std::string& path, const std::string& section,
                             const std::string& key, const std::string& value) = 0;
    // Removes a section with all its keys. Throws SettingsWriteError when refused.
    virtual void EraseSection(const std::string& path, const std::string& section) = 0;
    // The key names of a section in file order; empty when it is missing.
    virtual std::vector<std::string> ReadKeys(const std::string& path,
                                              const std::string& section) = 0;
};

}  // namespace sorvane
