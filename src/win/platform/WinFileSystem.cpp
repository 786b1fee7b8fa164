#include "platform/WinFileSystem.h"

#include <algorithm>

#include "platform/Utf.h"
#include "platform/WinApi.h"
#include "platform/WinHandles.h"

namespace sorvane {

namespace {

std::uint64_t Join(DWORD high, DWORD low) {
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

FileTime ToFileTime(const FILETIME& ft) {
    return {Join(ft.dwHighDateTime, ft.dwLowDateTime)};
}

FILETIME ToFiletime(FileTime t) {
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(t.ticks & 0xFFFFFFFFu);
    ft.dwHighDateTime = static_cast<DWORD>(t.ticks >> 32);
    return ft;
}

void Convert(const WIN32_FIND_DATAW& in, FindData& out) {
    out.name = Narrow(in.cFileName);
    out.attributes = in.dwFileAttributes;
    out.size = Join(in.nFileSizeHigh, in.nFileSizeLow);
    out.creationTime = ToFileTime(in.ftCreationTime);
    out.lastAccessTime = ToFileTime(in.ftLastAccessTime);
    out.lastWriteTime = ToFileTime(in.ftLastWriteTime);
}

class WinFindHandle final : public IFindHandle {
  public:
    explicit WinFindHandle(UniqueFind find) : find_(std::move(find)) {}

    bool Next(FindData& out) override {
        WIN32_FIND_DATAW data;
        if (!FindNextFileW(find_.Get(), &data)) return false;
        Convert(data, out);
        return true;
    }

  private:
    UniqueFind find_;
};

class WinFileReader final : public IFileReader {
  public:
    explicit WinFileReader(UniqueFile file) : file_(std::move(file)) {}

    std::optional<std::size_t> Read(void* buffer, std::size_t count) override {
        // ReadFile takes a 32-bit count; a shorter read is allowed by the contract.
        const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(count, 0x7FFFFFFF));
        DWORD got = 0;
        if (!ReadFile(file_.Get(), buffer, wanted, &got, nullptr)) return std::nullopt;
        return got;
    }

  private:
    UniqueFile file_;
};

}  // namespace

std::unique_ptr<IFindHandle> WinFileSystem::FindFirst(const std::string& pattern, FindData& first) {
    WIN32_FIND_DATAW data;
    UniqueFind find(FindFirstFileW(Widen(pattern).c_str(), &data));
    if (!find) return nullptr;
    Convert(data, first);
    return std::make_unique<WinFindHandle>(std::move(find));
}

std::optional<std::uint32_t> WinFileSystem::Attributes(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return attributes;
}

bool WinFileSystem::SetAttributes(const std::string& path, std::uint32_t attributes) {
    return SetFileAttributesW(Widen(path).c_str(), attributes) != FALSE;
}

bool WinFileSystem::RemoveFile(const std::string& path) {
    return DeleteFileW(Widen(path).c_str()) != FALSE;
}

bool WinFileSystem::RemoveDir(const std::string& path) {
    return RemoveDirectoryW(Widen(path).c_str()) != FALSE;
}

bool WinFileSystem::MakeDir(const std::string& path) {
    return CreateDirectoryW(Widen(path).c_str(), nullptr) != FALSE;
}

std::unique_ptr<IFileReader> WinFileSystem::OpenRead(const std::string& path) {
    // Others may keep the file open for writing or deleting: a scan must not fail on that.
    UniqueFile file(CreateFileW(Widen(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return nullptr;
    return std::make_unique<WinFileReader>(std::move(file));
}

std::optional<FileTime> WinFileSystem::ToLocalTime(FileTime utc) {
    const FILETIME in = ToFiletime(utc);
    FILETIME out;
    if (!FileTimeToLocalFileTime(&in, &out)) return std::nullopt;
    return ToFileTime(out);
}

}  // namespace sorvane
