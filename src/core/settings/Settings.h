#pragma once
// A settings object on one settings file: opened for an access, used and dropped.
// Each write is one change of the file, or part of one while a SettingsBatch is open.
// It applies the value conventions every window shares:
//   Boolean  written "1"/"0", read as an integer (non-zero is true)
//   Integer  decimal; "0x"/"0X" followed by hex digits is hexadecimal; bad text -> default
//   Colour   an integer, blue*65536 + green*256 + red
//   String   unchanged; read cut to its first 1023 characters
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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
    friend class SettingsBatch;
    void Write(SettingsEdit edit);

    ISettingsStore& store_;
    std::string path_;
    std::vector<SettingsEdit>* batch_ = nullptr;  // the open batch's edits, if any
};

// Gathers the writes made through a settings object while it lives, so that one save is one
// change of the file: Commit() makes them land together or not at all, and a save that
// stops early (or is never committed) leaves the file as it was. A batch opened while
// another is open on the same object joins it, and the outer one commits. Reads meanwhile
// see the file as it was before the batch.
class SettingsBatch {
  public:
    explicit SettingsBatch(Settings& settings);
    ~SettingsBatch();
    SettingsBatch(const SettingsBatch&) = delete;
    SettingsBatch& operator=(const SettingsBatch&) = delete;

    // Throws SettingsWriteError when the file cannot be written.
    void Commit();

  private:
    Settings& settings_;
    std::vector<SettingsEdit> edits_;
    bool outer_;
};

}  // namespace sorvane
