#pragma once
// The settings file through the platform's private-profile service.
//
// A file this store creates starts with a UTF-16LE byte-order mark, which makes the service
// keep it in UTF-16: values and paths with characters outside the ANSI code page survive.
// Files that already exist are left in whatever encoding they have.
#include "core/platform/SettingsStore.h"

namespace sorvane {

class WinSettingsStore final : public ISettingsStore {
  public:
    std::string ReadString(const std::string& path, const std::string& section,
                           const std::string& key, const std::string& def) override;
    void WriteString(const std::string& path, const std::string& section, const std::string& key,
                     const std::string& value) override;
    void EraseSection(const std::string& path, const std::string& section) override;
    std::vector<std::string> ReadKeys(const std::string& path, const std::string& section) override;
};

}  // namespace sorvane
