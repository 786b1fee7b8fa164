#include "WineTestSupport.h"

#include <stdexcept>

#include "win/platform/Utf.h"
#include "win/platform/WinHandles.h"

namespace sorvane::test {

namespace {

std::wstring TempRoot() {
    wchar_t buffer[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
    if (length == 0 || length > MAX_PATH) throw std::runtime_error("no temporary folder");
    return std::wstring(buffer, length);  // ends in a backslash
}

}  // namespace

TempDir::TempDir(const std::string& label) {
    static unsigned counter = 0;
    const std::wstring root = TempRoot();
    for (;;) {
        const std::string name = "sorvane-test-" + label + (label.empty() ? "" : "-") +
                                 std::to_string(GetCurrentProcessId()) + "-" +
                                 std::to_string(++counter);
        const std::wstring wide = root + Widen(name);
        if (CreateDirectoryW(wide.c_str(), nullptr)) {
            path_ = Narrow(wide);
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            throw std::runtime_error("cannot create a temporary directory");
        }
    }
}

TempDir::~TempDir() {
    RemoveTree(path_);
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    UniqueFile file(CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw std::runtime_error("cannot create " + path);
    DWORD written = 0;
    if (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size()) {
        throw std::runtime_error("cannot write " + path);
    }
}

std::string ReadBytes(const std::string& path) {
    UniqueFile file(CreateFileW(Widen(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw std::runtime_error("cannot open " + path);
    std::string bytes;
    char block[4096];
    DWORD got = 0;
    while (ReadFile(file.Get(), block, sizeof block, &got, nullptr) && got > 0) {
        bytes.append(block, got);
    }
    return bytes;
}

bool PathExists(const std::string& path) {
    return GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void MakeDirectory(const std::string& path) {
    if (!CreateDirectoryW(Widen(path).c_str(), nullptr)) {
        throw std::runtime_error("cannot create " + path);
    }
}

void RemoveTree(const std::string& path) {
    const std::wstring wide = Widen(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        DeleteFileW(wide.c_str());
        return;
    }
    WIN32_FIND_DATAW data;
    UniqueFind find(FindFirstFileW((wide + L"\\*").c_str(), &data));
    if (find) {
        do {
            const std::wstring name = data.cFileName;
            if (name != L"." && name != L"..") RemoveTree(path + "\\" + Narrow(name));
        } while (FindNextFileW(find.Get(), &data));
    }
    find.Reset();
    RemoveDirectoryW(wide.c_str());
}

std::string WinePathOfUnix(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

std::string EnvironmentVariable(const std::string& name) {
    const std::wstring wideName = Widen(name);
    const DWORD size = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
    if (size == 0) return {};
    std::wstring value(size, L'\0');
    const DWORD length = GetEnvironmentVariableW(wideName.c_str(), value.data(), size);
    value.resize(length);
    return Narrow(value);
}

}  // namespace sorvane::test
