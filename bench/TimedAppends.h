#pragma once
// A file system that adds up the time its appends take: how much of a clean the history's own
// writes are.
#include <chrono>
#include <string>

#include "ForwardingFileSystem.h"

namespace bench {

class TimedAppends final : public ForwardingFileSystem {
  public:
    using ForwardingFileSystem::ForwardingFileSystem;

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

  private:
    double seconds_ = 0;
    std::size_t appends_ = 0;
};

}  // namespace bench
