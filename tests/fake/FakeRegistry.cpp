#include "FakeRegistry.h"

#include "FakeText.h"

namespace sorvane {

using fake::AsciiLower;

void FakeRegistry::AddKey(const std::string& key) {
    keys_[AsciiLower(key)];
}

void FakeRegistry::RemoveKey(const std::string& key) {
    keys_.erase(AsciiLower(key));
}

void FakeRegistry::SetValue(const std::string& key, const std::string& name, std::string value) {
    keys_[AsciiLower(key)][AsciiLower(name)] = std::move(value);
}

FakeRegistry::Values* FakeRegistry::Open(const std::string& key) {
    if (failing_) return nullptr;
    const auto it = keys_.find(AsciiLower(key));
    return it == keys_.end() ? nullptr : &it->second;
}

bool FakeRegistry::KeyExists(const std::string& key) {
    return Open(key) != nullptr;
}

std::optional<std::string> FakeRegistry::ReadString(const std::string& key,
                                                    const std::string& name) {
    const Values* values = Open(key);
    if (values == nullptr) return std::nullopt;
    const auto it = values->find(AsciiLower(name));
    if (it == values->end()) return std::nullopt;
    return it->second;
}

bool FakeRegistry::WriteString(const std::string& key, const std::string& name,
                               const std::string& value) {
    Values* values = Open(key);
    if (values == nullptr) return false;
    (*values)[AsciiLower(name)] = value;
    return true;
}

bool FakeRegistry::DeleteValue(const std::string& key, const std::string& name) {
    Values* values = Open(key);
    return values != nullptr && values->erase(AsciiLower(name)) > 0;
}

}  // namespace sorvane
