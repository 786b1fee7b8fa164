#pragma once
// The settings file: read through the platform's private-profile service, changed by writing
// the whole new text beside the file and putting it in the file's place in one step, so that
// a full disk, a removed stick or a crash leaves either the old file or the new one.
//
// A file this store creates starts with a UTF-16LE byte-order mark, which makes the service
// read it as UTF-16: values and paths with characters outside the ANSI code page survive.
// Files that already exist keep their encoding (UTF-16LE, UTF-8 with its mark, or ANSI).
#include "core/platform/SettingsStore.h"

namespace sorvane {

class WinSettingsStore final : public ISettingsStore {
  public:
    std::string ReadString(const std::string& path, const std::string& section,
                           const std::string& key, const std::string& def) override;
    void Apply(const std::string& path, const std::vector<SettingsEdit>& edits) override;
    std::vector<std::string> ReadKeys(const std::string& path, const std::string& section) override;
};

}  // namespace sorvane
