#pragma once
// The current user's registry hive as a map. Keys and value names match without regard to
// ASCII case; keys are only opened, so writes to a key the test did not create fail.
#include <map>
#include <optional>
#include <string>

#include "core/platform/SystemInfo.h"

namespace sorvane {

class FakeRegistry final : public IRegistry {
  public:
    void AddKey(const std::string& key);
    void RemoveKey(const std::string& key);
    // Creates the key when needed.
    void SetValue(const std::string& key, const std::string& name, std::string value);
    // While failing, no key opens: reads give nothing and writes and deletions fail.
    void SetFailing(bool failing) { failing_ = failing; }

    // ---- IRegistry
    bool KeyExists(const std::string& key) override;
    std::optional<std::string> ReadString(const std::string& key, const std::string& name) override;
    bool WriteString(const std::string& key, const std::string& name,
                     const std::string& value) override;
    bool DeleteValue(const std::string& key, const std::string& name) override;

  private:
    using Values = std::map<std::string, std::string>;  // by lower-cased name
    Values* Open(const std::string& key);

    std::map<std::string, Values> keys_;  // by lower-cased key
    bool failing_ = false;
};

}  // namespace sorvane
