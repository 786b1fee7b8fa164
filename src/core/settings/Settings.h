#pragma once
// A settings object on one settings file: opened for an access, used and dropped.
// It applies the value conventions every window shares:
//   Boolean  written "1"/"0", read as an integer (non-zero is true)
//   Integer  decimal; "0x"/"0X" followed by hex digits is hexadecimal; bad text -> default
//   Colour   an integer, blue*65536 + green*256 + red
//   String   unchanged; read cut to its first 1023 characters
#include <cstdint>
#include <optional>
#include <string>

#include "core/platform/SettingsStore.h"

namespace sorvane {

// Reads an integer setting's text; nullopt when it does not convert.
std::optional<std::int32_t> ParseSettingInteger(const std::string& text);

class Settings {
  public:
    Settings(ISettingsStore& store, std::string path) : store_(store), path_(std::move(path)) {}

    const std::string& Path() const { return path_; }

    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& def) const;
    std::int32_t ReadInteger(const std::string& section, const std::string& key,
                             std::int32_t def) const;
    bool ReadBool(const std::string& section, const std::string& key, bool def) const;

    // Writes throw SettingsWriteError when the file cannot be written.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, std::int32_t value);
    void WriteBool(const std::string& section, const std::string& key, bool value);
    void EraseSection(const std::string& section);

  private:
    ISettingsStore& store_;
    std::string path_;
};

}  // namespace sorvane
