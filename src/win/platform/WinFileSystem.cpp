#include "win/platform/WinFileSystem.h"

#include <algorithm>

#include "win/platform/Utf.h"
#include "win/platform/WholeFile.h"
#include "win/platform/WinApi.h"
#include "win/platform/WinHandles.h"

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

// The file-id query of Windows 8 and later, which the Windows 7 headers leave out. It asks
// less than GetFileInformationByHandle, whose volume query is slow on some file systems.
struct FileIds {
    ULONGLONG volume;
    std::uint64_t id[2];
};
constexpr auto kFileIdInfo = static_cast<FILE_INFO_BY_HANDLE_CLASS>(18);

std::optional<FileIdentity> IdentityOf(HANDLE file) {
    FileIds ids{};
    if (GetFileInformationByHandleEx(file, kFileIdInfo, &ids, sizeof ids)) {
        return FileIdentity{ids.volume, ids.id[0], ids.id[1]};
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(file, &info)) return std::nullopt;
    return FileIdentity{info.dwVolumeSerialNumber, Join(info.nFileIndexHigh, info.nFileIndexLow)};
}

class WinFileReader final : public IFileReader {
  public:
    explicit WinFileReader(UniqueFile file) : file_(std::move(file)) {}

    bool Seek(std::uint64_t offset) override {
        LARGE_INTEGER to;
        to.QuadPart = static_cast<LONGLONG>(offset);
        return SetFilePointerEx(file_.Get(), to, nullptr, FILE_BEGIN) != FALSE;
    }

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

// The platform's text for an error code, without the line break it ends with.
std::string ErrorText(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer != nullptr ? buffer : L"", length);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
        text.pop_back();
    }
    if (text.empty()) return "Error " + std::to_string(code) + ".";
    return Narrow(text);
}

}  // namespace

std::unique_ptr<IFindHandle> WinFileSystem::FindFirst(const std::string& pattern, FindData& first) {
    WIN32_FIND_DATAW data;
    UniqueFind find(FindFirstFileW(Widen(pattern).c_str(), &data));
    if (!find) return nullptr;
    Convert(data, first);
    return std::make_unique<WinFindHandle>(std::move(find));
}

Lookup LookAt(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExW(Reachable(path).c_str(), GetFileExInfoStandard, &data)) {
        return {Presence::kFound, data.dwFileAttributes,
                Join(data.nFileSizeHigh, data.nFileSizeLow)};
    }
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
        return {Presence::kNotFound};
    }
    return {Presence::kCannotTell};
}

Lookup WinFileSystem::Look(const std::string& path) {
    return LookAt(Widen(path));
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

std::optional<FileIdentity> WinFileSystem::Identity(const std::string& path) {
    // No access asked: attributes only, so neither sharing nor permissions stand in the way;
    // backup semantics let directories open too.
    UniqueFile file(CreateFileW(Widen(path).c_str(), 0,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file) return std::nullopt;
    return IdentityOf(file.Get());
}

namespace {

// Windows refuses to replace a read-only file; Wine run by root would write through it.
bool ReadOnlyFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0 &&
           (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Writes all of `bytes` to an open file; WriteFile takes a 32-bit count, so large contents go
// in blocks.
bool WriteAll(HANDLE file, const std::string& bytes, std::string& error) {
    constexpr std::size_t kBlock = 1 << 24;
    for (std::size_t done = 0; done < bytes.size();) {
        const DWORD wanted = static_cast<DWORD>(std::min(kBlock, bytes.size() - done));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data() + done, wanted, &written, nullptr)) {
            error = ErrorText(GetLastError());
            return false;
        }
        if (written == 0) {  // would never finish
            error = ErrorText(ERROR_WRITE_FAULT);
            return false;
        }
        done += written;
    }
    return true;
}

// Opens `path` for writing with `disposition`, refusing read-only files.
UniqueFile OpenForWriting(const std::wstring& path, DWORD access, DWORD disposition,
                          std::string& error) {
    if (ReadOnlyFile(path)) {
        error = ErrorText(ERROR_ACCESS_DENIED);
        return UniqueFile();
    }
    UniqueFile file(CreateFileW(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) error = ErrorText(GetLastError());
    return file;
}

}  // namespace

bool WinFileSystem::WriteFile(const std::string& path, const std::string& bytes,
                              std::string& error) {
    const UniqueFile file = OpenForWriting(Widen(path), GENERIC_WRITE, CREATE_ALWAYS, error);
    return file && WriteAll(file.Get(), bytes, error);
}

bool WinFileSystem::AppendFile(const std::string& path, const std::string& bytes,
                               std::string& error) {
    const UniqueFile file = OpenForWriting(Widen(path), FILE_APPEND_DATA, OPEN_ALWAYS, error);
    if (!file || !WriteAll(file.Get(), bytes, error)) return false;
    // On the disk before the work goes on: a power loss keeps what was added.
    if (!FlushFileBuffers(file.Get())) {
        error = ErrorText(GetLastError());
        return false;
    }
    return true;
}

bool WinFileSystem::ReplaceContents(const std::string& path, const std::string& bytes,
                                std::string& error) {
    const std::wstring wide = Widen(path);
    if (ReadOnlyFile(wide)) {
        error = ErrorText(ERROR_ACCESS_DENIED);
        return false;
    }
    if (!ReplaceWhole(wide, bytes)) {
        error = ErrorText(GetLastError());
        return false;
    }
    return true;
}

bool WinFileSystem::CanCreateFilesIn(const std::string& directory) {
    // A new, hidden file of this process that goes when its handle closes.
    std::string probe = directory;
    if (!probe.empty() && probe.back() != '\\') probe += '\\';
    probe += "~sorvane-" + std::to_string(GetCurrentProcessId()) + ".tmp";
    const UniqueFile file(CreateFileW(
        Widen(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return static_cast<bool>(file);
}

std::string WinFileSystem::FullPath(const std::string& path) {
    const std::wstring wide = Widen(path);
    std::wstring full(MAX_PATH, L'\0');
    DWORD length =
        GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length >= full.size()) {
        full.resize(length);
        length = GetFullPathNameW(wide.c_str(), length, full.data(), nullptr);
    }
    if (length == 0 || length >= full.size()) return path;
    full.resize(length);
    // Short 8.3 names become long ones; a path that does not exist stays as it is.
    std::wstring longer(MAX_PATH, L'\0');
    length = GetLongPathNameW(full.c_str(), longer.data(), static_cast<DWORD>(longer.size()));
    if (length >= longer.size()) {
        longer.resize(length);
        length = GetLongPathNameW(full.c_str(), longer.data(), length);
    }
    if (length == 0 || length >= longer.size()) return Narrow(full);
    longer.resize(length);
    return Narrow(longer);
}

std::optional<FileTime> WinFileSystem::ToLocalTime(FileTime utc) {
    const FILETIME in = ToFiletime(utc);
    FILETIME out;
    if (!FileTimeToLocalFileTime(&in, &out)) return std::nullopt;
    return ToFileTime(out);
}

}  // namespace sorvane
