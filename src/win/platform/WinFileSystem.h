#pragma once
// The file system through the Win32 file APIs.
#include <string>

#include "core/platform/FileSystem.h"

namespace sorvane {

// Looks `path` up: "file not found" and "path not found" alone say it is not there.
Lookup LookAt(const std::wstring& path);

class WinFileSystem final : public IFileSystem {
  public:
    std::unique_ptr<IFindHandle> FindFirst(const std::string& pattern, FindData& first) override;
    Lookup Look(const std::string& path) override;
    bool SetAttributes(const std::string& path, std::uint32_t attributes) override;
    bool RemoveFile(const std::string& path) override;
    bool RemoveDir(const std::string& path) override;
    bool MakeDir(const std::string& path) override;
    std::unique_ptr<IFileReader> OpenRead(const std::string& path) override;
    std::optional<FileIdentity> Identity(const std::string& path) override;
    bool WriteFile(const std::string& path, const std::string& bytes, std::string& error) override;
    bool AppendFile(const std::string& path, const std::string& bytes,
                    std::string& error) override;
    bool ReplaceContents(const std::string& path, const std::string& bytes,
                     std::string& error) override;
    bool CanCreateFilesIn(const std::string& directory) override;
    std::string FullPath(const std::string& path) override;
    std::optional<FileTime> ToLocalTime(FileTime utc) override;
};

}  // namespace sorvane
