#pragma once
// A file system that hands every request to another one: the benchmarks override only the
// requests they count or time.
#include <memory>
#include <optional>
#include <string>

#include "core/platform/FileSystem.h"

namespace bench {

class ForwardingFileSystem : public sorvane::IFileSystem {
  public:
    explicit ForwardingFileSystem(sorvane::IFileSystem& inner) : inner_(inner) {}

    std::unique_ptr<sorvane::IFindHandle> FindFirst(const std::string& pattern,
                                                    sorvane::FindData& first) override {
        return inner_.FindFirst(pattern, first);
    }
    sorvane::Lookup Look(const std::string& path) override { return inner_.Look(path); }
    bool SetAttributes(const std::string& path, std::uint32_t attributes) override {
        return inner_.SetAttributes(path, attributes);
    }
    bool RemoveFile(const std::string& path) override { return inner_.RemoveFile(path); }
    bool RemoveDir(const std::string& path) override { return inner_.RemoveDir(path); }
    bool MakeDir(const std::string& path) override { return inner_.MakeDir(path); }
    std::unique_ptr<sorvane::IFileReader> OpenRead(const std::string& path) override {
        return inner_.OpenRead(path);
    }
    std::optional<sorvane::FileIdentity> Identity(const std::string& path) override {
        return inner_.Identity(path);
    }
    bool WriteFile(const std::string& path, const std::string& bytes, std::string& error) override {
        return inner_.WriteFile(path, bytes, error);
    }
    bool AppendFile(const std::string& path, const std::string& bytes,
                    std::string& error) override {
        return inner_.AppendFile(path, bytes, error);
    }
    bool ReplaceContents(const std::string& path, const std::string& bytes,
                         std::string& error) override {
        return inner_.ReplaceContents(path, bytes, error);
    }
    bool CanCreateFilesIn(const std::string& dir) override { return inner_.CanCreateFilesIn(dir); }
    std::string FullPath(const std::string& path) override { return inner_.FullPath(path); }
    std::optional<sorvane::FileTime> ToLocalTime(sorvane::FileTime utc) override {
        return inner_.ToLocalTime(utc);
    }

  protected:
    sorvane::IFileSystem& inner_;
};

}  // namespace bench
