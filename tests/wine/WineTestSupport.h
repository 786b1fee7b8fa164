#pragma once
// The platform's Win32 services, scratch directories, and raw file access through Win32
// directly, so that checks do not depend on the code under test.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "win/platform/Utf.h"
#include "win/platform/WinHandles.h"
#include "win/platform/WinPlatform.h"

namespace sorvane::test {

// A name no earlier run used, also for files that go to the shared trash.
inline std::string UniqueName(const std::string& stem) {
    static unsigned counter = 0;
    return stem + "-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(GetTickCount64()) + "-" + std::to_string(++counter);
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(std::filesystem::path(Widen(path)), std::ios::binary);
    if (!(out << bytes).flush()) throw std::runtime_error("cannot write " + path);
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(std::filesystem::path(Widen(path)), std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "(cannot open " + path + ")";
}

inline bool PathExists(const std::string& path) {
    return GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Removes a file or a directory tree, read-only entries included.
inline void RemoveTree(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    for (fs::recursive_directory_iterator it(Widen(path), error), end; !error && it != end;
         it.increment(error)) {
        SetFileAttributesW(it->path().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    SetFileAttributesW(Widen(path).c_str(), FILE_ATTRIBUTE_NORMAL);
    fs::remove_all(Widen(path), error);
}

// An environment variable as Wine passes it through; empty when it is not set.
inline std::string EnvironmentVariable(const std::string& name) {
    const wchar_t* value = _wgetenv(Widen(name).c_str());
    return value ? Narrow(value) : std::string();
}

// A fresh directory under %TEMP%, removed with its contents at the end.
class TempDir {
  public:
    explicit TempDir(const std::string& label = "")
        : path_(EnvironmentVariable("TEMP") + "\\" + UniqueName("sorvane-test-" + label)) {
        if (!CreateDirectoryW(Widen(path_).c_str(), nullptr)) throw std::runtime_error(path_);
    }
    ~TempDir() { RemoveTree(path_); }
    TempDir(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

  private:
    const std::string path_;
};

// Where Wine's recycle bin puts files ($XDG_DATA_HOME/Trash/files as a Windows path, ending in a
// backslash); empty without XDG_DATA_HOME, when a test would recycle into the user's own bin.
inline std::string TrashFiles() {
    std::string trash = EnvironmentVariable("XDG_DATA_HOME");
    std::replace(trash.begin(), trash.end(), '/', '\\');
    return trash.empty() ? trash : "Z:" + trash + "\\Trash\\files\\";
}

// Runs the thread's messages until `done` holds or `timeoutMs` has passed; returns `done()`.
template <typename Predicate>
bool PumpUntil(Predicate done, std::uint32_t timeoutMs) {
    for (const ULONGLONG end = GetTickCount64() + timeoutMs; !done();) {
        if (GetTickCount64() >= end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&msg);
    }
    return true;
}

}  // namespace sorvane::test
