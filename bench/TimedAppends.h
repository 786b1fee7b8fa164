#pragma once
// A file system that hands every request to another one and adds up the time its appends
// take: how much of a clean the history's own writes are.
#include <chrono>
#include <memory>
#include <string>

#include "core/platform/FileSystem.h"

namespace bench {

class TimedAppends final : public sorvane::IFileSystem {
  public:
    explicit TimedAppends(sorvane::IFileSystem& inner) : inner_(inner) {}

    double AppendSeconds() const { return seconds_; }
    std::size_t Appends() const { return appends_; }

    bool AppendFile(const std::string& path, const std::string& bytes,
                    std::string& error) override {
        const auto start = std::chrono::steady_clock::now();
        const bool done = inner_.AppendFile(path, bytes, error);
        seconds_ += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        ++appends_;
        return done;
    }

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
    bool ReplaceContents(const std::string& path, const std::string& bytes,
                         std::string& error) override {
        return inner_.ReplaceContents(path, bytes, error);
    }
    bool CanCreateFilesIn(const std::string& directory) override {
        return inner_.CanCreateFilesIn(directory);
    }
    std::string FullPath(const std::string& path) override { return inner_.FullPath(path); }
    std::optional<sorvane::FileTime> ToLocalTime(sorvane::FileTime utc) override {
        return inner_.ToLocalTime(utc);
    }

  private:
    sorvane::IFileSystem& inner_;
    double seconds_ = 0;
    std::size_t appends_ = 0;
};

}  // namespace bench
