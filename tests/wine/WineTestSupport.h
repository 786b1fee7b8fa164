#pragma once
// Helpers shared by the platform tests: scratch directories and raw file access through
// Win32 directly, so that checks do not depend on the code under test.
#include <cstdint>
#include <string>

#include "win/platform/WinApi.h"

namespace sorvane::test {

// A fresh directory under the temporary folder, removed with its contents at the end.
// `label` becomes part of its name, so tests can give it characters of their choice.
class TempDir {
  public:
    explicit TempDir(const std::string& label = "");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    // The path of `name` inside the directory.
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

  private:
    std::string path_;
};

void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
bool PathExists(const std::string& path);
void MakeDirectory(const std::string& path);

// Removes a file or a directory tree, read-only entries included.
void RemoveTree(const std::string& path);

// The Windows path of a Unix path, through drive Z: (the Unix root under Wine).
std::string WinePathOfUnix(const std::string& unixPath);

// A Unix environment variable as Wine passes it through; empty when it is not set.
std::string EnvironmentVariable(const std::string& name);

// Runs the thread's messages until `done` holds or `timeoutMs` has passed; returns `done()`.
// Looks at `done` at least every few milliseconds, also when no message comes.
template <typename Predicate>
bool PumpUntil(Predicate done, std::uint32_t timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!done()) {
        if (GetTickCount64() >= end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return true;
}

}  // namespace sorvane::test
