#pragma once
// The current user's registry hive as a map. Keys and value names match without regard to
// ASCII case; keys are only opened, so writes to a key the test did not create fail.
#include <map>
#include <optional>
#include <string>

#include "FakeText.h"
#include "core/platform/SystemInfo.h"

namespace sorvane {

class FakeRegistry final : public IRegistry {
  public:
    void AddKey(const std::string& key) { keys_[LowerAscii(key)]; }
    // Creates the key when needed.
    void SetValue(const std::string& key, const std::string& name, std::string value) {
        keys_[LowerAscii(key)][LowerAscii(name)] = std::move(value);
    }

    bool KeyExists(const std::string& key) override { return Open(key) != nullptr; }
    std::optional<std::string> ReadString(const std::string& key,
                                          const std::string& name) override {
        const Values* values = Open(key);
        const std::string lower = LowerAscii(name);
        if (values == nullptr || values->count(lower) == 0) return std::nullopt;
        return values->at(lower);
    }
    bool WriteString(const std::string& key, const std::string& name,
                     const std::string& value) override {
        Values* values = Open(key);
        if (values != nullptr) (*values)[LowerAscii(name)] = value;
        return values != nullptr;
    }
    bool DeleteValue(const std::string& key, const std::string& name) override {
        Values* values = Open(key);
        return values != nullptr && values->erase(LowerAscii(name)) > 0;
    }

  private:
    using Values = std::map<std::string, std::string>;  // by lower-cased name
    Values* Open(const std::string& key) {
        const auto it = keys_.find(LowerAscii(key));
        return it == keys_.end() ? nullptr : &it->second;
    }

    std::map<std::string, Values> keys_;  // by lower-cased key
};

}  // namespace sorvane
