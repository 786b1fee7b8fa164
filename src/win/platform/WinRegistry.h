#pragma once
// String values under HKEY_CURRENT_USER. Keys are opened, never created.
#include "core/platform/SystemInfo.h"

namespace sorvane {

class WinRegistry final : public IRegistry {
  public:
    bool KeyExists(const std::string& key) override;
    std::optional<std::string> ReadString(const std::string& key, const std::string& name) override;
    bool WriteString(const std::string& key, const std::string& name,
                     const std::string& value) override;
    bool DeleteValue(const std::string& key, const std::string& name) override;
};

}  // namespace sorvane
